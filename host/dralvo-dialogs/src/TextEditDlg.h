#pragma once
// The form shared by the parameters editor and the SQL editor: a text, OK,
// Cancel, and a button that hands the text to the code editor instead.
#include <string>

#include "dralvo-dialogs/Dlgs.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace dralvo {

class TDVTextEditDlg : public vcl::TForm {
  RTL_CLASS(TDVTextEditDlg)
 public:
  // Places the buttons along the bottom; the descendant places meText.
  TDVTextEditDlg(rtl::TComponent* AOwner, const std::string& Caption, int Width, int Height);

  vcl::TMemo* meText = nullptr;
  vcl::TButton* btCodeEditor = nullptr;
  vcl::TButton* btOk = nullptr;
  vcl::TButton* btCancel = nullptr;

  // Shows the dialog with `lines`. OK: true, the dialog's lines left in
  // `lines`. The code-editor button: ShowCodeEditor gets the dialog's lines
  // and whether they differ from `lines`, once the dialog is closed; false.
  // Cancel: false. An empty ShowCodeEditor hides its button.
  bool Run(rtl::TStrings& lines, const TShowCodeEditorProc& ShowCodeEditor);

 private:
  bool FCodeEditorChosen = false;
};

}  // namespace dralvo
