// An update object's four statements reached as a person reaches them: the
// Object Inspector's ellipsis (the framework's string-list dialog, its
// "Code Editor..." button, Alt held), the module view's context menu, and
// "Check statement" with the update object selected, whose findings are
// listed and marked on their lines once their tab opens.
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "WindowFixture.h"
#include "vcl/Forms.h"
#include "vcl/Keyboard.h"
#include "vcl/StdCtrls.h"
#include "vcl/qt/Widgets.h"
#include "window/CodeEditorPanel.h"
#include "window/SqlAssist.h"

namespace windowtest {
namespace {

// A statement whose third line names a column the table does not have.
const char* const kBadModify[] = {"update orders set", "  status = :status,", "  no_such_column = :total",
                                  "where order_id = :OLD_order_id"};

class StringListTest : public WindowTest {
 protected:
  QTabWidget& Tabs() { return *Window().Editors(); }
  std::string FrontTab() { return Tabs().tabText(Tabs().currentIndex()).toStdString(); }
  void CloseFrontTab() {
    QTest::mouseClick(Tabs().tabBar()->tabButton(Tabs().currentIndex(), QTabBar::RightSide), Qt::LeftButton);
  }
  QsciScintilla* Editor(const std::string& property) {
    return Window().CodeEditor()->EditorOf("dfm.ShopModule.OrdersUpdate." + property);
  }
  std::string Lines(const char* property) {
    rtl::TComponent& update = *Component("OrdersUpdate");
    return rtl::As<rtl::TStrings>(update.ClassType().FindProperty(property)->GetObj(update))->Text();
  }
  bool Marked(QsciScintilla& editor, int line) {
    return editor.SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, 8UL,
                                static_cast<long>(editor.positionFromLineIndex(line, 3))) != 0;
  }
  // The person's keys in the dialog's memo: everything replaced by `lines`.
  static void TypeLines(vcl::TForm& form, const std::vector<std::string>& lines) {
    QWidget* memo = vcl::qt::FocusWidgetOf(*rtl::As<vcl::TMemo>(form.FindComponent("meLines")));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) QTest::keyClick(memo, Qt::Key_Return);
      QTest::keyClicks(memo, QString::fromStdString(lines[i]));
    }
  }
  static void Click(vcl::TForm& form, const char* button) {
    QTest::mouseClick(vcl::qt::WidgetOf(*rtl::As<vcl::TControl>(form.FindComponent(button))), Qt::LeftButton);
  }
};

