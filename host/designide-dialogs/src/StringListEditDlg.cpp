#include "designide-dialogs/StringListEditDlg.h"

#include <memory>

#include "rtl/objects/ClassBuilder.h"
#include "rtl/text/Strings.h"

namespace designide {

const rtl::TClass& TStringListEditDlg::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TStringListEditDlg>("TStringListEditDlg", &vcl::TForm::StaticClass()).Build();
  return cls;
}

TStringListEditDlg::TStringListEditDlg(rtl::TComponent* owner) : vcl::TForm(owner) { CreateControls(); }

bool TStringListEditDlg::Run(const std::string& title, rtl::TStrings& lines,
                             const TShowCodeEditorProc& showCodeEditor) {
  SetCaption("String List Editor - " + title);
  btCodeEditor->SetVisible(static_cast<bool>(showCodeEditor));
  meLines->Lines()->Assign(lines);
  // The memo splits lines at every line break, a carriage return within a
  // line too: lines left as shown go back as they came, byte for byte.
  const std::string shown = meLines->Lines()->Text();
  codeEditorChosen_ = false;
  if (ShowModal() == vcl::mrOk) {
    if (meLines->Lines()->Text() != shown) lines.Assign(*meLines->Lines());
    return true;
  }
  if (codeEditorChosen_ && showCodeEditor) {
    const bool edited = meLines->Lines()->Text() != shown;
    showCodeEditor(edited ? *meLines->Lines() : lines, edited);
  }
  return false;
}

bool ShowStringListEditor(const std::string& title, rtl::TStrings& lines, const TShowCodeEditorProc& showCodeEditor) {
  auto dialog = std::make_unique<TStringListEditDlg>(nullptr);
  return dialog->Run(title, lines, showCodeEditor);
}

}  // namespace designide
