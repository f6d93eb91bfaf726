// The layout of the database editor: every control with its parent,
// caption, bounds and handler.
#include "DialogLayout.h"
#include "dralvo-dialogs/Dlgs.h"
#include "vcl/Forms.h"

namespace dralvo {

void TDVDatabaseEditDlg::CreateControls() {
  SetCaption("Database Editor");
  vcl::DialogLook(*this, vcl::TFormBorderStyle::bsDialog, 440, 397);
  lblDatabaseName = Place<vcl::TLabel>(this, this, "lblDatabaseName", 8, 12, 108, 13, "Database &name:");
  edDatabaseName = Place<vcl::TEdit>(this, this, "edDatabaseName", 120, 8, 200, 21);
  lblDatabaseName->SetFocusControl(edDatabaseName);
  lblServerType = Place<vcl::TLabel>(this, this, "lblServerType", 8, 40, 108, 13, "&Server type:");
  cbServerType = Place<vcl::TComboBox>(this, this, "cbServerType", 120, 36, 200, 21);
  cbServerType->SetStyle(vcl::TComboBoxStyle::csDropDownList);
  lblServerType->SetFocusControl(cbServerType);
  btSaveDefaultSrvType =
      Place<vcl::TButton>(this, this, "btSaveDefaultSrvType", 326, 35, 106, 23, "Save as &default");
  lblRemoteDatabase = Place<vcl::TLabel>(this, this, "lblRemoteDatabase", 8, 68, 108, 13, "&Remote database:");
  cbRemoteDatabase = Place<vcl::TComboBox>(this, this, "cbRemoteDatabase", 120, 64, 282, 21);
  lblRemoteDatabase->SetFocusControl(cbRemoteDatabase);
  btRemoteDatabase = Place<vcl::TButton>(this, this, "btRemoteDatabase", 406, 63, 26, 23, "...");
  btRemoteDatabase->OnClick = [this](rtl::TObject* sender) { btRemoteDatabaseClick(sender); };

  gbxOptions = Place<vcl::TGroupBox>(this, this, "gbxOptions", 8, 94, 424, 64, "Options");
  cbKeepConnection = Place<vcl::TCheckBox>(this, gbxOptions, "cbKeepConnection", 10, 18, 196, 17, "&Keep connection");
  cbLoginPrompt = Place<vcl::TCheckBox>(this, gbxOptions, "cbLoginPrompt", 10, 40, 196, 17, "&Login prompt");
  cbDefaultDatabase =
      Place<vcl::TCheckBox>(this, gbxOptions, "cbDefaultDatabase", 214, 18, 200, 17, "De&fault database");
  cbStoreConnected = Place<vcl::TCheckBox>(this, gbxOptions, "cbStoreConnected", 214, 40, 200, 17, "S&tore connected");

  lblParams = Place<vcl::TLabel>(this, this, "lblParams", 8, 166, 316, 13, "&Parameters (name=value):");
  meParams = Place<vcl::TMemo>(this, this, "meParams", 8, 182, 316, 170);
  meParams->SetScrollBars(vcl::TScrollStyle::ssBoth);
  meParams->SetWordWrap(false);
  lblParams->SetFocusControl(meParams);
  btLoadDefaultParams = Place<vcl::TButton>(this, this, "btLoadDefaultParams", 330, 182, 102, 25, "&Load defaults");
  btSaveDefaultParams = Place<vcl::TButton>(this, this, "btSaveDefaultParams", 330, 212, 102, 25, "Sa&ve as defaults");
  btAddDefaultParams = Place<vcl::TButton>(this, this, "btAddDefaultParams", 330, 242, 102, 25, "&Add defaults");
  btAddDefaultParams->OnClick = [this](rtl::TObject* sender) { btAddDefaultParamsClick(sender); };

  btTestConnection = Place<vcl::TButton>(this, this, "btTestConnection", 8, 364, 110, 25, "&Test connection");
  btTestConnection->OnClick = [this](rtl::TObject* sender) { btTestConnectionClick(sender); };
  btOk = Place<vcl::TButton>(this, this, "btOk", 276, 364, 75, 25, "OK");
  btOk->SetDefault(true);
  btOk->SetModalResult(vcl::mrOk);
  btCancel = Place<vcl::TButton>(this, this, "btCancel", 357, 364, 75, 25, "Cancel");
  btCancel->SetCancel(true);
  btCancel->SetModalResult(vcl::mrCancel);
}

}  // namespace dralvo
