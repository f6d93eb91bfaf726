// The layout of the About dialog: every control with its kind, bounds, look
// and bound handler, in creation order.
#include "DVAbout/AboutDlg.h"

#include "vcl/DialogLook.h"
#include "vcl/Place.h"

namespace dv {

namespace {
using vcl::Place;

vcl::TLabel* Label(vcl::TForm* form, const char* name, int left, int top, int width, int height,
                   const char* caption, vcl::TFontStyles style = 0) {
  auto* label = Place<vcl::TLabel>(form, name, left, top, width, height);
  label->SetCaption(caption);
  if (style != 0) label->Font().SetStyle(style);
  return label;
}

// A label that looks and acts as a link.
vcl::TLabel* Link(vcl::TForm* form, const char* name, int left, int top, int width, int height,
                  const char* caption) {
  auto* label = Label(form, name, left, top, width, height, caption, vcl::fsUnderline);
  label->Font().SetColor(vcl::clNavy);
  label->SetCursor(vcl::crHandPoint);
  return label;
}
}  // namespace

void TDVAboutDlg::CreateControls() {
  SetName("DVAboutDlg");
  SetCaption("About Dralvo");
  SetBorderIcons(vcl::biSystemMenu);
  SetBorderStyle(vcl::TFormBorderStyle::bsDialog);
  SetClientSize(321, 186);
  SetColor(vcl::clBtnFace);
  vcl::SetDialogFont(*this);
  SetPosition(vcl::TPosition::poScreenCenter);
  SetScaled(false);
  OnCreate = [this](rtl::TObject* sender) { FormCreate(sender); };

  using namespace std::placeholders;
  imgLogo = Place<vcl::TImage>(this, "imgLogo", 3, 6, 100, 30);
  imgLogo->SetAutoSize(true);
  imgLogo->SetStretch(true);
  imgLogo->LoadFromData(AboutLogoBitmap());
  lblCopyright = Label(this, "lblCopyright", 22, 168, 273, 13, "Copyright");
  lblCopyright->SetAlignment(vcl::TAlignment::taCenter);
  bvCopyright = Place<vcl::TBevel>(this, "bvCopyright", 6, 159, 307, 10);
  bvCopyright->SetShape(vcl::TBevelShape::bsTopLine);
  lblHome = Link(this, "lblHome", 120, 72, 80, 13, "Dralvo Home");
  lblHome->OnMouseDown = std::bind(&TDVAboutDlg::lblHomeMouseDown, this, _1, _2, _3, _4, _5);
  lblOrder = Label(this, "lblOrder", 75, 114, 170, 13, "Order Dralvo online NOW:", vcl::fsBold);
  lblProductName = Label(this, "lblProductName", 111, 6, 78, 16, "Dralvo", vcl::fsBold | vcl::fsItalic);
  lblProductName->Font().SetHeight(-13);
  lblVersion = Label(this, "lblVersion", 111, 27, 35, 13, "Version");
  lblSupport = Link(this, "lblSupport", 100, 93, 121, 13, "Dralvo E:Mail Support");
  lblSupport->OnMouseDown = std::bind(&TDVAboutDlg::lblSupportMouseDown, this, _1, _2, _3, _4, _5);
  lblLinks = Label(this, "lblLinks", 27, 51, 267, 13, "For additial information visit the following links:",
                   vcl::fsBold);
  lblOrderEdition1 = Link(this, "lblOrderEdition1", 9, 135, 131, 13, AboutEdition1Name);
  lblOrderEdition1->OnMouseDown = std::bind(&TDVAboutDlg::lblOrderMouseDown, this, _1, _2, _3, _4, _5);
  lblOrderEdition2 = Link(this, "lblOrderEdition2", 180, 135, 131, 13, AboutEdition2Name);
  lblOrderEdition2->OnMouseDown = std::bind(&TDVAboutDlg::lblOrderMouseDown, this, _1, _2, _3, _4, _5);
  btOk = Place<vcl::TButton>(this, "btOk", 243, 6, 75, 25);
  btOk->SetCaption("OK");
  btOk->SetDefault(true);
  btOk->SetCancel(true);
  btOk->SetModalResult(vcl::mrOk);
  btOk->SetTabOrder(0);
}

}  // namespace dv
