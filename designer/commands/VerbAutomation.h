#pragma once
// What `dvdesigner verb` does in the dialogs a verb opens, through the modal
// seam: each form is ended with Cancel, or with OK when asked to accept;
// file choosers are cancelled, the desktop is not asked to open anything,
// and each message box is logged and answered with the button that changes
// least.
#include <ostream>

#include "vcl/Automation.h"

namespace designer {

// The button of a message box whose answer changes least: No, then OK,
// then Cancel, then the first one offered.
vcl::TModalResult CautiousAnswer(const vcl::TMessageDlgInfo& info);

class TVerbAutomation : public vcl::TAutomation {
 public:
  TVerbAutomation(bool accept, std::ostream& log) : accept_(accept), log_(log) {}

  void FormShown(vcl::TForm& form) override;
  void CloseRefused(vcl::TForm& form) override;
  vcl::TModalResult MessageShown(const vcl::TMessageDlgInfo& info) override;
  intptr_t ShellExecuted(const vcl::TShellExecuteInfo& info) override;
  bool FileDialogShown(vcl::TOpenDialog& dialog) override;
  void ErrorShown(vcl::TForm& form, const std::string& text) override;

  // An error was shown (in a message box or in the form), or the form
  // refused to close.
  bool Failed() const { return failed_; }

 private:
  bool accept_;
  std::ostream& log_;
  bool failed_ = false;
};

}  // namespace designer
