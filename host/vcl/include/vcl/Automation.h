#pragma once
// The seam through which everything modal runs when no person is there.
//
// An automation installed for a scope takes over every modal form and
// message box shown meanwhile. For a form it acts on the controls through
// the calls a person's clicks and keys make (Click, TypeText, Choose,
// SetFocus, ...) and ends the form with a modal result (clicking a button
// that has one, or SetModalResult). The form then runs OnCloseQuery as for a
// person's close; when the form refuses, CloseRefused is called and the
// automation can act again. Message boxes are handed over with their type,
// text and buttons, and the automation answers with one of the buttons.
//
// Interactive runs (no automation installed, a real display) use Qt's own
// modal loop.
#include <functional>
#include <string>
#include <vector>

#include "vcl/Dialogs.h"
#include "vcl/Shell.h"
#include "vcl/Types.h"

namespace vcl {

class TForm;

class TAutomation {
 public:
  virtual ~TAutomation() = default;
  // A modal form is shown; act on it and end it with a modal result.
  virtual void FormShown(TForm& form) = 0;
  // The form refused to close (OnCloseQuery); its modal result is mrNone
  // again. Act again and end it with a modal result.
  virtual void CloseRefused(TForm& form) = 0;
  // A message box is shown; answer with the modal result of one of its
  // buttons.
  virtual TModalResult MessageShown(const TMessageDlgInfo& info) = 0;
  // The desktop is asked to open something (ShellExecuteW); answer as the
  // desktop would: above 32 opened, 32 or less refused. An automation that
  // does not expect this raises.
  virtual intptr_t ShellExecuted(const TShellExecuteInfo& info);
  // Whether the key (a virtual-key code of vcl/Keyboard.h) is held down
  // now; none is unless the automation says so.
  virtual bool KeyDown(int virtualKey);
  // A file-open dialog is shown; set its FileName and return true to
  // choose that file, or return false to cancel. An automation that does
  // not expect this raises.
  virtual bool FileDialogShown(TOpenDialog& dialog);
  // A form shows an error in a control of its own (a status line) rather
  // than in a message box. Nothing to answer; by default ignored, as a
  // person would read it there and go on.
  virtual void ErrorShown(TForm& form, const std::string& text);
};

// An automation made of functions, recording every message box shown. A
// form or message box that arrives without a function set raises, so a
// script that meets something it did not expect fails loudly.
class TScriptAutomation : public TAutomation {
 public:
  std::function<void(TForm&)> OnForm;
  std::function<void(TForm&)> OnRefused;
  std::function<TModalResult(const TMessageDlgInfo&)> OnMessage;
  std::function<intptr_t(const TShellExecuteInfo&)> OnShellExecute;
  std::function<bool(TOpenDialog&)> OnFileDialog;
  std::vector<TMessageDlgInfo> Messages;
  std::vector<TShellExecuteInfo> ShellRequests;
  // Keys held down while the script runs (vcl::VK_MENU for Alt).
  std::vector<int> KeysDown;
  int FormsShown = 0;  // modal forms and file dialogs

  void FormShown(TForm& form) override;
  void CloseRefused(TForm& form) override;
  TModalResult MessageShown(const TMessageDlgInfo& info) override;
  intptr_t ShellExecuted(const TShellExecuteInfo& info) override;
  bool KeyDown(int virtualKey) override;
  bool FileDialogShown(TOpenDialog& dialog) override;
};

// Installs an automation for the lifetime of this object; the one installed
// before comes back afterwards.
class ScopedAutomation {
 public:
  explicit ScopedAutomation(TAutomation& automation);
  ~ScopedAutomation();
  ScopedAutomation(const ScopedAutomation&) = delete;
  ScopedAutomation& operator=(const ScopedAutomation&) = delete;

 private:
  TAutomation* previous_;
};

TAutomation* CurrentAutomation();

// Tells the automation installed, if any, that `form` shows the error
// `text` in a control of its own.
void FormErrorShown(TForm& form, const std::string& text);

// How many times a form may refuse to close before an automation that keeps
// trying is stopped with an error.
constexpr int MaxRefusedCloses = 100;

}  // namespace vcl
