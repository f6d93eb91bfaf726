#pragma once
// The database's component editor: the About verb, a separator, the
// database dialog (also on double-click) and the parameters dialog. The
// database dialog is also where the default parameters and the default
// server type are saved into the design settings.
#include "DVReg/editors/DefaultEditor.h"

namespace dralvo {
class TDVDatabase;
class TDVDatabaseEditDlg;
}  // namespace dralvo
namespace rtl {
class TStrings;
}

namespace dv {

class TDVDatabaseEditor : public TDVDefaultEditor {
  RTL_CLASS(TDVDatabaseEditor)
 public:
  TDVDatabaseEditor() = default;

  void Edit() override;
  void ExecuteVerb(int Index) override;
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;

  // Runs the database dialog on Database; true when the person confirmed
  // it and its values were stored into Database.
  bool EditDatabase(dralvo::TDVDatabase* Database);
  // The dialog open in EditDatabase; null at all other times.
  dralvo::TDVDatabaseEditDlg* EditDlg() const { return FEditDlg; }

  // Callbacks of the dialogs.
  void ShowParamsCodeEditor(rtl::TStrings* Strings, bool TextModified);
  void GetDefaultParams(rtl::TStrings* List);
  void LoadDefaultParams(rtl::TObject* Sender);
  void SaveDefaultParams(rtl::TObject* Sender);
  void SaveDefaultSrvType(rtl::TObject* Sender);

 private:
  void EditParams();
  void FillDialog(dralvo::TDVDatabase* Database);
  void StoreDialog(dralvo::TDVDatabase* Database);

  dralvo::TDVDatabaseEditDlg* FEditDlg = nullptr;
};

}  // namespace dv
