// The About dialog's form, layout and texts, and ShowAboutBox's ownership.
// The package's units are linked into this program, so the module file is
// the program, which has no version data: the texts show the defaults.
#include <gtest/gtest.h>

#include <QPalette>
#include <QWidget>
#include <memory>

#include "DVAbout/AboutDlg.h"
#include "rtl/packages/Resources.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/qt/Widgets.h"

namespace {

using dv::TDVAboutDlg;

std::unique_ptr<TDVAboutDlg> MakeDialog(rtl::TComponent* owner) {
  return std::unique_ptr<TDVAboutDlg>(vcl::CreateForm<TDVAboutDlg>(owner));
}

TEST(AboutDialog, FormPropertiesAsDesigned) {
  rtl::TComponent owner(nullptr);
  auto dlg = MakeDialog(&owner);
  EXPECT_EQ(dlg->Caption(), "About Dralvo");
  EXPECT_EQ(dlg->BorderStyle(), vcl::TFormBorderStyle::bsDialog);
  EXPECT_EQ(dlg->BorderIcons(), vcl::biSystemMenu);
  EXPECT_EQ(dlg->ClientWidth(), 321);
  EXPECT_EQ(dlg->ClientHeight(), 186);
  EXPECT_EQ(dlg->Position(), vcl::TPosition::poScreenCenter);
  EXPECT_EQ(dlg->Color(), vcl::clBtnFace);
  EXPECT_EQ(dlg->Font().Name(), "MS Sans Serif");
  EXPECT_EQ(dlg->Font().Height(), -11);
  EXPECT_EQ(dlg->Font().Size(), 8);
  EXPECT_FALSE(dlg->Scaled());
}

TEST(AboutDialog, ControlsInCreationOrderWithTheirBounds) {
  rtl::TComponent owner(nullptr);
  auto dlg = MakeDialog(&owner);
  struct TRow {
    const char* Name;
    vcl::TControl* Control;
    int Left, Top, Width, Height;
  };
  const TRow rows[] = {
      {"imgLogo", dlg->imgLogo, 3, 6, 100, 30},
      {"lblCopyright", dlg->lblCopyright, 22, 168, 273, 13},
      {"bvCopyright", dlg->bvCopyright, 6, 159, 307, 10},
      {"lblHome", dlg->lblHome, 120, 72, 80, 13},
      {"lblOrder", dlg->lblOrder, 75, 114, 170, 13},
      {"lblProductName", dlg->lblProductName, 111, 6, 78, 16},
      {"lblVersion", dlg->lblVersion, 111, 27, 35, 13},
      {"lblSupport", dlg->lblSupport, 100, 93, 121, 13},
      {"lblLinks", dlg->lblLinks, 27, 51, 267, 13},
      {"lblOrderEdition1", dlg->lblOrderEdition1, 9, 135, 131, 13},
      {"lblOrderEdition2", dlg->lblOrderEdition2, 180, 135, 131, 13},
      {"btOk", dlg->btOk, 243, 6, 75, 25},
  };
  ASSERT_EQ(dlg->ComponentCount(), static_cast<int>(std::size(rows)));
  for (int i = 0; i < dlg->ComponentCount(); ++i) {
    const TRow& row = rows[i];
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(dlg->Components(i), row.Control) << "creation order";
    EXPECT_EQ(row.Control->Name(), row.Name);
    EXPECT_EQ(row.Control->Parent(), dlg.get());
    EXPECT_EQ(row.Control->Top(), row.Top);
    EXPECT_EQ(row.Control->Height(), row.Height);
    if (dynamic_cast<vcl::TLabel*>(row.Control) != nullptr) {
      // A label grows to its text where this machine's font draws it wider,
      // never leaving any of the bounds it was laid out with.
      EXPECT_LE(row.Control->Left(), row.Left);
      EXPECT_GE(row.Control->Left() + row.Control->Width(), row.Left + row.Width);
    } else {
      EXPECT_EQ(row.Control->Left(), row.Left);
      EXPECT_EQ(row.Control->Width(), row.Width);
    }
  }
}

TEST(AboutDialog, TextsAndLookOfTheLabels) {
  rtl::TComponent owner(nullptr);
  auto dlg = MakeDialog(&owner);
  struct TRow {
    vcl::TLabel* Label;
    std::string Caption;
    vcl::TFontStyles Style;
    bool Link;
  };
  const TRow rows[] = {
      {dlg->lblCopyright, dv::AboutCopyright, 0, false},
      {dlg->lblHome, "Dralvo Home", vcl::fsUnderline, true},
      {dlg->lblOrder, "Order Dralvo online NOW:", vcl::fsBold, false},
      {dlg->lblProductName, "Dralvo", vcl::fsBold | vcl::fsItalic, false},
      {dlg->lblVersion, "Version ", 0, false},
      {dlg->lblSupport, "Dralvo E:Mail Support", vcl::fsUnderline, true},
      {dlg->lblLinks, "For additial information visit the following links:", vcl::fsBold, false},
      {dlg->lblOrderEdition1, dv::AboutEdition1Name, vcl::fsUnderline, true},
      {dlg->lblOrderEdition2, dv::AboutEdition2Name, vcl::fsUnderline, true},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Label->Name());
    EXPECT_EQ(row.Label->Caption(), row.Caption);
    EXPECT_EQ(row.Label->Font().Style(), row.Style);
    EXPECT_EQ(row.Label->Font().Color(), row.Link ? vcl::clNavy : vcl::clWindowText);
    EXPECT_EQ(row.Label->Cursor(), row.Link ? vcl::crHandPoint : vcl::crDefault);
    EXPECT_EQ(static_cast<bool>(row.Label->OnMouseDown), row.Link);
    // What Qt draws follows the label's font.
    EXPECT_EQ(vcl::qt::WidgetOf(*row.Label)->font().bold(), (row.Style & vcl::fsBold) != 0);
    EXPECT_EQ(vcl::qt::WidgetOf(*row.Label)->font().underline(), (row.Style & vcl::fsUnderline) != 0);
  }
  EXPECT_EQ(dlg->lblProductName->Font().Height(), -13);
  EXPECT_EQ(dlg->lblVersion->Font().Height(), -11);
  EXPECT_EQ(dlg->lblCopyright->Alignment(), vcl::TAlignment::taCenter);
  EXPECT_EQ(vcl::qt::WidgetOf(*dlg->lblHome)->palette().color(QPalette::WindowText), QColor(0, 0, 0x80));
  EXPECT_EQ(dlg->bvCopyright->Shape(), vcl::TBevelShape::bsTopLine);
  EXPECT_EQ(dlg->btOk->Caption(), "OK");
  EXPECT_TRUE(dlg->btOk->Default());
  EXPECT_TRUE(dlg->btOk->Cancel());
  EXPECT_EQ(dlg->btOk->ModalResult(), vcl::mrOk);
  EXPECT_EQ(dlg->TabList(), (std::vector<vcl::TWinControl*>{dlg->btOk})) << "the only control in the tab order";
}

