// SQL typed into a code tab of the real window: completion lists from the
// example database's catalog (tables after FROM, an alias's columns, a
// quoted name), and `check` findings marked on the lines they are about.
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <algorithm>

#include "WindowFixture.h"
#include "dralvo/Database.h"
#include "model/StringsModules.h"
#include "window/CodeEditorPanel.h"
#include "window/SqlAssist.h"
#include "window/SqlCompleter.h"

namespace windowtest {
namespace {

using Names = std::vector<std::string>;

class CodeAssistTest : public WindowTest {
 protected:
  QsciScintilla& OpenTab(const std::string& component, const std::string& property, const std::string& text) {
    designide::TModule& module = designer::OpenStringsModule(Doc(), *Component(component), property);
    QsciScintilla* editor = Window().CodeEditor()->EditorOf(module.FileName());
    if (editor == nullptr) throw std::logic_error("no tab for " + module.FileName());
    editor->setText(QString::fromStdString(text));
    return *editor;
  }
  // Lets the catalog's worker finish and its notice reach the editor.
  void NamesArrive() {
    auto* database = dynamic_cast<dralvo::TDVDatabase*>(Component("ShopDatabase"));
    Window().CodeEditor()->Assist().Catalogs().Of(*database).WaitUntilSettled();
    QApplication::processEvents();
  }
  const Names& Offered(QsciScintilla& editor) {
    return Window().CodeEditor()->Assist().CompleterOf(editor)->Offered();
  }
};

TEST_F(CodeAssistTest, TypingOffersTablesAfterFromAnAliasesColumnsAndQuotedNames) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  QsciScintilla& editor = OpenTab("OrdersQuery", "SQL", "");
  designer::TSqlCompleter& completer = *Window().CodeEditor()->Assist().CompleterOf(editor);

  // The first list comes when the catalog, read beside the window, arrives.
  editor.setText("select * from");
  editor.setCursorPosition(0, 13);
  QTest::keyClick(&editor, Qt::Key_Space);
  NamesArrive();
  EXPECT_FALSE(completer.Waiting());
  EXPECT_TRUE(editor.isListActive());
  EXPECT_EQ(Offered(editor), (Names{"customers", "order_lines", "order_totals", "orders", "\"Stock Items\""}));

  // "o." before the alias is even declared further on: the columns of orders.
  editor.setText("select \nfrom orders o join customers c on c.customer_id = o.customer_id");
  editor.setCursorPosition(0, 7);
  QTest::keyClicks(&editor, "o.");
  NamesArrive();
  EXPECT_EQ(Offered(editor), (Names{"customer_id", "order_date", "order_id", "status", "total"}));
  // A prefix narrows the list; the other alias gives its own table.
  QTest::keyClicks(&editor, "st");
  QTest::keyClicks(&editor, ", c.em");
  NamesArrive();
  EXPECT_EQ(Offered(editor), (Names{"email"}));

  // A quoted name is offered quoted, matched exactly, and replaces what was typed.
  editor.setText("select * from ");
  editor.setCursorPosition(0, 14);
  QTest::keyClicks(&editor, "\"Sto");
  EXPECT_EQ(Offered(editor), (Names{"\"Stock Items\""}));
  QTest::keyClick(&editor, Qt::Key_Return);
  EXPECT_EQ(editor.text().toStdString(), "select * from \"Stock Items\"");

  // In a where clause: columns of the statement's tables and the keywords.
  editor.setText("select * from orders where ");
  editor.setCursorPosition(0, 27);
  QTest::keyClicks(&editor, "to");
  const Names& offered = Offered(editor);
  EXPECT_NE(std::find(offered.begin(), offered.end(), "total"), offered.end());
  // Nothing in a string.
  editor.setText("select * from orders where status = '");
  editor.setCursorPosition(0, 37);
  QTest::keyClicks(&editor, "ne");
  EXPECT_TRUE(Offered(editor).empty());
}

TEST_F(CodeAssistTest, CheckFindingsAreMarkedOnTheirLinesAndListedToJumpTo) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  QsciScintilla& editor = OpenTab("OrdersUpdate", "ModifySQL",
                                  "update orders set\n"
                                  "  status = :status,\n"
                                  "  no_such_column = :total\n"
                                  "where order_id = :OLD_order_id");
  // Saving the text into the property checks it.
  Trigger("actionSave");
  EXPECT_TRUE(automation_.Messages.empty());
  const auto& findings = Window().CodeEditor()->Assist().FindingsOf(editor);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].Line, 2);
  EXPECT_NE(editor.annotation(2).toStdString().find("no_such_column"), std::string::npos);
  EXPECT_TRUE(editor.annotation(1).isEmpty());
  EXPECT_TRUE(editor.annotation(3).isEmpty());
  auto marked = [&](int line) {
    return editor.SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT, 8UL,
                                static_cast<long>(editor.positionFromLineIndex(line, 3))) != 0;
  };
  EXPECT_TRUE(marked(2));
  EXPECT_FALSE(marked(1));

  // The panel lists it; activating it brings the tab forward on that line.
  QListWidget& list = *Window().CodeEditor()->Assist().FindingsList();
  ASSERT_EQ(list.count(), 1);
  // At the line and column `check` names, under its rule.
  const std::string shown = list.item(0)->text().toStdString();
  EXPECT_NE(shown.find("ModifySQL:3:3: column no_such_column does not exist"), std::string::npos) << shown;
  EXPECT_NE(shown.find("[unknown-column]"), std::string::npos) << shown;
  Window().Editors()->setCurrentIndex(0);
  editor.setCursorPosition(0, 0);
  emit list.itemActivated(list.item(0));
  EXPECT_EQ(Window().Editors()->currentWidget(), &editor);
  int line = -1, index = -1;
  editor.getCursorPosition(&line, &index);
  EXPECT_EQ(line, 2);
  EXPECT_EQ(index, 2);

  // Fixed and checked on demand: the marks go.
  editor.setText("update orders set\n  status = :status\nwhere order_id = :OLD_order_id");
  Trigger("actionSave");
  EXPECT_TRUE(Window().CodeEditor()->Assist().FindingsOf(editor).empty());
  EXPECT_TRUE(editor.annotation(2).isEmpty());
  EXPECT_EQ(list.count(), 0);
}

}  // namespace
}  // namespace windowtest