TEST_F(StringListTest, TheInspectorsDialogAltAndTheContextMenuOpenAStatementAndCheckingMarksItsFindings) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  // With nothing to check in front, "Check statement" says so.
  ClickModule(IconOf("OrdersQuery"));
  QTest::mouseClick(Window().findChild<QPushButton*>("FindingsCheck"), Qt::LeftButton);
  EXPECT_NE(Window().statusBar()->currentMessage().toStdString().find("Nothing to check"), std::string::npos);

  ClickModule(IconOf("OrdersUpdate"));
  ASSERT_NE(ValueOf("ModifySQL").Ellipsis(), nullptr) << "a string list has the framework's dialog";
  const std::string storedModify = Lines("ModifySQL");

  // The dialog's lines, typed and accepted: one undoable change.
  automation_.OnForm = [](vcl::TForm& form) {
    EXPECT_NE(form.Caption().find("ShopModule.OrdersUpdate.InsertSQL"), std::string::npos) << form.Caption();
    TypeLines(form, {"insert into orders (status)", "values (:status)"});
    Click(form, "btOk");
  };
  QTest::mouseClick(ValueOf("InsertSQL").Ellipsis(), Qt::LeftButton);
  EXPECT_EQ(Lines("InsertSQL"), "insert into orders (status)\nvalues (:status)\n");
  EXPECT_EQ(Window().Action("actionUndo")->text().toStdString(), "&Undo Edit OrdersUpdate.InsertSQL");

  // Typed and handed to the code editor: the tab holds them unsaved, the
  // property is as it was.
  automation_.OnForm = [](vcl::TForm& form) {
    TypeLines(form, std::vector<std::string>(std::begin(kBadModify), std::end(kBadModify)));
    Click(form, "btCodeEditor");
  };
  QTest::mouseClick(ValueOf("ModifySQL").Ellipsis(), Qt::LeftButton);
  EXPECT_EQ(automation_.FormsShown, 2);
  EXPECT_EQ(FrontTab(), "ShopModule.OrdersUpdate.ModifySQL*");
  EXPECT_EQ(Lines("ModifySQL"), storedModify);
  // Saved into the property, the statement is checked: the finding on its line.
  Trigger("actionSave");
  QsciScintilla* modify = Editor("ModifySQL");
  ASSERT_NE(modify, nullptr);
  EXPECT_EQ(Lines("ModifySQL"), "update orders set\n  status = :status,\n  no_such_column = :total\n"
                                "where order_id = :OLD_order_id\n");
  EXPECT_TRUE(Marked(*modify, 2));
  EXPECT_FALSE(Marked(*modify, 1));
  EXPECT_NE(modify->annotation(2).toStdString().find("no_such_column"), std::string::npos);

  // The open tab comes to the front whatever the keys; once closed, Alt
  // opens it again without the dialog.
  Tabs().setCurrentIndex(0);
  QTest::mouseClick(ValueOf("ModifySQL").Ellipsis(), Qt::LeftButton);
  EXPECT_EQ(FrontTab(), "ShopModule.OrdersUpdate.ModifySQL");
  CloseFrontTab();
  automation_.KeysDown = {vcl::VK_MENU};
  QTest::mouseClick(ValueOf("ModifySQL").Ellipsis(), Qt::LeftButton, Qt::AltModifier);
  automation_.KeysDown.clear();
  EXPECT_EQ(FrontTab(), "ShopModule.OrdersUpdate.ModifySQL");
  EXPECT_EQ(automation_.FormsShown, 2);
  CloseFrontTab();

  // The context menu reaches each of the four.
  QMenu* menu = ContextMenuOn("OrdersUpdate");
  ASSERT_NE(menu, nullptr);
  QAction* submenu = nullptr;
  for (QAction* action : menu->actions())
    if (action->menu() != nullptr && action->text() == "Open in &Code Editor") submenu = action;
  ASSERT_NE(submenu, nullptr);
  menu->setActiveAction(submenu);
  QTest::keyClick(menu, Qt::Key_Right);
  auto* statements = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_EQ(statements, submenu->menu());
  std::vector<std::string> offered;
  for (QAction* action : statements->actions()) offered.push_back(action->text().toStdString());
  EXPECT_EQ(offered, (std::vector<std::string>{"RefreshSQL", "ModifySQL", "InsertSQL", "DeleteSQL"}));
  ChooseEntry(*statements, "DeleteSQL");
  EXPECT_EQ(FrontTab(), "ShopModule.OrdersUpdate.DeleteSQL");

  // The design page in front, the update object selected: "Check statement"
  // checks all four and lists the finding of the statement that has no tab.
  Tabs().setCurrentIndex(0);
  ClickModule(IconOf("OrdersUpdate"));
  QTest::mouseClick(Window().findChild<QPushButton*>("FindingsCheck"), Qt::LeftButton);
  QListWidget& list = *Window().CodeEditor()->Assist().FindingsList();
  ASSERT_EQ(list.count(), 1) << list.item(0)->text().toStdString();
  EXPECT_NE(list.item(0)->text().toStdString().find("ShopModule.OrdersUpdate.ModifySQL:3:3: column no_such_column"),
            std::string::npos)
      << list.item(0)->text().toStdString();
  EXPECT_EQ(Editor("ModifySQL"), nullptr);
  // Activating it opens the statement on that line, the finding marked.
  emit list.itemActivated(list.item(0));
  modify = Editor("ModifySQL");
  ASSERT_NE(modify, nullptr);
  EXPECT_EQ(Tabs().currentWidget(), modify);
  int line = -1, index = -1;
  modify->getCursorPosition(&line, &index);
  EXPECT_EQ(line, 2);
  EXPECT_TRUE(Marked(*modify, 2));
  EXPECT_EQ(list.count(), 1);
  EXPECT_TRUE(automation_.Messages.empty()) << automation_.Messages.front().Text;
}

}  // namespace
}  // namespace windowtest
