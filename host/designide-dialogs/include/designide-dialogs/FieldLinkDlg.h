#pragma once
// The field-link designer: pairs the detail table's index fields with the
// master dataset's fields.
//
// The detail side is read and written only through the property's
// accessors (index definitions, the current index's fields, IndexName,
// MasterFields). Choosing an index in "Available Indexes" sets it at once
// (the property edits a copy of the table) and empties the joins. "Add"
// joins the selected detail field with the selected master field, "Delete"
// removes the selected join, "Clear" all of them. OK refuses joins that are
// not the first fields of the index (the master fields are matched with the
// index fields in order) and otherwise writes MasterFields in index order.
#include <string>
#include <utility>
#include <vector>

#include "designide/FldLinks.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace designide {

class TFieldLinkDlg : public vcl::TForm {
  RTL_CLASS(TFieldLinkDlg)
 public:
  explicit TFieldLinkDlg(rtl::TComponent* owner);

  vcl::TLabel* lblIndexes = nullptr;
  vcl::TComboBox* cbIndexes = nullptr;
  vcl::TLabel* lblDetail = nullptr;
  vcl::TListBox* lbDetail = nullptr;
  vcl::TLabel* lblMaster = nullptr;
  vcl::TListBox* lbMaster = nullptr;
  vcl::TButton* btAdd = nullptr;
  vcl::TLabel* lblJoined = nullptr;
  vcl::TListBox* lbJoined = nullptr;
  vcl::TButton* btDelete = nullptr;
  vcl::TButton* btClear = nullptr;
  vcl::TButton* btOK = nullptr;
  vcl::TButton* btCancel = nullptr;

  // Reads the link from the property; the master's field names are given.
  void Load(TFieldLinkProperty& property, const std::vector<std::string>& masterFields);
  // Writes MasterFields; true when the link differs from what was loaded.
  bool Store();

  // The joins, detail field first, as the joined list shows them.
  const std::vector<std::pair<std::string, std::string>>& Joins() const { return joins_; }
  static std::string JoinText(const std::pair<std::string, std::string>& join);

  void cbIndexesChange(rtl::TObject* Sender);
  void ListClick(rtl::TObject* Sender);
  void btAddClick(rtl::TObject* Sender);
  void btDeleteClick(rtl::TObject* Sender);
  void btClearClick(rtl::TObject* Sender);
  void FormCloseQuery(rtl::TObject* Sender, bool& CanClose);

 private:
  void CreateControls();  // the layout, in its own file
  void FillDetail();
  void FillJoined();
  void UpdateButtons();
  // The detail fields of the joins in index order, or false when they are
  // not the leading fields of the index.
  bool OrderedJoins(std::vector<std::pair<std::string, std::string>>& ordered) const;
  std::string CurrentLink() const;

  TFieldLinkProperty* property_ = nullptr;
  std::vector<std::string> indexFields_;
  std::vector<std::pair<std::string, std::string>> joins_;
  std::string loaded_;
};

// The framework's field-link designer handler: shows the dialog modally on
// the property; true when the person accepted a changed link. Raises
// EComponentError when the detail has no master dataset.
bool ShowFieldLinkDesigner(TFieldLinkProperty& property);

}  // namespace designide
