// Ownership between the owner tree and Qt's widgets, window messages,
// the screen cursor and class registration.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QPointer>
#include <QScrollBar>

#include "TestForm.h"
#include "vcl/ComCtrls.h"
#include "vcl/DataModule.h"
#include "vcl/qt/Widgets.h"

namespace {

using vcltest::NewTestForm;

TEST(Ownership, ControlsAndWidgetsGoInEveryOrder) {
  auto form = NewTestForm();
  auto* box = form->Make<vcl::TGroupBox>("box", 0, 0, 100, 100);
  auto* inner = new vcl::TButton(form.get());
  inner->SetParent(box);
  QPointer<QWidget> innerWidget = vcl::qt::WidgetOf(*inner);
  // A control freed first leaves its parent.
  auto* lone = new vcl::TButton(form.get());
  lone->SetParent(box);
  delete lone;
  EXPECT_EQ(box->ControlCount(), 1);
  // A parent freed first takes the child's widget with it; the child lives
  // on as a component and is freed with the form without a second delete.
  delete box;
  EXPECT_TRUE(innerWidget.isNull());
  EXPECT_EQ(inner->Parent(), nullptr);
  EXPECT_EQ(form->FindComponent("box"), nullptr);
  EXPECT_FALSE(inner->Click());
  // Forms owned by the application go with it or on their own.
  auto* owned = vcl::CreateForm<vcltest::TTestForm>(vcl::Application());
  QPointer<QWidget> window = vcl::qt::WidgetOf(*owned);
  delete owned;
  EXPECT_TRUE(window.isNull());
}

TEST(Ownership, FailingOnCreateFreesTheForm) {
  struct TFailing : vcl::TForm {
    explicit TFailing(rtl::TComponent* owner) : vcl::TForm(owner) {
      OnCreate = [](rtl::TObject*) { throw rtl::Exception("no"); };
    }
  };
  int before = vcl::Application()->ComponentCount();
  EXPECT_THROW(vcl::CreateForm<TFailing>(vcl::Application()), rtl::Exception);
  EXPECT_EQ(vcl::Application()->ComponentCount(), before);
}

TEST(Messages, HorizontalExtentThroughSendMessage) {
  auto form = NewTestForm();
  auto* list = form->Make<vcl::TListBox>("list", 5, 5, 100, 80);
  list->Items()->Add("A_RATHER_LONG_COLUMN_NAME_THAT_DOES_NOT_FIT");
  form->Show();
  QApplication::processEvents();
  auto* widget = static_cast<QListWidget*>(vcl::qt::WidgetOf(*list));
  EXPECT_EQ(widget->horizontalScrollBar()->maximum(), 0);
  int width = list->Canvas()->TextWidth("A_RATHER_LONG_COLUMN_NAME_THAT_DOES_NOT_FIT" + std::string("A"));
  EXPECT_GT(width, 100);
  vcl::HWND handle = list->Handle();
  EXPECT_EQ(vcl::SendMessageW(handle, vcl::LB_SETHORIZONTALEXTENT, static_cast<vcl::WPARAM>(width), 0), 0);
  EXPECT_EQ(vcl::SendMessageW(handle, vcl::LB_GETHORIZONTALEXTENT, 0, 0), width);
  QApplication::processEvents();
  // The scroll bar lets the whole name be read.
  EXPECT_EQ(widget->horizontalScrollBar()->maximum(), width - widget->viewport()->width());
  delete list;
  EXPECT_EQ(vcl::SendMessageW(handle, vcl::LB_GETHORIZONTALEXTENT, 0, 0), 0);
}

TEST(Canvas, TextWidthAgreesWithTheWidgetsOwnMeasureInEveryFont) {
  auto form = NewTestForm();
  auto* list = form->Make<vcl::TListBox>("list", 5, 5, 100, 80);
  const std::vector<std::string> texts{"COLUMN_0001A", "a b  c", "WAVE AV To Ty ..., ;:!", "", "Größe", "x\ty", "ЖУРНАЛ"};
  auto expectAgreement = [&](const char* what) {
    QFontMetrics metrics(vcl::qt::WidgetOf(*list)->font());
    for (const std::string& t : texts)
      EXPECT_EQ(list->Canvas()->TextWidth(t), metrics.horizontalAdvance(QString::fromStdString(t))) << what << ": " << t;
  };
  expectAgreement("form's font");
  const int before = list->Canvas()->TextWidth("COLUMN_0001A");
  form->Font().SetSize(24);
  form->Font().SetStyle(vcl::fsBold);
  expectAgreement("large bold font");
  EXPECT_GT(list->Canvas()->TextWidth("COLUMN_0001A"), before);  // measured again, not remembered
}

TEST(Screen, HourGlassIsQtsOverrideCursorUntilReset) {
  vcl::TScreen* screen = vcl::Screen();
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  screen->SetCursor(vcl::crHourGlass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  screen->SetCursor(vcl::crArrow);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
  screen->SetCursor(vcl::crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Classes, DataModuleIsRegisteredAndIsNoForm) {
  const rtl::TClass* cls = rtl::FindClass("TDataModule");
  ASSERT_NE(cls, nullptr);
  std::unique_ptr<rtl::TObject> module(cls->Create(nullptr));
  EXPECT_TRUE(rtl::Is<vcl::TDataModule>(module.get()));
  EXPECT_FALSE(rtl::Is<vcl::TForm>(module.get()));
  auto form = NewTestForm();
  EXPECT_TRUE(rtl::Is<vcl::TForm>(form.get()));
  EXPECT_EQ(form->FindComponent("MEMO"), form->memo);
  EXPECT_EQ(form->memo->ClassName(), "TMemo");
  EXPECT_NE(rtl::FindClass("TForm"), nullptr);
}

TEST(Layout, AlignedPanelsFillTheForm) {
  auto form = NewTestForm();
  auto* bottom = form->Make<vcl::TPanel>("bottom", 0, 0, 10, 33);
  bottom->SetAlign(vcl::TAlign::alBottom);
  auto* pages = form->Make<vcl::TPageControl>("pages", 0, 0, 10, 10);
  pages->SetAlign(vcl::TAlign::alClient);
  EXPECT_EQ(bottom->Top(), 200 - 33);
  EXPECT_EQ(bottom->Width(), 300);
  EXPECT_EQ(pages->Height(), 200 - 33);
  form->SetClientSize(400, 300);
  EXPECT_EQ(bottom->Top(), 300 - 33);
  EXPECT_EQ(pages->Width(), 400);
}

}  // namespace
