// The layout of the UpdateSQL editor: every control with its kind, parent,
// caption, bounds, tab order and bound handler.
#include "DVUpdSEd/UpdateSQLEditForm.h"

#include "vcl/DialogLook.h"
#include "vcl/Place.h"

namespace dv {

namespace {
using vcl::Place;

template <class T>
T* Captioned(T* control, const char* caption) {
  control->SetCaption(caption);
  return control;
}

vcl::TListBox* FieldList(rtl::TComponent* owner, vcl::TWinControl* parent, const char* name, int left) {
  auto* list = Place<vcl::TListBox>(owner, parent, name, left, 33, 150, 172);
  list->SetMultiSelect(true);
  list->SetItemHeight(13);
  return list;
}
}  // namespace

void TDVUpdateSQLEditForm::CreateControls() {
  SetCaption("UpdateSQL Editor");
  SetBorderStyle(vcl::TFormBorderStyle::bsDialog);
  SetPosition(vcl::TPosition::poScreenCenter);
  vcl::SetDialogFont(*this);
  SetClientSize(475, 280);

  pcUpdateSQL = Place<vcl::TPageControl>(this, this, "pcUpdateSQL", 0, 0, 475, 247);
  tsOptions = Captioned(new vcl::TTabSheet(this), "Options");
  tsOptions->SetName("tsOptions");
  tsOptions->SetPageControl(pcUpdateSQL);
  tsSQL = Captioned(new vcl::TTabSheet(this), "SQL");
  tsSQL->SetName("tsSQL");
  tsSQL->SetPageControl(pcUpdateSQL);
  pnlButton = Place<vcl::TPanel>(this, this, "pnlButton", 0, 247, 475, 33);
  pnlButton->SetBevelOuter(vcl::TBevelCut::bvNone);
  btOk = Captioned(Place<vcl::TButton>(this, pnlButton, "btOk", 316, 5, 75, 25), "&OK");
  btOk->SetDefault(true);
  btOk->SetModalResult(vcl::mrOk);
  btCancel = Captioned(Place<vcl::TButton>(this, pnlButton, "btCancel", 396, 5, 75, 25), "Cancel");
  btCancel->SetCancel(true);
  btCancel->SetModalResult(vcl::mrCancel);
  lblSQLText = Captioned(Place<vcl::TLabel>(this, tsSQL, "lblSQLText", 6, 48, 48, 13), "S&QL Text:");
  meSQLText = Place<vcl::TMemo>(this, tsSQL, "meSQLText", 3, 63, 460, 151);
  meSQLText->SetScrollBars(vcl::TScrollStyle::ssBoth);
  gbxGenSQL = Captioned(Place<vcl::TGroupBox>(this, tsOptions, "gbxGenSQL", 3, 0, 460, 214), "SQL Generation");
  lblTableName = Captioned(Place<vcl::TLabel>(this, gbxGenSQL, "lblTableName", 9, 18, 61, 13), "Table &Name:");
  cbTableName = Place<vcl::TComboBox>(this, gbxGenSQL, "cbTableName", 9, 33, 130, 21);
  lblKeyFields = Captioned(Place<vcl::TLabel>(this, gbxGenSQL, "lblKeyFields", 149, 18, 51, 13), "&Key Fields:");
  lbKeyFields = FieldList(this, gbxGenSQL, "lbKeyFields", 149);
  lblUpdateFields =
      Captioned(Place<vcl::TLabel>(this, gbxGenSQL, "lblUpdateFields", 302, 18, 110, 13), "Refresh/Update &Fields:");
  lbUpdateFields = FieldList(this, gbxGenSQL, "lbUpdateFields", 302);
  btDataSetDefaults =
      Captioned(Place<vcl::TButton>(this, gbxGenSQL, "btDataSetDefaults", 15, 90, 120, 25), "&DataSet Defaults");
  btGenerateSQL = Captioned(Place<vcl::TButton>(this, gbxGenSQL, "btGenerateSQL", 15, 150, 120, 25), "&Generate SQL");
  pmFields = new vcl::TPopupMenu(this);
  pmFields->SetName("pmFields");
  miSelectAll = new vcl::TMenuItem(this);
  miSelectAll->SetName("miSelectAll");
  miSelectAll->SetCaption("&Select All");
  pmFields->Add(miSelectAll);
  miClearAll = new vcl::TMenuItem(this);
  miClearAll->SetName("miClearAll");
  miClearAll->SetCaption("&Clear All");
  pmFields->Add(miClearAll);
  rgrStatementType = Captioned(Place<vcl::TRadioGroup>(this, tsSQL, "rgrStatementType", 3, 6, 460, 37), "Statement Type");
  rgrStatementType->SetColumns(4);
  rgrStatementType->Items()->BeginUpdate();
  for (const char* item : {"&Refresh", "&Modify", "&Insert", "&Delete"}) rgrStatementType->Items()->Add(item);
  rgrStatementType->Items()->EndUpdate();
  rgrStatementType->SetItemIndex(0);
  btGetTableFields =
      Captioned(Place<vcl::TButton>(this, gbxGenSQL, "btGetTableFields", 15, 60, 120, 25), "Get &Table Fields");
  cbQuotedFields =
      Captioned(Place<vcl::TCheckBox>(this, gbxGenSQL, "cbQuotedFields", 15, 182, 126, 17), "&Quote Field Names");
  cbQuotedFields->SetChecked(false);
  btSelectPrimKeys =
      Captioned(Place<vcl::TButton>(this, gbxGenSQL, "btSelectPrimKeys", 16, 120, 120, 25), "Select &Primary Keys");

  // What fills the form: the pages above the bottom button panel.
  pnlButton->SetAlign(vcl::TAlign::alBottom);
  pcUpdateSQL->SetAlign(vcl::TAlign::alClient);
  lbKeyFields->SetPopupMenu(pmFields);
  lbUpdateFields->SetPopupMenu(pmFields);
  lblTableName->SetFocusControl(cbTableName);
  lblKeyFields->SetFocusControl(lbKeyFields);
  lblUpdateFields->SetFocusControl(lbUpdateFields);
  lblSQLText->SetFocusControl(meSQLText);

  int order = 0;
  for (vcl::TWinControl* c : {static_cast<vcl::TWinControl*>(pcUpdateSQL), static_cast<vcl::TWinControl*>(pnlButton)})
    c->SetTabOrder(order++);
  gbxGenSQL->SetTabOrder(0);
  order = 0;
  for (vcl::TWinControl* c : std::initializer_list<vcl::TWinControl*>{cbTableName, btGetTableFields, btDataSetDefaults,
                                                                      btSelectPrimKeys, btGenerateSQL, lbKeyFields,
                                                                      lbUpdateFields, cbQuotedFields})
    c->SetTabOrder(order++);
  meSQLText->SetTabOrder(0);
  rgrStatementType->SetTabOrder(1);
  btOk->SetTabOrder(0);
  btCancel->SetTabOrder(1);
  SetActiveControl(cbTableName);

  auto bind = [this](void (TDVUpdateSQLEditForm::*handler)(rtl::TObject*)) {
    return [this, handler](rtl::TObject* sender) { (this->*handler)(sender); };
  };
  OnCreate = bind(&TDVUpdateSQLEditForm::FormCreate);
  OnDestroy = bind(&TDVUpdateSQLEditForm::FormDestroy);
  OnCloseQuery = [this](rtl::TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
  cbTableName->OnChange = bind(&TDVUpdateSQLEditForm::cbTableNameChange);
  btGetTableFields->OnClick = bind(&TDVUpdateSQLEditForm::GetTableFieldsClick);
  btDataSetDefaults->OnClick = bind(&TDVUpdateSQLEditForm::DataSetDefaultsClick);
  btSelectPrimKeys->OnClick = bind(&TDVUpdateSQLEditForm::btSelectPrimKeysClick);
  btGenerateSQL->OnClick = bind(&TDVUpdateSQLEditForm::GenerateSQLClick);
  rgrStatementType->OnClick = bind(&TDVUpdateSQLEditForm::StatementTypeClick);
  meSQLText->OnExit = bind(&TDVUpdateSQLEditForm::SQLTextExit);
  miSelectAll->OnClick = bind(&TDVUpdateSQLEditForm::SelectAllClick);
  miClearAll->OnClick = bind(&TDVUpdateSQLEditForm::ClearAllClick);
}

}  // namespace dv
