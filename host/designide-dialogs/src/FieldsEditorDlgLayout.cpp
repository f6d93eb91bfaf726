// The layout of the fields editor: every control with its kind, bounds,
// caption and bound handler, in creation order.
#include "DialogLayout.h"
#include "designide-dialogs/FieldsEditorDlg.h"

namespace designide {

void TFieldsEditorDlg::CreateControls() {
  SetName("FieldsEditorDlg");
  vcl::DialogLook(*this, vcl::TFormBorderStyle::bsSizeToolWin, 420, 300);
  using Self = TFieldsEditorDlg;
  lbFields = Place<vcl::TListBox>(this, "lbFields", 8, 24, 160, 220);
  lbFields->SetMultiSelect(true);
  lbFields->OnClick = Handler(this, &Self::ListClick);
  lblFields = Place<vcl::TLabel>(this, "lblFields", 8, 8, 160, 13, "&Fields");
  lblFields->SetFocusControl(lbFields);
  btAdd = Place<vcl::TButton>(this, "btAdd", 176, 60, 68, 25, "< &Add");
  btAdd->OnClick = Handler(this, &Self::btAddClick);
  btAddAll = Place<vcl::TButton>(this, "btAddAll", 176, 92, 68, 25, "<< Add A&ll");
  btAddAll->OnClick = Handler(this, &Self::btAddAllClick);
  btDelete = Place<vcl::TButton>(this, "btDelete", 176, 140, 68, 25, "&Delete");
  btDelete->OnClick = Handler(this, &Self::btDeleteClick);
  lbAvailable = Place<vcl::TListBox>(this, "lbAvailable", 252, 24, 160, 220);
  lbAvailable->SetMultiSelect(true);
  lbAvailable->OnClick = Handler(this, &Self::ListClick);
  lblAvailable = Place<vcl::TLabel>(this, "lblAvailable", 252, 8, 160, 13, "A&vailable columns");
  lblAvailable->SetFocusControl(lbAvailable);
  lblStatus = Place<vcl::TLabel>(this, "lblStatus", 8, 252, 404, 13);
  btClose = Place<vcl::TButton>(this, "btClose", 336, 270, 76, 25, "&Close");
  btClose->SetDefault(true);
  btClose->SetCancel(true);
  btClose->SetModalResult(vcl::mrOk);
}

}  // namespace designide
