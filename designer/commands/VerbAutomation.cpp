#include "VerbAutomation.h"

#include "OutputText.h"
#include "vcl/Forms.h"

namespace designer {

vcl::TModalResult CautiousAnswer(const vcl::TMessageDlgInfo& info) {
  for (vcl::TMsgDlgBtn button : {vcl::mbNo, vcl::mbOK, vcl::mbCancel})
    if ((info.Buttons & button) != 0) return vcl::ModalResultOfButton(button);
  for (unsigned bit = 0; bit < 12; ++bit)
    if ((info.Buttons & (1u << bit)) != 0) return vcl::ModalResultOfButton(static_cast<vcl::TMsgDlgBtn>(1u << bit));
  return vcl::mrCancel;
}

void TVerbAutomation::FormShown(vcl::TForm& form) {
  log_ << "Opened \"" << ForTerminal(form.Caption()) << "\"; " << (accept_ ? "accepted" : "cancelled") << "\n";
  form.SetModalResult(accept_ ? vcl::mrOk : vcl::mrCancel);
}

void TVerbAutomation::CloseRefused(vcl::TForm& form) {
  failed_ = true;
  log_ << "Error: \"" << ForTerminal(form.Caption()) << "\" refused to close; cancelled\n";
  form.SetModalResult(vcl::mrCancel);
}

vcl::TModalResult TVerbAutomation::MessageShown(const vcl::TMessageDlgInfo& info) {
  log_ << vcl::MsgDlgTypeName(info.Type) << ": " << ForTerminal(info.Text) << "\n";
  if (info.Type == vcl::TMsgDlgType::mtError) failed_ = true;
  return CautiousAnswer(info);
}

intptr_t TVerbAutomation::ShellExecuted(const vcl::TShellExecuteInfo& info) {
  log_ << "Not opened: " << ForTerminal(info.File) << "\n";
  return 0;
}

bool TVerbAutomation::FileDialogShown(vcl::TOpenDialog& dialog) {
  log_ << "File dialog \"" << ForTerminal(dialog.Title()) << "\" cancelled\n";
  return false;
}

void TVerbAutomation::ErrorShown(vcl::TForm& form, const std::string& text) {
  failed_ = true;
  log_ << "Error in \"" << ForTerminal(form.Caption()) << "\": " << ForTerminal(text) << "\n";
}

}  // namespace designer
