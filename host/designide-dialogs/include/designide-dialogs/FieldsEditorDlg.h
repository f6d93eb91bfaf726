#pragma once
// The fields editor: the persistent fields of a dataset, and the columns
// it would give that are not persistent yet. Opening it asks the dataset
// to describe its columns (a query is described by the server, no record
// is read); a failure is shown in the status line and leaves the list
// empty. "Add" makes persistent fields of the chosen columns ("Add All" of
// every one), owned by the designed module and named after the dataset and
// the column; "Delete" frees the chosen fields. An open dataset is closed
// for the change and opened again. Each change is reported to the designer
// at once, so Close is the only way out.
#include <string>
#include <vector>

#include "db/DataSet.h"
#include "designide/Designer.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace designide {

class TFieldsEditorDlg : public vcl::TForm {
  RTL_CLASS(TFieldsEditorDlg)
 public:
  explicit TFieldsEditorDlg(rtl::TComponent* owner);

  vcl::TLabel* lblFields = nullptr;
  vcl::TListBox* lbFields = nullptr;
  vcl::TLabel* lblAvailable = nullptr;
  vcl::TListBox* lbAvailable = nullptr;
  vcl::TButton* btAdd = nullptr;
  vcl::TButton* btAddAll = nullptr;
  vcl::TButton* btDelete = nullptr;
  vcl::TLabel* lblStatus = nullptr;
  vcl::TButton* btClose = nullptr;

  void Load(IDesigner* designer, db::TDataSet* dataSet);

  void ListClick(rtl::TObject* Sender);
  void btAddClick(rtl::TObject* Sender);
  void btAddAllClick(rtl::TObject* Sender);
  void btDeleteClick(rtl::TObject* Sender);

 private:
  void CreateControls();  // the layout, in its own file
  void FillLists();
  void UpdateButtons();
  void AddFields(const std::vector<std::string>& columns);
  // The module's new component name for a field of the column.
  std::string NewFieldName(rtl::TComponent* owner, const std::string& column) const;

  IDesigner* designer_ = nullptr;
  db::TDataSet* dataSet_ = nullptr;
};

// The framework's fields editor handler: shows the dialog modally. Raises
// EInvalidCast for a designer class that is not a TDSDesigner.
void ShowFieldsEditorDialog(IDesigner* designer, db::TDataSet* dataSet, const rtl::TClass& designerClass);

}  // namespace designide
