#pragma once
// The framework's string-list dialog, behind TStringListProperty: the lines
// in a memo, OK, Cancel, and "Code Editor..." that closes the dialog and
// hands its lines to the code editor instead (marked as unsaved edits when
// the person changed them here).
#include <string>

#include "designide/StringListProperty.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace designide {

class TStringListEditDlg : public vcl::TForm {
  RTL_CLASS(TStringListEditDlg)
 public:
  explicit TStringListEditDlg(rtl::TComponent* owner);

  vcl::TMemo* meLines = nullptr;
  vcl::TButton* btCodeEditor = nullptr;
  vcl::TButton* btOk = nullptr;
  vcl::TButton* btCancel = nullptr;

  // Shows the dialog on `lines`. OK: true, the dialog's lines in `lines`
  // (left as they were when unchanged). "Code Editor...": showCodeEditor
  // gets the dialog's lines once the dialog is closed; false. Cancel:
  // false. An empty showCodeEditor hides its button.
  bool Run(const std::string& title, rtl::TStrings& lines, const TShowCodeEditorProc& showCodeEditor);

 private:
  void CreateControls();  // the layout, in its own file
  bool codeEditorChosen_ = false;
};

// The framework's string-list editor handler: shows the dialog modally.
bool ShowStringListEditor(const std::string& title, rtl::TStrings& lines, const TShowCodeEditorProc& showCodeEditor);

}  // namespace designide