TEST(AboutDialog, LogoIsAn8BitUncompressedPicture) {
  const std::string bmp = dv::AboutLogoBitmap();
  ASSERT_GT(bmp.size(), 14u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  rtl::TBitmapHeader h = rtl::DecodeBitmapHeader(bmp.substr(14), "logo");
  EXPECT_EQ(h.Width, 100);
  EXPECT_EQ(h.Height, 30);
  EXPECT_EQ(h.BitCount, 8);
  EXPECT_EQ(h.Compression, 0u);
  EXPECT_EQ(h.PaletteEntries(), 256u);
  EXPECT_EQ(bmp.size(), 14u + 40u + 256u * 4u + 100u * 30u);

  rtl::TComponent owner(nullptr);
  auto dlg = MakeDialog(&owner);
  EXPECT_FALSE(dlg->imgLogo->Empty());
  EXPECT_EQ(dlg->imgLogo->PictureWidth(), 100);
  EXPECT_EQ(dlg->imgLogo->PictureHeight(), 30);
  EXPECT_TRUE(dlg->imgLogo->AutoSize());
  EXPECT_TRUE(dlg->imgLogo->Stretch());
}

// ShowAboutBox: one fresh dialog per call, owned by the application while
// it is shown, gone afterwards, whichever way ShowModal ends.
class ShowAboutBoxTest : public ::testing::Test {
 protected:
  int Forms() const { return vcl::Application()->ComponentCount(); }
};

TEST_F(ShowAboutBoxTest, EnterAndEscapeCloseWithOk) {
  const int before = Forms();
  for (bool enter : {true, false}) {
    SCOPED_TRACE(enter ? "Enter" : "Escape");
    vcl::TScriptAutomation automation;
    TDVAboutDlg* seen = nullptr;
    vcl::TModalResult result = vcl::mrNone;
    automation.OnForm = [&](vcl::TForm& form) {
      seen = dynamic_cast<TDVAboutDlg*>(&form);
      ASSERT_NE(seen, nullptr);
      EXPECT_EQ(form.Owner(), vcl::Application());
      EXPECT_EQ(Forms(), before + 1);
      EXPECT_EQ(seen->lblProductName->Caption(), "Dralvo");
      EXPECT_EQ(seen->lblVersion->Caption(), "Version ");
      enter ? form.PressEnter() : form.PressEscape();
      result = form.ModalResult();
    };
    vcl::ScopedAutomation scope(automation);
    dv::ShowAboutBox();
    EXPECT_EQ(automation.FormsShown, 1);
    EXPECT_EQ(result, vcl::mrOk);
    EXPECT_EQ(Forms(), before) << "freed after ShowModal";
  }
}

TEST_F(ShowAboutBoxTest, FreedWhenShowingRaises) {
  const int before = Forms();
  vcl::TScriptAutomation automation;
  automation.OnForm = [&](vcl::TForm&) {
    EXPECT_EQ(Forms(), before + 1);
    throw rtl::Exception("the person walked away");
  };
  vcl::ScopedAutomation scope(automation);
  EXPECT_THROW(dv::ShowAboutBox(), rtl::Exception);
  EXPECT_EQ(Forms(), before);
}

}  // namespace
