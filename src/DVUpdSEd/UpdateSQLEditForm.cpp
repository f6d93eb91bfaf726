#include "DVUpdSEd/UpdateSQLEditForm.h"

#include "DVUpdSEd/SQLGenerator.h"
#include "dralvo/Common.h"
#include "dralvo/Consts.h"
#include "dralvo/Query.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"

namespace dv {

const rtl::TClass& TDVUpdateSQLEditForm::StaticClass() {
  static const rtl::TClass cls("TDVUpdateSQLEditForm", &vcl::TForm::StaticClass());
  return cls;
}

TDVUpdateSQLEditForm::TDVUpdateSQLEditForm(rtl::TComponent* owner) : vcl::TForm(owner) { CreateControls(); }

TDVUpdateSQLEditForm::~TDVUpdateSQLEditForm() { DoDestroy(); }

void TDVUpdateSQLEditForm::FormCreate(rtl::TObject* Sender) {
  (void)Sender;
  FRefreshSQL = std::make_unique<rtl::TStringList>();
  FModifySQL = std::make_unique<rtl::TStringList>();
  FInsertSQL = std::make_unique<rtl::TStringList>();
  FDeleteSQL = std::make_unique<rtl::TStringList>();
  FFieldInfo = std::make_unique<rtl::TStringList>();
  FFieldInfo->OnChange = [this](rtl::TStringList&) { FFieldAliases.reset(); };
  FTableInfo = std::make_unique<rtl::TStringList>();
  FUpdateSQL = nullptr;
  pcUpdateSQL->SetActivePage(tsOptions);
}

void TDVUpdateSQLEditForm::FormDestroy(rtl::TObject* Sender) {
  (void)Sender;
  FRefreshSQL.reset();
  FModifySQL.reset();
  FInsertSQL.reset();
  FDeleteSQL.reset();
  FFieldInfo.reset();
  FTableInfo.reset();
}

rtl::TStrings* TDVUpdateSQLEditForm::WorkingCopy(int index) const {
  switch (index) {
    case 0:
      return FRefreshSQL.get();
    case 1:
      return FModifySQL.get();
    case 2:
      return FInsertSQL.get();
    case 3:
      return FDeleteSQL.get();
    default:
      return nullptr;
  }
}

void TDVUpdateSQLEditForm::InitProperties() {
  LoadDefaultOptions();
  SelectAllFields();
  LoadStatements();
  DataSetDefaultsClick(this);
  StatementTypeClick(this);
  cbTableNameChange(this);
}

void TDVUpdateSQLEditForm::LoadDefaultOptions() {
  auto* query = FUpdateSQL != nullptr && rtl::Is<dralvo::TDVQuery>(FUpdateSQL->DataSet())
                    ? static_cast<dralvo::TDVQuery*>(FUpdateSQL->DataSet())
                    : nullptr;
  if (query == nullptr) return;
  vcl::TScreen* screen = vcl::Screen();
  struct RestoreCursor {
    vcl::TScreen* screen;
    vcl::TCursor saved;
    ~RestoreCursor() { screen->SetCursor(saved); }
  } restore{screen, screen->Cursor()};
  screen->SetCursor(vcl::crHourGlass);

  FFieldInfo->Clear();
  FTableInfo->Clear();
  query->ParseFieldInfoFromSQL(query->SQL()->Text(), FFieldInfo.get(), FTableInfo.get(), nullptr);
  // Indexed now, under the busy cursor of the parse that fills it, so that
  // the first generation finds the index ready.
  FieldAliases();
  FObjOwnerSupported = query->IsObjOwnerSupported();
  cbTableName->Items()->Clear();
  lbKeyFields->Items()->Clear();
  lbUpdateFields->Items()->Clear();
  for (int i = 0; i < FTableInfo->Count(); ++i) {
    std::string name = FTableInfo->Names(i);
    if (!name.empty()) cbTableName->Items()->Add(FTableInfo->Values(name));
  }
  // Chosen silently: InitProperties updates the buttons at its end.
  if (cbTableName->Items()->Count() > 0) cbTableName->SetItemIndex(0);
}

void TDVUpdateSQLEditForm::LoadStatements() {
  for (int i = 0; i < 4; ++i) WorkingCopy(i)->Assign(*FUpdateSQL->GetSQLIndex(i));
}

void TDVUpdateSQLEditForm::SaveStatements() {
  for (int i = 0; i < 4; ++i) FUpdateSQL->GetSQLIndex(i)->Assign(*WorkingCopy(i));
}

void TDVUpdateSQLEditForm::StatementTypeClick(rtl::TObject* Sender) {
  (void)Sender;
  if (rtl::TStrings* statement = WorkingCopy(rgrStatementType->ItemIndex())) meSQLText->Lines()->Assign(*statement);
}

void TDVUpdateSQLEditForm::SQLTextExit(rtl::TObject* Sender) {
  (void)Sender;
  if (rtl::TStrings* statement = WorkingCopy(rgrStatementType->ItemIndex())) statement->Assign(*meSQLText->Lines());
}

void TDVUpdateSQLEditForm::FormCloseQuery(rtl::TObject* Sender, bool& CanClose) {
  (void)Sender;
  if (ModalResult() != vcl::mrOk || !rtl::Trim(FModifySQL->Text()).empty()) {
    CanClose = true;
    return;
  }
  CanClose = vcl::MessageDlg(dralvo::SSQLNotGenerated, vcl::TMsgDlgType::mtConfirmation, vcl::mbYesNoCancel) ==
             vcl::mrYes;
}

void TDVUpdateSQLEditForm::SetSelectedAllItems(vcl::TListBox* listBox, bool selected) {
  listBox->SetAllSelected(selected);
}

void TDVUpdateSQLEditForm::SelectAllClick(rtl::TObject* Sender) {
  (void)Sender;
  vcl::TControl* target = pmFields->PopupComponent();
  if (target == lbKeyFields || target == lbUpdateFields) SetSelectedAllItems(static_cast<vcl::TListBox*>(target), true);
}

void TDVUpdateSQLEditForm::ClearAllClick(rtl::TObject* Sender) {
  (void)Sender;
  vcl::TControl* target = pmFields->PopupComponent();
  if (target == lbKeyFields || target == lbUpdateFields)
    SetSelectedAllItems(static_cast<vcl::TListBox*>(target), false);
}

void TDVUpdateSQLEditForm::SelectAllFields() {
  for (vcl::TListBox* list : {lbKeyFields, lbUpdateFields}) {
    pmFields->SetPopupComponent(list);
    SelectAllClick(this);
  }
}

void TDVUpdateSQLEditForm::cbTableNameChange(rtl::TObject* Sender) {
  (void)Sender;
  bool usable = FUpdateSQL != nullptr && FUpdateSQL->DataSet() != nullptr && !rtl::Trim(cbTableName->Text()).empty();
  btGetTableFields->SetEnabled(usable);
  btSelectPrimKeys->SetEnabled(usable);
  btGenerateSQL->SetEnabled(usable);
}

void TDVUpdateSQLEditForm::DataSetDefaultsClick(rtl::TObject* Sender) {
  (void)Sender;
  rtl::TStringList names;
  for (int i = 0; i < FFieldInfo->Count(); ++i) {
    std::string name = FFieldInfo->Names(i);
    if (!name.empty()) names.Add(name);
  }
  lbKeyFields->Items()->Assign(names);
  lbUpdateFields->Items()->Assign(names);
  SelectAllFields();
  btDataSetDefaults->SetEnabled(false);
}

}  // namespace dv
