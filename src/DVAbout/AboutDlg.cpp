#include "DVAbout/AboutDlg.h"

#include <memory>

#include "DVReg/codeeditor/PackageModule.h"
#include "dralvo/Common.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"
#include "vcl/Shell.h"

namespace dv {

const rtl::TClass& TDVAboutDlg::StaticClass() {
  static const rtl::TClass cls("TDVAboutDlg", &vcl::TForm::StaticClass());
  return cls;
}

TDVAboutDlg::TDVAboutDlg(rtl::TComponent* owner) : vcl::TForm(owner) { CreateControls(); }

TDVAboutDlg::~TDVAboutDlg() { DoDestroy(); }

void TDVAboutDlg::FormCreate(rtl::TObject*) {
  std::string productName = "Dralvo";
  std::string version;
  // The design-time package's own file, not the runtime library's nor the
  // host program's.
  dralvo::ReadFileVersInfo(dralvo::GetModuleFileNameStr(HInstance()), productName, version);
  lblCopyright->SetCaption(AboutCopyright);
  lblProductName->SetCaption(productName);
  lblVersion->SetCaption(rtl::Format("Version %s", {version}));
}

void TDVAboutDlg::lblHomeMouseDown(rtl::TObject*, vcl::TMouseButton Button, vcl::TShiftState, int, int) {
  if (Button == vcl::TMouseButton::mbLeft) OpenLink(AboutHomeAddress);
}

void TDVAboutDlg::lblOrderMouseDown(rtl::TObject* Sender, vcl::TMouseButton Button, vcl::TShiftState, int, int) {
  if (Button != vcl::TMouseButton::mbLeft) return;
  OpenLink(Sender == lblOrderEdition1 ? AboutOrderEdition1Address : AboutOrderEdition2Address);
}

void TDVAboutDlg::lblSupportMouseDown(rtl::TObject*, vcl::TMouseButton Button, vcl::TShiftState, int, int) {
  if (Button == vcl::TMouseButton::mbLeft) OpenLink(AboutSupportAddress);
}

void TDVAboutDlg::OpenLink(const std::string& address) {
  // Hidden show command: the handler program opens its own window.
  if (vcl::ShellExecuteW(nullptr, "open", address, "", "", vcl::SW_HIDE) <= 32)
    vcl::MessageDlg(rtl::Format(AboutOpenError, {address}), vcl::TMsgDlgType::mtError, vcl::mbOK, 0);
}

void ShowAboutBox() {
  TDVAboutDlg* dialog = nullptr;
  vcl::Application()->CreateForm(dialog);
  std::unique_ptr<TDVAboutDlg> owned(dialog);  // freed on every way out
  owned->ShowModal();
}

}  // namespace dv
