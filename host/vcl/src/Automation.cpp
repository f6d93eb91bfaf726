#include "vcl/Automation.h"

#include <algorithm>

#include "rtl/system/Exceptions.h"
#include "vcl/Forms.h"

namespace vcl {

namespace {
TAutomation*& Installed() {
  static TAutomation* current = nullptr;
  return current;
}
}  // namespace

TAutomation* CurrentAutomation() { return Installed(); }

void FormErrorShown(TForm& form, const std::string& text) {
  if (TAutomation* automation = Installed()) automation->ErrorShown(form, text);
}

void TAutomation::ErrorShown(TForm&, const std::string&) {}

ScopedAutomation::ScopedAutomation(TAutomation& automation) : previous_(Installed()) { Installed() = &automation; }

ScopedAutomation::~ScopedAutomation() { Installed() = previous_; }

void TScriptAutomation::FormShown(TForm& form) {
  ++FormsShown;
  if (!OnForm) throw rtl::Exception("No automation step for the form \"" + form.Caption() + "\"");
  OnForm(form);
}

void TScriptAutomation::CloseRefused(TForm& form) {
  if (!OnRefused) throw rtl::Exception("The form \"" + form.Caption() + "\" refused to close");
  OnRefused(form);
}

TModalResult TScriptAutomation::MessageShown(const TMessageDlgInfo& info) {
  Messages.push_back(info);
  if (!OnMessage) throw rtl::Exception("Unexpected message: " + info.Text);
  return OnMessage(info);
}

intptr_t TAutomation::ShellExecuted(const TShellExecuteInfo& info) {
  throw rtl::Exception("No automation step for opening \"" + info.File + "\"");
}

intptr_t TScriptAutomation::ShellExecuted(const TShellExecuteInfo& info) {
  ShellRequests.push_back(info);
  if (!OnShellExecute) return TAutomation::ShellExecuted(info);
  return OnShellExecute(info);
}

bool TAutomation::KeyDown(int) { return false; }

bool TScriptAutomation::KeyDown(int virtualKey) {
  return std::find(KeysDown.begin(), KeysDown.end(), virtualKey) != KeysDown.end();
}

bool TAutomation::FileDialogShown(TOpenDialog& dialog) {
  throw rtl::Exception("No automation step for the file dialog \"" + dialog.Title() + "\"");
}

bool TScriptAutomation::FileDialogShown(TOpenDialog& dialog) {
  ++FormsShown;
  if (!OnFileDialog) return TAutomation::FileDialogShown(dialog);
  return OnFileDialog(dialog);
}

}  // namespace vcl
