// A query's SQL opened in the code editor as a text module of the strings
// file system, as the package opens a string list there: a tab with SQL
// highlighting and line numbers, a modified mark while edited, the text
// carried into the property on save, and a question before unsaved text is
// closed.
#include <Qsci/qscilexer.h>
#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "WindowFixture.h"
#include "designide/ToolsAPI.h"
#include "designide/StringsModules.h"
#include "rtl/text/Strings.h"
#include "window/CodeEditorPanel.h"

namespace windowtest {
namespace {

rtl::TStrings& SqlOf(rtl::TComponent& query) {
  return *static_cast<rtl::TStrings*>(query.ClassType().FindProperty("SQL")->GetObj(query));
}

TEST_F(WindowTest, ACodeEditorTabEditsAQuerysSqlAndSavesItIntoTheProperty) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  const std::string name = "dfm.ShopModule.OrdersQuery.SQL";
  const std::string original = SqlOf(*Component("OrdersQuery")).Text();
  EXPECT_EQ(designide::OpenStringsModule(Doc(), *Component("OrdersQuery"), "SQL").FileName(), name);

  QTabWidget& tabs = *Window().Editors();
  QsciScintilla* editor = Window().CodeEditor()->EditorOf(name);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(tabs.currentWidget(), editor);
  EXPECT_EQ(tabs.tabText(tabs.currentIndex()).toStdString(), "ShopModule.OrdersQuery.SQL");
  EXPECT_EQ(editor->text().toStdString(), original);
  EXPECT_STREQ(editor->lexer()->language(), "SQL");
  EXPECT_TRUE(editor->marginLineNumbers(0));

  // Typing marks the tab; saving carries the text into the property as one
  // undoable change of the module.
  editor->setCursorPosition(0, 0);
  QTest::keyClicks(editor, "-- open orders");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(tabs.tabText(tabs.currentIndex()).toStdString(), "ShopModule.OrdersQuery.SQL*");
  EXPECT_FALSE(Window().isWindowModified());
  Trigger("actionSave");
  EXPECT_EQ(SqlOf(*Component("OrdersQuery")).Get(0), "-- open orders");
  EXPECT_EQ(tabs.tabText(tabs.currentIndex()).toStdString(), "ShopModule.OrdersQuery.SQL");
  EXPECT_TRUE(Window().isWindowModified());
  EXPECT_EQ(Window().Action("actionUndo")->text().toStdString(), "&Undo Edit ShopModule.OrdersQuery.SQL");
  EXPECT_TRUE(automation_.Messages.empty());

  // Closing with unsaved text asks: Cancel keeps the tab, No drops the edit.
  QTest::keyClicks(editor, "x");
  answer_ = [](const vcl::TMessageDlgInfo&) { return vcl::mrCancel; };
  auto closeButton = [&] { return tabs.tabBar()->tabButton(tabs.indexOf(editor), QTabBar::RightSide); };
  QTest::mouseClick(closeButton(), Qt::LeftButton);
  ASSERT_EQ(automation_.Messages.size(), 1u);
  EXPECT_EQ(automation_.Messages[0].Text, "Save changes to ShopModule.OrdersQuery.SQL?");
  EXPECT_EQ(tabs.count(), 2);
  answer_ = [](const vcl::TMessageDlgInfo&) { return vcl::mrNo; };
  QTest::mouseClick(closeButton(), Qt::LeftButton);
  EXPECT_EQ(tabs.count(), 1);
  EXPECT_EQ(designide::ModuleServices().FindModule(name), nullptr);
  EXPECT_EQ(SqlOf(*Component("OrdersQuery")).Get(0), "-- open orders");
}

}  // namespace
}  // namespace windowtest
