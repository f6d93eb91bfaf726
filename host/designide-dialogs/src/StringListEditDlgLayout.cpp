// The layout of the string-list dialog: every control with its kind,
// bounds, caption and bound handler, in creation order.
#include "DialogLayout.h"
#include "designide-dialogs/StringListEditDlg.h"

namespace designide {

void TStringListEditDlg::CreateControls() {
  SetName("StringListEditDlg");
  vcl::DialogLook(*this, vcl::TFormBorderStyle::bsSizeable, 440, 300);
  meLines = Place<vcl::TMemo>(this, "meLines", 8, 8, 424, 251);
  meLines->SetScrollBars(vcl::TScrollStyle::ssBoth);
  meLines->SetWordWrap(false);
  btCodeEditor = Place<vcl::TButton>(this, "btCodeEditor", 8, 267, 100, 25, "&Code Editor...");
  btCodeEditor->SetModalResult(vcl::mrCancel);
  btCodeEditor->OnClick = [this](rtl::TObject*) { codeEditorChosen_ = true; };
  btOk = Place<vcl::TButton>(this, "btOk", 276, 267, 75, 25, "OK");
  btOk->SetDefault(true);
  btOk->SetModalResult(vcl::mrOk);
  btCancel = Place<vcl::TButton>(this, "btCancel", 357, 267, 75, 25, "Cancel");
  btCancel->SetCancel(true);
  btCancel->SetModalResult(vcl::mrCancel);
}

}  // namespace designide
