// The window keeps a person's work: a module changed on disk is reloaded or
// overwritten only as the person chooses, undo keeps the code tabs open with
// their unsaved text, and the side panels keep their width whatever is
// selected.
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QDockWidget>
#include <QTabWidget>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QToolButton>

#include "WindowFixture.h"
#include "designide/StringsModules.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Forms.h"
#include "vcl/Keyboard.h"
#include "vcl/StdCtrls.h"
#include "vcl/qt/Widgets.h"
#include "window/CodeEditorPanel.h"
#include "window/ModuleView.h"

namespace windowtest {
namespace {

// The example module as another program saved it: a table renamed.
void ChangeOnDisk(const std::string& file) {
  std::string text = rtl::ReadFileToString(file);
  const size_t at = text.find("CustomersTable");
  text.replace(at, 14, "ClientsTableFromDisk");
  rtl::WriteFileAtomic(file, text);
}

// The question's buttons, pressed as a person does: by a click on the one
// with this caption, or by Enter ("" for Enter).
void AnswerWith(vcl::TScriptAutomation& automation, const std::string& caption, std::string& text) {
  automation.OnForm = [caption, &text](vcl::TForm& form) {
    text = rtl::As<vcl::TLabel>(form.FindComponent("lblText"))->Caption();
    QWidget* window = vcl::qt::WidgetOf(form);
    if (caption.empty()) {
      QTest::keyClick(window->focusWidget() != nullptr ? window->focusWidget() : window, Qt::Key_Return);
      return;
    }
    for (int i = 0; i < form.ComponentCount(); ++i)
      if (auto* button = dynamic_cast<vcl::TButton*>(form.Components(i)); button && button->Caption() == caption)
        QTest::mouseClick(vcl::qt::WidgetOf(*button), Qt::LeftButton);
  };
}

TEST_F(WindowTest, SavingOverAChangedFileReloadsOverwritesOrSavesNothingAsAsked) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  Doc().CreateComponent(rtl::GetClass("TDVSession"), 0, 0);
  ChangeOnDisk(example_.Module());
  const std::string onDisk = rtl::ReadFileToString(example_.Module());

  // Enter saves nothing and keeps the window's work.
  std::string asked;
  AnswerWith(automation_, "", asked);
  EXPECT_FALSE(Window().Save());
  EXPECT_EQ(automation_.FormsShown, 1);
  EXPECT_NE(asked.find("Shop.dfm was changed on disk"), std::string::npos) << asked;
  EXPECT_EQ(rtl::ReadFileToString(example_.Module()), onDisk);
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_NE(Component("DVSession1"), nullptr);

  // Reload: the file's version, the window's change gone, nothing written.
  AnswerWith(automation_, "&Reload from disk", asked);
  EXPECT_FALSE(Window().Save());
  EXPECT_EQ(rtl::ReadFileToString(example_.Module()), onDisk);
  EXPECT_NE(Component("ClientsTableFromDisk"), nullptr);
  EXPECT_EQ(Component("DVSession1"), nullptr);
  EXPECT_FALSE(Doc().IsModified());

  // Overwrite: the window's version replaces another program's newer one.
  Doc().CreateComponent(rtl::GetClass("TDVSession"), 0, 0);
  rtl::WriteFileAtomic(example_.Module(), onDisk + "\n");
  AnswerWith(automation_, "&Overwrite", asked);
  EXPECT_TRUE(Window().Save());
  EXPECT_EQ(automation_.FormsShown, 3);
  EXPECT_FALSE(Doc().IsModified());
  const std::string saved = rtl::ReadFileToString(example_.Module());
  EXPECT_NE(saved.find("DVSession1"), std::string::npos);
  EXPECT_NE(saved.find("ClientsTableFromDisk"), std::string::npos);
  EXPECT_TRUE(automation_.Messages.empty());
}

TEST_F(WindowTest, UndoAndRedoKeepCodeTabsWithTheirUnsavedTextAndAskBeforeDroppingIt) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  QTabWidget& tabs = *Window().Editors();
  const std::string name = designide::OpenStringsModule(Doc(), *Component("OrdersQuery"), "SQL").FileName();
  QsciScintilla* editor = Window().CodeEditor()->EditorOf(name);
  editor->setCursorPosition(0, 0);
  QTest::keyClicks(editor, "-- mine ");
  const QString typed = editor->text();

