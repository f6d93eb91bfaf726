// The modal seam: automated forms and message boxes, close refusals, and
// never waiting when no one can answer.
#include <gtest/gtest.h>

#include <QWidget>

#include "TestForm.h"
#include "vcl/Automation.h"
#include "vcl/Dialogs.h"
#include "vcl/qt/Widgets.h"

namespace {

using vcltest::NewTestForm;

TEST(Modal, AutomationEndsTheFormByClickingAButton) {
  auto form = NewTestForm();
  vcl::TScriptAutomation automation;
  automation.OnForm = [](vcl::TForm& f) { static_cast<vcltest::TTestForm&>(f).ok->Click(); };
  vcl::ScopedAutomation scope(automation);
  EXPECT_EQ(form->ShowModal(), vcl::mrOk);
  EXPECT_EQ(automation.FormsShown, 1);
  EXPECT_FALSE(form->Modal());
  EXPECT_FALSE(vcl::qt::WidgetOf(*form)->isVisible());
}

TEST(Modal, RefusedCloseIsToldAndTheAutomationActsAgain) {
  auto form = NewTestForm();
  form->allowClose = false;
  vcl::TScriptAutomation automation;
  int refusals = 0;
  automation.OnForm = [](vcl::TForm& f) { f.SetModalResult(vcl::mrOk); };
  automation.OnRefused = [&](vcl::TForm& f) {
    ++refusals;
    EXPECT_EQ(f.ModalResult(), vcl::mrNone);
    auto& t = static_cast<vcltest::TTestForm&>(f);
    t.allowClose = true;
    t.cancel->Click();
  };
  vcl::ScopedAutomation scope(automation);
  EXPECT_EQ(form->ShowModal(), vcl::mrCancel);
  EXPECT_EQ(refusals, 1);
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "close query"), 2);
}

TEST(Modal, AutomationMistakesAreErrorsNotHangs) {
  auto form = NewTestForm();
  vcl::TScriptAutomation leavesOpen;
  leavesOpen.OnForm = [](vcl::TForm&) {};
  {
    vcl::ScopedAutomation scope(leavesOpen);
    EXPECT_THROW(form->ShowModal(), rtl::Exception);
  }
  EXPECT_FALSE(form->Modal());
  form->allowClose = false;
  vcl::TScriptAutomation keepsTrying;
  keepsTrying.OnForm = [](vcl::TForm& f) { f.SetModalResult(vcl::mrOk); };
  keepsTrying.OnRefused = [](vcl::TForm& f) { f.SetModalResult(vcl::mrOk); };
  vcl::ScopedAutomation scope(keepsTrying);
  EXPECT_THROW(form->ShowModal(), rtl::Exception);
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "close query"), vcl::MaxRefusedCloses + 1);
}

TEST(Modal, KeysAndCloseBoxGoThroughTheButtonsAndCloseQuery) {
  struct Row {
    const char* what;
    std::function<void(vcltest::TTestForm&)> act;
    vcl::TModalResult expected;
  };
  std::vector<Row> rows{
      {"Enter", [](vcltest::TTestForm& f) { f.PressEnter(); }, vcl::mrOk},
      {"Escape", [](vcltest::TTestForm& f) { f.PressEscape(); }, vcl::mrCancel},
      {"close box", [](vcltest::TTestForm& f) { f.Close(); }, vcl::mrCancel},
      {"Enter on Cancel", [](vcltest::TTestForm& f) {
         f.cancel->SetFocus();
         f.PressEnter();
       }, vcl::mrCancel},
  };
  for (const Row& row : rows) {
    auto form = NewTestForm();
    vcl::TScriptAutomation automation;
    automation.OnForm = [&](vcl::TForm& f) { row.act(static_cast<vcltest::TTestForm&>(f)); };
    vcl::ScopedAutomation scope(automation);
    EXPECT_EQ(form->ShowModal(), row.expected) << row.what;
    EXPECT_EQ(form->log.back(), "close query") << row.what;
  }
}

TEST(Modal, MessageBoxesReachTheAutomationWithTypeTextAndButtons) {
  vcl::TScriptAutomation automation;
  automation.OnMessage = [](const vcl::TMessageDlgInfo&) { return vcl::mrNo; };
  vcl::ScopedAutomation scope(automation);
  EXPECT_EQ(vcl::MessageDlg("Save changes?", vcl::TMsgDlgType::mtConfirmation, vcl::mbYesNoCancel), vcl::mrNo);
  ASSERT_EQ(automation.Messages.size(), 1u);
  EXPECT_EQ(automation.Messages[0].Text, "Save changes?");
  EXPECT_EQ(automation.Messages[0].Type, vcl::TMsgDlgType::mtConfirmation);
  EXPECT_EQ(automation.Messages[0].Buttons, vcl::mbYesNoCancel);
  // An answer that is not one of the buttons is the automation's mistake.
  EXPECT_THROW(vcl::MessageDlg("Done", vcl::TMsgDlgType::mtInformation, vcl::mbOK), rtl::Exception);
}

TEST(Modal, MessageBoxInsideAnAutomatedFormIsAnsweredToo) {
  auto form = NewTestForm();
  form->ok->OnClick = [](rtl::TObject*) {
    if (vcl::MessageDlg("Really?", vcl::TMsgDlgType::mtWarning, vcl::mbYesNoCancel) != vcl::mrYes)
      throw rtl::EAbort("not really");
  };
  vcl::TScriptAutomation automation;
  automation.OnForm = [](vcl::TForm& f) { static_cast<vcltest::TTestForm&>(f).ok->Click(); };
  automation.OnMessage = [](const vcl::TMessageDlgInfo& info) {
    return info.Type == vcl::TMsgDlgType::mtWarning ? vcl::mrYes : vcl::mrCancel;
  };
  vcl::ScopedAutomation scope(automation);
  EXPECT_EQ(form->ShowModal(), vcl::mrOk);
  EXPECT_EQ(automation.Messages.size(), 1u);
}

TEST(Modal, WithoutAutomationOrDisplayNothingWaits) {
  ASSERT_FALSE(vcl::HasDisplay());
  auto form = NewTestForm();
  EXPECT_THROW(form->ShowModal(), rtl::Exception);
  EXPECT_FALSE(form->Modal());
  struct Row {
    vcl::TMsgDlgButtons buttons;
    vcl::TModalResult answer;
  };
  for (Row row : {Row{vcl::mbYesNoCancel, vcl::mrCancel}, Row{vcl::mbYes | vcl::mbNo, vcl::mrNo},
                  Row{vcl::mbOK, vcl::mrOk}, Row{vcl::mbAbort | vcl::mbRetry | vcl::mbIgnore, vcl::mrAbort},
                  Row{vcl::mbYes | vcl::mbYesToAll, vcl::mrYes}})
    EXPECT_EQ(vcl::MessageDlg("nobody there", vcl::TMsgDlgType::mtWarning, row.buttons), row.answer) << row.buttons;
}

TEST(Modal, ScopesNestAndRestore) {
  vcl::TScriptAutomation outer, inner;
  EXPECT_EQ(vcl::CurrentAutomation(), nullptr);
  {
    vcl::ScopedAutomation a(outer);
    {
      vcl::ScopedAutomation b(inner);
      EXPECT_EQ(vcl::CurrentAutomation(), &inner);
    }
    EXPECT_EQ(vcl::CurrentAutomation(), &outer);
  }
  EXPECT_EQ(vcl::CurrentAutomation(), nullptr);
}

}  // namespace
