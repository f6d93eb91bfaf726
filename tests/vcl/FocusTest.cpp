// Focus moves as they do for a person: the control losing the focus hears
// of it (OnExit) before the control that was clicked reacts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRadioButton>

#include "TestForm.h"
#include "vcl/Automation.h"
#include "vcl/ComCtrls.h"
#include "vcl/qt/Widgets.h"

namespace {

using vcltest::NewTestForm;

TEST(Focus, MemoExitRunsBeforeButtonAndRadioHandlers) {
  auto form = NewTestForm();
  form->Show();
  form->memo->SetFocus();
  form->memo->TypeText("abc");
  form->radio->Choose(1);
  form->memo->SetFocus();
  form->memo->SelectAll();
  form->memo->TypeText("def");
  EXPECT_TRUE(form->ok->Click());
  std::vector<std::string> expected{"memo enter", "memo exit: abc\n", "radio click 1",
                                    "memo enter", "memo exit: def\n", "ok click"};
  EXPECT_EQ(form->log, expected);
  EXPECT_EQ(form->ActiveControl(), form->ok);
  EXPECT_EQ(form->ModalResult(), vcl::mrOk);
}

TEST(Focus, ChoosingTheChosenRadioItemFiresNoClick) {
  auto form = NewTestForm();
  form->Show();
  form->radio->Choose(0);
  EXPECT_EQ(form->ActiveControl(), form->radio);
  EXPECT_TRUE(form->log.empty());
  form->radio->Choose(1);
  form->radio->Choose(1);
  EXPECT_EQ(form->log, std::vector<std::string>{"radio click 1"});
}

TEST(Focus, ARadioGroupTakesTheFocusOnItsChosenButton) {
  auto form = NewTestForm();
  form->Show();
  form->radio->SetItemIndex(-1);
  QWidget* first = vcl::qt::FocusWidgetOf(*form->radio);
  ASSERT_NE(first, vcl::qt::WidgetOf(*form->radio));
  form->radio->Choose(1);
  auto* chosen = qobject_cast<QRadioButton*>(vcl::qt::FocusWidgetOf(*form->radio));
  ASSERT_NE(chosen, nullptr);
  EXPECT_NE(chosen, first);
  EXPECT_TRUE(chosen->isChecked());
  EXPECT_EQ(vcl::qt::FindControl(chosen), form->radio);
  form->radio->SetItemIndex(-1);
  EXPECT_EQ(vcl::qt::FocusWidgetOf(*form->radio), first);
}

TEST(Focus, RaisingOnExitKeepsTheFocusAndStopsTheClick) {
  auto form = NewTestForm();
  form->Show();
  form->memo->SetFocus();
  form->memo->OnExit = [](rtl::TObject*) { throw rtl::Exception("bad text"); };
  EXPECT_THROW(form->ok->Click(), rtl::Exception);
  EXPECT_EQ(form->ActiveControl(), form->memo);
  EXPECT_EQ(form->ModalResult(), vcl::mrNone);
}

TEST(Focus, RealQtFocusChangesRunTheSameEvents) {
  auto form = NewTestForm();
  form->Show();
  vcl::qt::WidgetOf(*form)->activateWindow();
  QApplication::processEvents();
  if (QApplication::activeWindow() != vcl::qt::WidgetOf(*form)) GTEST_SKIP() << "platform does not activate windows";
  form->memo->SetFocus();
  form->memo->TypeText("typed");
  // A person's Tab or click: Qt moves the focus, the form follows.
  vcl::qt::WidgetOf(*form->cancel)->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  EXPECT_EQ(form->ActiveControl(), form->cancel);
  ASSERT_EQ(form->log.size(), 2u);
  EXPECT_EQ(form->log[1], "memo exit: typed\n");
}

TEST(Focus, UnreachableControlsCannotBeFocusedOrClicked) {
  auto form = NewTestForm();
  form->Show();
  form->ok->SetEnabled(false);
  EXPECT_FALSE(form->ok->CanFocus());
  EXPECT_FALSE(form->ok->Click());
  EXPECT_THROW(form->ok->SetFocus(), rtl::Exception);
  EXPECT_TRUE(form->log.empty());
  EXPECT_EQ(form->ModalResult(), vcl::mrNone);

  // A control on the page not shown is out of reach until its page is.
  auto* pages = form->Make<vcl::TPageControl>("pages", 0, 150, 300, 50);
  auto* first = new vcl::TTabSheet(form.get());
  first->SetPageControl(pages);
  auto* second = new vcl::TTabSheet(form.get());
  second->SetPageControl(pages);
  auto* hidden = new vcl::TCheckBox(form.get());
  hidden->SetParent(second);
  pages->SetActivePage(first);
  EXPECT_FALSE(hidden->Showing());
  EXPECT_FALSE(hidden->Click());
  EXPECT_FALSE(hidden->Checked());
  pages->ChoosePage(second);
  EXPECT_TRUE(hidden->Click());
  EXPECT_TRUE(hidden->Checked());
}

TEST(Focus, ShowModalFocusesTheActiveControlFirst) {
  auto form = NewTestForm();
  form->SetActiveControl(form->memo);
  vcl::TScriptAutomation automation;
  vcl::TWinControl* focusedAtShow = nullptr;
  automation.OnForm = [&](vcl::TForm& f) {
    focusedAtShow = f.ActiveControl();
    f.SetModalResult(vcl::mrCancel);
  };
  vcl::ScopedAutomation scope(automation);
  EXPECT_EQ(form->ShowModal(), vcl::mrCancel);
  EXPECT_EQ(focusedAtShow, form->memo);
  EXPECT_EQ(form->log.front(), "memo enter");
}

TEST(Focus, TabOrderRenumbersAndBuildsTheKeyboardChain) {
  auto form = NewTestForm();
  // Creation order: memo, ok, cancel, radio, combo.
  EXPECT_EQ(form->memo->TabOrder(), 0);
  EXPECT_EQ(form->combo->TabOrder(), 4);
  form->combo->SetTabOrder(0);
  EXPECT_EQ(form->combo->TabOrder(), 0);
  EXPECT_EQ(form->memo->TabOrder(), 1);
  EXPECT_EQ(form->cancel->TabOrder(), 3);
  form->UpdateTabChain();
  // Walk Qt's chain from the combo box and note each control once.
  std::vector<vcl::TControl*> order;
  QWidget* w = vcl::qt::FocusWidgetOf(*form->combo);
  for (int i = 0; i < 100 && order.size() < 4; ++i, w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) == 0) continue;
    vcl::TControl* c = vcl::qt::FindControl(w);
    if (c != nullptr && c != form.get() && (order.empty() || order.back() != c)) order.push_back(c);
  }
  std::vector<vcl::TControl*> expected{form->combo, form->memo, form->ok, form->cancel};
  EXPECT_EQ(order, expected);
}

}  // namespace