  Doc().CreateComponent(rtl::GetClass("TDVSession"), 0, 0);
  Trigger("actionUndo");
  EXPECT_EQ(Component("DVSession1"), nullptr);
  editor = Window().CodeEditor()->EditorOf(name);
  ASSERT_NE(editor, nullptr) << "the tab stays open";
  EXPECT_EQ(tabs.count(), 2);
  EXPECT_EQ(tabs.currentWidget(), editor);
  EXPECT_EQ(editor->text(), typed);
  EXPECT_EQ(tabs.tabText(1).toStdString(), "ShopModule.OrdersQuery.SQL*");
  Trigger("actionRedo");
  EXPECT_NE(Component("DVSession1"), nullptr);
  editor = Window().CodeEditor()->EditorOf(name);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), typed);
  EXPECT_TRUE(automation_.Messages.empty());

  // A tab whose component an undo takes away: asked first; No keeps both.
  rtl::TComponent& query = Doc().CreateComponent(rtl::GetClass("TDVQuery"), 0, 0);
  const std::string queryTab = designide::OpenStringsModule(Doc(), query, "SQL").FileName();
  QTest::keyClicks(Window().CodeEditor()->EditorOf(queryTab), "select 1");
  answer_ = [](const vcl::TMessageDlgInfo&) { return vcl::mrNo; };
  Trigger("actionUndo");
  ASSERT_EQ(automation_.Messages.size(), 1u);
  EXPECT_NE(automation_.Messages[0].Text.find("ShopModule.DVQuery1.SQL holds unsaved text"), std::string::npos)
      << automation_.Messages[0].Text;
  EXPECT_NE(Component("DVQuery1"), nullptr);
  ASSERT_NE(Window().CodeEditor()->EditorOf(queryTab), nullptr);
  EXPECT_EQ(Window().CodeEditor()->EditorOf(queryTab)->text().toStdString(), "select 1");
  EXPECT_EQ(Window().CodeEditor()->EditorOf(name)->text(), typed);
  // Yes: the step is taken and that tab goes.
  answer_ = [](const vcl::TMessageDlgInfo&) { return vcl::mrYes; };
  Trigger("actionUndo");
  EXPECT_EQ(Component("DVQuery1"), nullptr);
  EXPECT_EQ(Window().CodeEditor()->EditorOf(queryTab), nullptr);
  EXPECT_NE(Window().CodeEditor()->EditorOf(name), nullptr);
}

// Deleting a component whose code tab holds unsaved text asks first; undo
// brings the component back with the text, and so does undo after redo.
TEST_F(WindowTest, DeletingAComponentWithUnsavedTextAsksAndUndoBringsTheTextBack) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  QTabWidget& tabs = *Window().Editors();
  ClickModule(IconOf("OrdersQuery"));
  automation_.KeysDown = {vcl::VK_MENU};
  QTest::mouseClick(ValueOf("SQL").Ellipsis(), Qt::LeftButton, Qt::AltModifier);
  automation_.KeysDown.clear();
  const std::string tab = "dfm.ShopModule.OrdersQuery.SQL";
  QsciScintilla* editor = Window().CodeEditor()->EditorOf(tab);
  ASSERT_NE(editor, nullptr);
  editor->setCursorPosition(0, 0);
  QTest::keyClicks(editor, "-- mine ");
  const QString typed = editor->text();

  auto pressDelete = [&] {
    ClickModule(IconOf("OrdersQuery"));
    QTest::keyClick(Window().ModuleView(), Qt::Key_Delete);
  };
  answer_ = [](const vcl::TMessageDlgInfo&) { return vcl::mrNo; };
  pressDelete();
  ASSERT_EQ(automation_.Messages.size(), 1u);
  EXPECT_NE(automation_.Messages[0].Text.find("ShopModule.OrdersQuery.SQL holds unsaved text"), std::string::npos)
      << automation_.Messages[0].Text;
  EXPECT_NE(Component("OrdersQuery"), nullptr);
  ASSERT_NE(Window().CodeEditor()->EditorOf(tab), nullptr);
  EXPECT_EQ(Window().CodeEditor()->EditorOf(tab)->text(), typed);

  answer_ = [](const vcl::TMessageDlgInfo&) { return vcl::mrYes; };
  pressDelete();
  EXPECT_EQ(Component("OrdersQuery"), nullptr);
  EXPECT_EQ(Window().CodeEditor()->EditorOf(tab), nullptr);
  for (int round = 0; round < 2; ++round) {
    Trigger("actionUndo");
    ASSERT_NE(Component("OrdersQuery"), nullptr);
    editor = Window().CodeEditor()->EditorOf(tab);
    ASSERT_NE(editor, nullptr) << round;
    EXPECT_EQ(editor->text(), typed);
    EXPECT_EQ(tabs.tabText(tabs.indexOf(editor)).toStdString(), "ShopModule.OrdersQuery.SQL*");
    // Redo deletes it again, asking again.
    Trigger("actionRedo");
    EXPECT_EQ(Component("OrdersQuery"), nullptr);
  }
  EXPECT_EQ(automation_.Messages.size(), 4u);
}

TEST_F(WindowTest, TheSidePanelsKeepTheirWidthWhenTheSelectionChanges) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  auto* dock = Window().findChild<QDockWidget*>("InspectorDock");
  ClickModule(IconOf("OrdersQuery"));
  QApplication::processEvents();
  const int width = dock->width();
  Doc().Change("Rename", [&] {
    Component("OrdersUpdate")->SetName("OrdersUpdateWithANameLongEnoughToWidenAnyPanelThatFollowedIt");
    Doc().Modified();
  });
  const std::string longName = "OrdersUpdateWithANameLongEnoughToWidenAnyPanelThatFollowedIt";
  ClickModule(IconOf(longName));
  // The layout requests of the panel and then of the window.
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(dock->width(), width);
  // Nor does the name run into its neighbour's in the module view; its tool
  // tip gives it whole.
  designer::TModuleView& view = *Window().ModuleView();
  const QRect named = view.ItemRectOf(*Component(longName));
  EXPECT_FALSE(named.intersects(view.ItemRectOf(*Component("OrdersQuery"))));
  const QPoint label(named.center().x(), named.bottom() - 2);
  QHelpEvent help(QEvent::ToolTip, label, view.mapToGlobal(label));
  QApplication::sendEvent(&view, &help);
  EXPECT_EQ(QToolTip::text().toStdString(), longName);
}

}  // namespace
}  // namespace windowtest
