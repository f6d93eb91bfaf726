// The layout of the field-link designer: every control with its kind,
// bounds, caption and bound handler, in creation order.
#include "designide-dialogs/FieldLinkDlg.h"

#include "vcl/DialogLook.h"
#include "vcl/Place.h"

namespace designide {

namespace {
using vcl::Place;

vcl::TLabel* Label(vcl::TForm* form, const char* name, int left, int top, const char* caption,
                   vcl::TWinControl* focus) {
  auto* label = Place<vcl::TLabel>(form, name, left, top, 150, 13);
  label->SetCaption(caption);
  label->SetFocusControl(focus);
  return label;
}

vcl::TButton* Button(vcl::TForm* form, const char* name, int left, int top, const char* caption) {
  auto* button = Place<vcl::TButton>(form, name, left, top, 75, 25);
  button->SetCaption(caption);
  return button;
}
}  // namespace

void TFieldLinkDlg::CreateControls() {
  SetName("FieldLinkDlg");
  SetCaption("Field Link Designer");
  SetBorderIcons(vcl::biSystemMenu);
  SetBorderStyle(vcl::TFormBorderStyle::bsDialog);
  SetClientSize(390, 350);
  vcl::SetDialogFont(*this);
  SetPosition(vcl::TPosition::poScreenCenter);
  OnCloseQuery = [this](rtl::TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
  auto click = [this](void (TFieldLinkDlg::*handler)(rtl::TObject*)) {
    return [this, handler](rtl::TObject* sender) { (this->*handler)(sender); };
  };

  cbIndexes = Place<vcl::TComboBox>(this, "cbIndexes", 8, 24, 180, 21);
  cbIndexes->SetStyle(vcl::TComboBoxStyle::csDropDownList);
  cbIndexes->OnChange = click(&TFieldLinkDlg::cbIndexesChange);
  lblIndexes = Label(this, "lblIndexes", 8, 8, "Available &Indexes", cbIndexes);
  lbDetail = Place<vcl::TListBox>(this, "lbDetail", 8, 72, 140, 120);
  lbDetail->OnClick = click(&TFieldLinkDlg::ListClick);
  lblDetail = Label(this, "lblDetail", 8, 56, "D&etail Fields", lbDetail);
  btAdd = Button(this, "btAdd", 157, 110, "&Add");
  btAdd->OnClick = click(&TFieldLinkDlg::btAddClick);
  lbMaster = Place<vcl::TListBox>(this, "lbMaster", 241, 72, 140, 120);
  lbMaster->OnClick = click(&TFieldLinkDlg::ListClick);
  lblMaster = Label(this, "lblMaster", 241, 56, "&Master Fields", lbMaster);
  lbJoined = Place<vcl::TListBox>(this, "lbJoined", 8, 220, 290, 90);
  lbJoined->OnClick = click(&TFieldLinkDlg::ListClick);
  lblJoined = Label(this, "lblJoined", 8, 204, "&Joined Fields", lbJoined);
  btDelete = Button(this, "btDelete", 306, 220, "&Delete");
  btDelete->OnClick = click(&TFieldLinkDlg::btDeleteClick);
  btClear = Button(this, "btClear", 306, 252, "&Clear");
  btClear->OnClick = click(&TFieldLinkDlg::btClearClick);
  btOK = Button(this, "btOK", 225, 318, "OK");
  btOK->SetDefault(true);
  btOK->SetModalResult(vcl::mrOk);
  btCancel = Button(this, "btCancel", 306, 318, "Cancel");
  btCancel->SetCancel(true);
  btCancel->SetModalResult(vcl::mrCancel);
}

}  // namespace designide
