#include "TestConnection.h"
#include "dralvo/Database.h"
#include "dralvo-dialogs/Dlgs.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/Dialogs.h"

namespace dralvo {

const rtl::TClass& TDVDatabaseEditDlg::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVDatabaseEditDlg>("TDVDatabaseEditDlg", &vcl::TForm::StaticClass()).Build();
  return cls;
}

TDVDatabaseEditDlg::TDVDatabaseEditDlg(rtl::TComponent* AOwner, int /*Dummy*/)
    : vcl::TForm(AOwner), FParams(std::make_unique<rtl::TStringList>()) {
  CreateControls();
  const rtl::TTypeInfo& types = TypeInfoServerType();
  for (size_t i = 0; i < types.EnumNames.size(); ++i)
    cbServerType->Items()->Add(GetServerTypeName(static_cast<TDVServerType>(i)));
  // A button without a handler has nothing to do.
  SetGetDefaultParams(nullptr);
  SetOnLoadDefaultParamsClick(nullptr);
  SetOnSaveDefaultParamsClick(nullptr);
  SetOnSaveDefaultSrvTypeClick(nullptr);
}

TDVDatabaseEditDlg::~TDVDatabaseEditDlg() = default;

void TDVDatabaseEditDlg::LoadData(TDVDatabase* Database) {
  if (Database == nullptr) {
    SetDatabaseName("");
    SetServerType(GetDefServerType());
    SetRemoteDatabase("");
    SetKeepConnection(true);
    SetLoginPrompt(true);
    SetDefaultDatabase(false);
    SetStoreConnected(false);
    SetParams(nullptr);
    return;
  }
  SetDatabaseName(Database->DatabaseName());
  SetServerType(Database->ServerType());
  SetRemoteDatabase(Database->RemoteDatabase());
  SetKeepConnection(Database->KeepConnection());
  SetLoginPrompt(Database->LoginPrompt());
  SetDefaultDatabase((Database->DesignOptions() & ddoIsDefaultDatabase) != 0);
  SetStoreConnected((Database->DesignOptions() & ddoStoreConnected) != 0);
  SetParams(Database->Params());
}

std::string TDVDatabaseEditDlg::GetDatabaseName() const { return edDatabaseName->Text(); }
void TDVDatabaseEditDlg::SetDatabaseName(const std::string& Value) { edDatabaseName->SetText(Value); }

TDVServerType TDVDatabaseEditDlg::GetServerType() const {
  // The list holds every server type in the order of the enumeration.
  const int index = cbServerType->ItemIndex();
  return index < 0 ? GetDefServerType() : static_cast<TDVServerType>(index);
}
void TDVDatabaseEditDlg::SetServerType(TDVServerType Value) { cbServerType->SetItemIndex(static_cast<int>(Value)); }

std::string TDVDatabaseEditDlg::GetRemoteDatabase() const { return cbRemoteDatabase->Text(); }
void TDVDatabaseEditDlg::SetRemoteDatabase(const std::string& Value) { cbRemoteDatabase->SetText(Value); }

void TDVDatabaseEditDlg::SetRemoteDatabaseHistory(const rtl::TStrings* History) {
  // Filling the list must not replace what the field shows.
  const std::string shown = cbRemoteDatabase->Text();
  if (History == nullptr)
    cbRemoteDatabase->Items()->Clear();
  else
    cbRemoteDatabase->Items()->Assign(*History);
  cbRemoteDatabase->SetText(shown);
}

bool TDVDatabaseEditDlg::GetKeepConnection() const { return cbKeepConnection->Checked(); }
void TDVDatabaseEditDlg::SetKeepConnection(bool Value) { cbKeepConnection->SetChecked(Value); }
bool TDVDatabaseEditDlg::GetLoginPrompt() const { return cbLoginPrompt->Checked(); }
void TDVDatabaseEditDlg::SetLoginPrompt(bool Value) { cbLoginPrompt->SetChecked(Value); }
bool TDVDatabaseEditDlg::GetDefaultDatabase() const { return cbDefaultDatabase->Checked(); }
void TDVDatabaseEditDlg::SetDefaultDatabase(bool Value) { cbDefaultDatabase->SetChecked(Value); }
bool TDVDatabaseEditDlg::GetStoreConnected() const { return cbStoreConnected->Checked(); }
void TDVDatabaseEditDlg::SetStoreConnected(bool Value) { cbStoreConnected->SetChecked(Value); }

rtl::TStrings* TDVDatabaseEditDlg::GetParams() {
  FParams->Assign(*meParams->Lines());
  return FParams.get();
}

void TDVDatabaseEditDlg::SetParams(const rtl::TStrings* Value) {
  if (Value == nullptr)
    meParams->Lines()->Clear();
  else
    meParams->Lines()->Assign(*Value);
}

void TDVDatabaseEditDlg::SetGetDefaultParams(TGetParamsProc Value) {
  FGetDefaultParams = std::move(Value);
  btAddDefaultParams->SetEnabled(static_cast<bool>(FGetDefaultParams));
}

void TDVDatabaseEditDlg::SetOnLoadDefaultParamsClick(vcl::TNotifyEvent Value) {
  btLoadDefaultParams->SetEnabled(static_cast<bool>(Value));
  btLoadDefaultParams->OnClick = std::move(Value);
}

void TDVDatabaseEditDlg::SetOnSaveDefaultParamsClick(vcl::TNotifyEvent Value) {
  btSaveDefaultParams->SetEnabled(static_cast<bool>(Value));
  btSaveDefaultParams->OnClick = std::move(Value);
}

void TDVDatabaseEditDlg::SetOnSaveDefaultSrvTypeClick(vcl::TNotifyEvent Value) {
  btSaveDefaultSrvType->SetEnabled(static_cast<bool>(Value));
  btSaveDefaultSrvType->OnClick = std::move(Value);
}

void TDVDatabaseEditDlg::btRemoteDatabaseClick(rtl::TObject*) {
  const std::string chosen = InputRemoteDatabaseValue(GetServerType(), GetRemoteDatabase());
  if (!chosen.empty()) SetRemoteDatabase(chosen);
}

void TDVDatabaseEditDlg::btAddDefaultParamsClick(rtl::TObject*) {
  if (!FGetDefaultParams) return;
  rtl::TStringList defaults;
  FGetDefaultParams(&defaults);
  rtl::TStrings* lines = meParams->Lines();
  lines->BeginUpdate();
  for (int i = 0; i < defaults.Count(); ++i) {
    const std::string name = defaults.Names(i);
    if (!name.empty() && lines->IndexOfName(name) < 0) lines->Add(defaults[i]);
  }
  lines->EndUpdate();
}

void TDVDatabaseEditDlg::btTestConnectionClick(rtl::TObject*) {
  const TConnectionTestResult result =
      TestConnection(GetServerType(), GetRemoteDatabase(), *GetParams(), GetLoginPrompt(), GetDatabaseName());
  vcl::MessageDlg(result.Message, result.Connected ? vcl::TMsgDlgType::mtInformation : vcl::TMsgDlgType::mtError,
                  vcl::mbOK);
}

}  // namespace dralvo
