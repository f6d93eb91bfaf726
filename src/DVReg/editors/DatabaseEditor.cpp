#include "DVReg/editors/DatabaseEditor.h"

#include <memory>

#include "DVReg/settings/DesignSettings.h"
#include "DVReg/codeeditor/StringsModule.h"
#include "dralvo/Consts.h"
#include "dralvo/Database.h"
#include "dralvo-dialogs/Dlgs.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/Application.h"

namespace dv {

const rtl::TClass& TDVDatabaseEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVDatabaseEditor>("TDVDatabaseEditor", &TDVDefaultEditor::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

void TDVDatabaseEditor::Edit() { ExecuteVerb(TDVDefaultEditor::GetVerbCount() + 1); }

// The own verbs follow the parent's: its count comes from its own
// implementation, not the virtual one, which would answer this class's.
void TDVDatabaseEditor::ExecuteVerb(int Index) {
  const int parentCount = TDVDefaultEditor::GetVerbCount();
  if (Index < parentCount) {
    TDVDefaultEditor::ExecuteVerb(Index);
  } else if (Index == parentCount + 1) {
    if (EditDatabase(rtl::As<dralvo::TDVDatabase>(GetComponent())) && GetDesigner() != nullptr)
      GetDesigner()->Modified();
  } else if (Index == parentCount + 2) {
    EditParams();
  }
}

std::string TDVDatabaseEditor::GetVerb(int Index) {
  const int parentCount = TDVDefaultEditor::GetVerbCount();
  if (Index < parentCount) return TDVDefaultEditor::GetVerb(Index);
  if (Index == parentCount) return "-";
  if (Index == parentCount + 1) return dralvo::SEditDatabaseVerb;
  if (Index == parentCount + 2) return dralvo::SBindVerb;
  return {};
}

int TDVDatabaseEditor::GetVerbCount() { return TDVDefaultEditor::GetVerbCount() + 3; }

void TDVDatabaseEditor::EditParams() {
  auto* database = rtl::As<dralvo::TDVDatabase>(GetComponent());
  // An open module holding unsaved parameters keeps them; no dialog then.
  if (!CloseStringsModule(GetDesigner(), database, "Params")) return;
  const bool accepted = dralvo::ShowDatabaseParamsEditor(
      database->Params(), [this](rtl::TStrings* strings, bool modified) { ShowParamsCodeEditor(strings, modified); },
      [this](rtl::TStrings* list) { GetDefaultParams(list); });
  if (accepted && GetDesigner() != nullptr) GetDesigner()->Modified();
}

bool TDVDatabaseEditor::EditDatabase(dralvo::TDVDatabase* Database) {
  // The field names the dialog only while it exists, also when a step below
  // raises.
  struct TDialogScope {
    dralvo::TDVDatabaseEditDlg*& Field;
    std::unique_ptr<dralvo::TDVDatabaseEditDlg> Dialog;
    ~TDialogScope() {
      Field = nullptr;
      Dialog.reset();
    }
  } scope{FEditDlg, std::make_unique<dralvo::TDVDatabaseEditDlg>(vcl::Application(), 0)};
  FEditDlg = scope.Dialog.get();

  FEditDlg->LoadData(nullptr);
  FillDialog(Database);
  const bool accepted = FEditDlg->ShowModal() == vcl::mrOk;
  if (accepted) StoreDialog(Database);
  return accepted;
}

void TDVDatabaseEditor::FillDialog(dralvo::TDVDatabase* Database) {
  FEditDlg->SetDatabaseName(Database->DatabaseName());
  FEditDlg->SetServerType(Database->ServerType());
  FEditDlg->SetRemoteDatabase(Database->RemoteDatabase());
  FEditDlg->SetRemoteDatabaseHistory(DesignSettings->RecentDatabases());
  FEditDlg->SetKeepConnection(Database->KeepConnection());
  FEditDlg->SetLoginPrompt(Database->LoginPrompt());
  FEditDlg->SetDefaultDatabase((Database->DesignOptions() & dralvo::ddoIsDefaultDatabase) != 0);
  FEditDlg->SetStoreConnected((Database->DesignOptions() & dralvo::ddoStoreConnected) != 0);
  FEditDlg->SetParams(Database->Params());

  FEditDlg->SetGetDefaultParams([this](rtl::TStrings* list) { GetDefaultParams(list); });
  FEditDlg->SetOnLoadDefaultParamsClick([this](rtl::TObject* sender) { LoadDefaultParams(sender); });
  FEditDlg->SetOnSaveDefaultParamsClick([this](rtl::TObject* sender) { SaveDefaultParams(sender); });
  FEditDlg->SetOnSaveDefaultSrvTypeClick([this](rtl::TObject* sender) { SaveDefaultSrvType(sender); });
}

void TDVDatabaseEditor::StoreDialog(dralvo::TDVDatabase* Database) {
  // One setter at a time: a setter that raises leaves the values stored
  // before it.
  Database->SetParams(FEditDlg->GetParams());
  Database->SetDatabaseName(FEditDlg->GetDatabaseName());
  Database->SetServerType(FEditDlg->GetServerType());
  Database->SetRemoteDatabase(FEditDlg->GetRemoteDatabase());
  Database->SetKeepConnection(FEditDlg->GetKeepConnection());
  Database->SetLoginPrompt(FEditDlg->GetLoginPrompt());
  // Each option on its own, the other one as the database holds it.
  auto withOption = [](dralvo::TDVDesignDBOptions options, dralvo::TDVDesignDBOption option, bool on) {
    return on ? options | option : options & ~static_cast<dralvo::TDVDesignDBOptions>(option);
  };
  Database->SetDesignOptions(
      withOption(Database->DesignOptions(), dralvo::ddoIsDefaultDatabase, FEditDlg->GetDefaultDatabase()));
  Database->SetDesignOptions(
      withOption(Database->DesignOptions(), dralvo::ddoStoreConnected, FEditDlg->GetStoreConnected()));
}

void TDVDatabaseEditor::ShowParamsCodeEditor(rtl::TStrings* Strings, bool TextModified) {
  OpenStringsInCodeEditor(GetDesigner(), GetComponent(), "Params", TextModified, Strings);
}

void TDVDatabaseEditor::GetDefaultParams(rtl::TStrings* List) {
  if (List != nullptr) List->Assign(*DesignSettings->DbParams());
}

void TDVDatabaseEditor::LoadDefaultParams(rtl::TObject*) {
  if (FEditDlg != nullptr) FEditDlg->SetParams(DesignSettings->DbParams());
}

void TDVDatabaseEditor::SaveDefaultParams(rtl::TObject*) {
  if (FEditDlg != nullptr) DesignSettings->SaveDbParams(*FEditDlg->GetParams());
}

void TDVDatabaseEditor::SaveDefaultSrvType(rtl::TObject*) {
  if (FEditDlg != nullptr) DesignSettings->WriteDefaultServerType(FEditDlg->GetServerType());
}

}  // namespace dv
