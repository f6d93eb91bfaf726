// The About dialog's links: which address each label opens, that only the
// left button opens it, and the message when the desktop refuses.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <memory>

#include "DVAbout/AboutDlg.h"
#include "vcl/Automation.h"
#include "vcl/qt/Widgets.h"

namespace {

using dv::TDVAboutDlg;

class AboutLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    dlg_.reset(vcl::CreateForm<TDVAboutDlg>(&owner_));
    automation_.OnShellExecute = [this](const vcl::TShellExecuteInfo&) { return answer_; };
    automation_.OnMessage = [](const vcl::TMessageDlgInfo&) { return vcl::mrOk; };
  }
  rtl::TComponent owner_{nullptr};
  std::unique_ptr<TDVAboutDlg> dlg_;
  vcl::TScriptAutomation automation_;
  intptr_t answer_ = vcl::ShellOpened;
};

TEST_F(AboutLinks, LeftClickOpensTheLabelsAddressHidden) {
  struct TRow {
    vcl::TLabel* Label;
    std::string Address;
  };
  const TRow rows[] = {
      {dlg_->lblHome, dv::AboutHomeAddress},
      {dlg_->lblSupport, dv::AboutSupportAddress},
      {dlg_->lblOrderEdition1, dv::AboutOrderEdition1Address},
      {dlg_->lblOrderEdition2, dv::AboutOrderEdition2Address},
  };
  vcl::ScopedAutomation scope(automation_);
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Label->Name());
    automation_.ShellRequests.clear();
    row.Label->MouseDown(vcl::TMouseButton::mbLeft, 0, 3, 3);
    ASSERT_EQ(automation_.ShellRequests.size(), 1u);
    const vcl::TShellExecuteInfo& request = automation_.ShellRequests[0];
    EXPECT_EQ(request.File, row.Address);
    EXPECT_EQ(request.Operation, "open");
    EXPECT_EQ(request.Owner, nullptr);
    EXPECT_EQ(request.Parameters, "");
    EXPECT_EQ(request.Directory, "");
    EXPECT_EQ(request.ShowCmd, vcl::SW_HIDE);
  }
  EXPECT_EQ(std::string(dv::AboutSupportAddress).rfind("mailto:", 0), 0u);
  EXPECT_TRUE(automation_.Messages.empty()) << "opened links report nothing";
}

TEST_F(AboutLinks, OrderHandlerOpensTheSecondEditionForAnyOtherSender) {
  vcl::ScopedAutomation scope(automation_);
  dlg_->lblOrderMouseDown(dlg_->lblHome, vcl::TMouseButton::mbLeft, 0, 0, 0);
  dlg_->lblOrderMouseDown(nullptr, vcl::TMouseButton::mbLeft, 0, 0, 0);
  ASSERT_EQ(automation_.ShellRequests.size(), 2u);
  EXPECT_EQ(automation_.ShellRequests[0].File, dv::AboutOrderEdition2Address);
  EXPECT_EQ(automation_.ShellRequests[1].File, dv::AboutOrderEdition2Address);
}

TEST_F(AboutLinks, RightAndMiddleClicksDoNothing) {
  vcl::ScopedAutomation scope(automation_);
  for (vcl::TLabel* label : {dlg_->lblHome, dlg_->lblSupport, dlg_->lblOrderEdition1, dlg_->lblOrderEdition2})
    for (vcl::TMouseButton button : {vcl::TMouseButton::mbRight, vcl::TMouseButton::mbMiddle})
      label->MouseDown(button, vcl::ssShift, 1, 1);
  EXPECT_TRUE(automation_.ShellRequests.empty());
  EXPECT_TRUE(automation_.Messages.empty());
}

TEST_F(AboutLinks, RefusalShowsTheWholeAddressAndTheDialogStays) {
  // 32 is still a refusal; 33 is the first success.
  for (intptr_t refusal : {intptr_t{0}, vcl::SE_ERR_FNF, vcl::SE_ERR_NOASSOC, intptr_t{32}}) {
    SCOPED_TRACE(refusal);
    answer_ = refusal;
    automation_.Messages.clear();
    vcl::ScopedAutomation scope(automation_);
    dlg_->lblSupport->MouseDown(vcl::TMouseButton::mbLeft, 0, 0, 0);
    ASSERT_EQ(automation_.Messages.size(), 1u);
    const vcl::TMessageDlgInfo& msg = automation_.Messages[0];
    EXPECT_EQ(msg.Text, std::string("Error opening following address: ") + dv::AboutSupportAddress);
    EXPECT_EQ(msg.Type, vcl::TMsgDlgType::mtError);
    EXPECT_EQ(msg.Buttons, static_cast<vcl::TMsgDlgButtons>(vcl::mbOK));
  }
  answer_ = 33;
  automation_.Messages.clear();
  vcl::ScopedAutomation scope(automation_);
  dlg_->lblHome->MouseDown(vcl::TMouseButton::mbLeft, 0, 0, 0);
  EXPECT_TRUE(automation_.Messages.empty());
  EXPECT_EQ(dlg_->ModalResult(), vcl::mrNone) << "the dialog stays open";
}

TEST_F(AboutLinks, RealMousePressesOnTheWidgetReachTheHandlers) {
  vcl::ScopedAutomation scope(automation_);
  QWidget* widget = vcl::qt::WidgetOf(*dlg_->lblOrderEdition1);
  const QPointF at(4, 4);
  QMouseEvent right(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &right);
  EXPECT_TRUE(automation_.ShellRequests.empty());
  QMouseEvent left(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(widget, &left);
  ASSERT_EQ(automation_.ShellRequests.size(), 1u);
  EXPECT_EQ(automation_.ShellRequests[0].File, dv::AboutOrderEdition1Address);
}

TEST(ShellWithoutAutomation, OffscreenRefusesWithoutOpening) {
  ASSERT_EQ(vcl::CurrentAutomation(), nullptr);
  EXPECT_LE(vcl::ShellExecuteW(nullptr, "open", "https://www.dralvo.example.org/", "", "", vcl::SW_HIDE), 32);
  EXPECT_EQ(vcl::ShellExecuteW(nullptr, "open", "", "", "", vcl::SW_HIDE), vcl::SE_ERR_FNF);
  EXPECT_EQ(vcl::ShellExecuteW(nullptr, "print", "a.txt", "", "", vcl::SW_HIDE), vcl::SE_ERR_NOASSOC);
}

TEST(ShellWithoutAutomation, AnAutomationThatDoesNotExpectItFailsLoudly) {
  vcl::TScriptAutomation automation;
  vcl::ScopedAutomation scope(automation);
  EXPECT_THROW(vcl::ShellExecuteW(nullptr, "open", "mailto:x@y", "", "", vcl::SW_HIDE), rtl::Exception);
  ASSERT_EQ(automation.ShellRequests.size(), 1u);
  EXPECT_EQ(automation.ShellRequests[0].File, "mailto:x@y");
}

}  // namespace
