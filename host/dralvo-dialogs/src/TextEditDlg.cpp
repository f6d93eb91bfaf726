#include "TextEditDlg.h"

#include "DialogLayout.h"
#include "rtl/objects/ClassBuilder.h"

namespace dralvo {

const rtl::TClass& TDVTextEditDlg::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TDVTextEditDlg>("TDVTextEditDlg", &vcl::TForm::StaticClass()).Build();
  return cls;
}

TDVTextEditDlg::TDVTextEditDlg(rtl::TComponent* AOwner, const std::string& Caption, int Width, int Height)
    : vcl::TForm(AOwner) {
  SetCaption(Caption);
  vcl::DialogLook(*this, vcl::TFormBorderStyle::bsSizeable, Width, Height);
  const int buttonsTop = Height - 33;
  btCodeEditor = Place<vcl::TButton>(this, this, "btCodeEditor", 8, buttonsTop, 100, 25, "&Code Editor...");
  btCodeEditor->SetModalResult(vcl::mrCancel);
  btCodeEditor->OnClick = [this](rtl::TObject*) { FCodeEditorChosen = true; };
  btOk = Place<vcl::TButton>(this, this, "btOk", Width - 164, buttonsTop, 75, 25, "OK");
  btOk->SetDefault(true);
  btOk->SetModalResult(vcl::mrOk);
  btCancel = Place<vcl::TButton>(this, this, "btCancel", Width - 83, buttonsTop, 75, 25, "Cancel");
  btCancel->SetCancel(true);
  btCancel->SetModalResult(vcl::mrCancel);
}

bool TDVTextEditDlg::Run(rtl::TStrings& lines, const TShowCodeEditorProc& ShowCodeEditor) {
  btCodeEditor->SetVisible(static_cast<bool>(ShowCodeEditor));
  meText->Lines()->Assign(lines);
  // The memo splits lines at every line break, a carriage return within a
  // line too; text left as shown goes back as it came, byte for byte.
  const std::string shown = meText->Lines()->Text();
  FCodeEditorChosen = false;
  if (ShowModal() == vcl::mrOk) {
    if (meText->Lines()->Text() != shown) lines.Assign(*meText->Lines());
    return true;
  }
  if (FCodeEditorChosen && ShowCodeEditor) {
    const bool edited = meText->Lines()->Text() != shown;
    rtl::TStringList text;
    text.Assign(edited ? *meText->Lines() : lines);
    ShowCodeEditor(&text, edited);
  }
  return false;
}

}  // namespace dralvo
