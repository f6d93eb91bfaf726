#pragma once
// The UpdateSQL editor: a modal dialog that edits the refresh, modify,
// insert and delete statements of one update object. It works on copies of
// the statements; only OK writes them back.
#include <memory>
#include <string>

#include "rtl/text/Strings.h"
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"

namespace dralvo {
class TDVUpdateSQL;
class TDVNameRules;
}

namespace dv {

class TFieldAliases;
class TSQLGenerator;

class TDVUpdateSQLEditForm : public vcl::TForm {
  RTL_CLASS(TDVUpdateSQLEditForm)
 public:
  explicit TDVUpdateSQLEditForm(rtl::TComponent* owner);
  ~TDVUpdateSQLEditForm() override;

  // The dialog's controls, in declaration order; created by the layout.
  vcl::TPageControl* pcUpdateSQL = nullptr;
  vcl::TTabSheet* tsOptions = nullptr;
  vcl::TTabSheet* tsSQL = nullptr;
  vcl::TPanel* pnlButton = nullptr;
  vcl::TButton* btOk = nullptr;
  vcl::TButton* btCancel = nullptr;
  vcl::TLabel* lblSQLText = nullptr;
  vcl::TMemo* meSQLText = nullptr;
  vcl::TGroupBox* gbxGenSQL = nullptr;
  vcl::TLabel* lblTableName = nullptr;
  vcl::TComboBox* cbTableName = nullptr;
  vcl::TLabel* lblKeyFields = nullptr;
  vcl::TListBox* lbKeyFields = nullptr;
  vcl::TLabel* lblUpdateFields = nullptr;
  vcl::TListBox* lbUpdateFields = nullptr;
  vcl::TButton* btDataSetDefaults = nullptr;
  vcl::TButton* btGenerateSQL = nullptr;
  vcl::TPopupMenu* pmFields = nullptr;
  vcl::TMenuItem* miSelectAll = nullptr;
  vcl::TMenuItem* miClearAll = nullptr;
  vcl::TRadioGroup* rgrStatementType = nullptr;
  vcl::TButton* btGetTableFields = nullptr;
  vcl::TCheckBox* cbQuotedFields = nullptr;
  vcl::TButton* btSelectPrimKeys = nullptr;

  dralvo::TDVUpdateSQL* UpdateSQL() const { return FUpdateSQL; }
  void SetUpdateSQL(dralvo::TDVUpdateSQL* updateSQL) { FUpdateSQL = updateSQL; }
  // Fills the dialog from the update object.
  void InitProperties();
  // Writes the four working copies into the update object.
  void SaveStatements();
  std::string QuoteName(const std::string& AIdentName) const;

  // Event handlers.
  void FormCreate(rtl::TObject* Sender);
  void FormDestroy(rtl::TObject* Sender);
  void FormCloseQuery(rtl::TObject* Sender, bool& CanClose);
  void StatementTypeClick(rtl::TObject* Sender);
  void SQLTextExit(rtl::TObject* Sender);
  void SelectAllClick(rtl::TObject* Sender);
  void ClearAllClick(rtl::TObject* Sender);
  void GenerateSQLClick(rtl::TObject* Sender);
  void cbTableNameChange(rtl::TObject* Sender);
  void DataSetDefaultsClick(rtl::TObject* Sender);
  void TableNameChanged(rtl::TObject* Sender);
  void GetTableFieldsClick(rtl::TObject* Sender);
  void btSelectPrimKeysClick(rtl::TObject* Sender);

 private:
  void CreateControls();  // the layout, in its own file
  void LoadDefaultOptions();
  void LoadStatements();
  void SelectAllFields();
  void SetSelectedAllItems(vcl::TListBox* listBox, bool selected);
  // The working copy of a statement index (0 refresh ... 3 delete), or null.
  rtl::TStrings* WorkingCopy(int index) const;
  std::string FindFieldAlias(const std::string& tableName, const std::string& fieldName) const;
  TSQLGenerator MakeGenerator() const;
  // The field info indexed, built on first use after each change of it.
  std::shared_ptr<const TFieldAliases> FieldAliases() const;
  std::shared_ptr<const dralvo::TDVNameRules> ServerNameRules(bool quoteAll) const;
  void GenerateModifySQL(const TSQLGenerator& generator);
  void GenerateInsertSQL(const TSQLGenerator& generator);
  void GenerateDeleteSQL(const TSQLGenerator& generator);
  void GenerateRefreshSQL(const TSQLGenerator& generator);
  // Adds the fetched column names to both lists and sets their extents.
  void FillFieldLists(const rtl::TStrings& names);

  std::unique_ptr<rtl::TStrings> FRefreshSQL;
  std::unique_ptr<rtl::TStrings> FModifySQL;
  std::unique_ptr<rtl::TStrings> FInsertSQL;
  std::unique_ptr<rtl::TStrings> FDeleteSQL;
  dralvo::TDVUpdateSQL* FUpdateSQL = nullptr;  // not owned
  std::unique_ptr<rtl::TStringList> FFieldInfo;
  // FFieldInfo indexed for generation; dropped whenever FFieldInfo changes.
  mutable std::shared_ptr<const TFieldAliases> FFieldAliases;
  std::unique_ptr<rtl::TStrings> FTableInfo;
  bool FObjOwnerSupported = false;
};

// Runs the editor on an update object; true when closed with OK, after the
// four statements were written into it. Otherwise the object is untouched.
bool EditUpdateSQL(dralvo::TDVUpdateSQL* updateSQL);

// The dialog's caption for an update object: the owner's name and a dot
// when the owner is a form, the object's name, and the dataset's name (or
// the no-dataset text) in parentheses.
std::string UpdateSQLEditorCaption(const dralvo::TDVUpdateSQL& updateSQL);

}  // namespace dv
