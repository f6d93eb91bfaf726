// A person looks at a dataset's records in the Data view: opens a query,
// scrolls to fetch more, sees a 1 MB value cut short in its cell and whole
// on demand, goes to the last of 100,000 records with Ctrl+End, meets a
// failing query, cancels a long one, opens another through its Active
// property, and finds the datasets the module stores open opened to look
// only.
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "SqlFixtures.h"
#include "WindowFixture.h"
#include "rtl/system/SysUtils.h"
#include "window/DataPanel.h"
#include "window/DataSetModel.h"
#include "window/ModuleView.h"

namespace windowtest {
namespace {

std::string Query(const std::string& name, const std::string& sql, int left, bool active = false) {
  return "  object " + name + ": TDVQuery\n    DatabaseName = 'shop'\n" + (active ? "    Active = True\n" : "") +
         "    SQL.Strings = (\n      '" + sql + "')\n    Left = " + std::to_string(left) + "\n    Top = 300\n  end\n";
}

class DataViewTest : public WindowTest {
 protected:
  DataViewTest() {
    dvtest::MakeSQLiteFile(example_.File("shop.db"),
                           "create table many(n integer primary key, label text, raw blob);"
                           "with recursive c(n) as (select 1 union all select n + 1 from c where n < 100000)"
                           " insert into many select n, case n when 2 then null when 3 then '' when 4 then cast(x'41ff42' as text)"
                           " when 5 then printf('%.*c', 1048576, 'x') else 'row ' || n end,"
                           " case when n = 1 then x'0a0b0c' end from c;");
    std::string text = rtl::ReadFileToString(example_.Module());
    text.insert(text.rfind("end"),
                Query("ManyQuery", "select n, label, raw from many order by n", 40) +
                    Query("MissingQuery", "select * from no_such_table", 140) +
                    Query("LongQuery",
                          "with recursive c(n) as (select 1 union all select n + 1 from c where n < 1000000000)"
                          " select count(*) from c",
                          240) +
                    Query("FirstRows", "select n from many where n <= 3", 340, true) +
                    Query("PurgeQuery", "delete from many returning n", 440, true));
    rtl::WriteFileAtomic(example_.Module(), text);
  }
  designer::TDataPanel& Data() { return *Window().DataView(); }
  QString Cell(int row, int column) {
    return Data().Model()->data(Data().Model()->index(row, column), Qt::DisplayRole).toString();
  }
  void OpenSelected() {
    QTest::mouseClick(Data().findChild<QPushButton*>("DataOpen"), Qt::LeftButton);
    Data().WaitForQuery();
  }
  // Lets the window's events run until the view is no longer busy.
  void WhileBusy() {
    for (int i = 0; i < 100000 && Data().Busy(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 100);
  }
};

TEST_F(DataViewTest, RecordsShowAndScrollingFetchesMore) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  ClickModule(IconOf("ManyQuery"));
  EXPECT_EQ(Data().findChild<QLabel*>("DataTitle")->text().toStdString(), "ManyQuery");
  EXPECT_EQ(Data().Model()->rowCount(), 0);  // nothing runs until asked
  OpenSelected();
  designer::TDataSetModel& model = *Data().Model();
  ASSERT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString().toStdString(), "label");
  EXPECT_EQ(model.rowCount(), 100);
  EXPECT_EQ(Cell(0, 2).toStdString(), "(3 bytes)");
  EXPECT_EQ(Cell(1, 1).toStdString(), "(null)");
  EXPECT_TRUE(model.data(model.index(1, 1), Qt::FontRole).value<QFont>().italic());
  EXPECT_EQ(Cell(2, 1).toStdString(), "");
  EXPECT_FALSE(model.data(model.index(2, 1), Qt::FontRole).isValid());
  EXPECT_EQ(Cell(3, 1).toStdString(), "A\\xffB");  // not UTF-8: the byte shown as such
  EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
  EXPECT_EQ(Data().Message(), "100 records fetched, more as you scroll or with Fetch all");

  // A 1 MB value: its cell shows the start, its tool tip says so, and
  // activating the cell (Enter, or a double-click) shows all of it.
  EXPECT_EQ(Cell(4, 1).size(), 201);
  EXPECT_TRUE(Cell(4, 1).endsWith(QString::fromUtf8("x\u2026")));
  EXPECT_NE(model.data(model.index(4, 1), Qt::ToolTipRole).toString().toStdString().find("1048576 bytes"),
            std::string::npos);
  EXPECT_FALSE(model.data(model.index(5, 1), Qt::ToolTipRole).isValid()) << "a short value is shown whole";
  QTableView* grid = Data().Grid();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(model.index(4, 1)).center());
  QTest::keyClick(grid, Qt::Key_Return);
  auto* viewer = Window().findChild<QWidget*>("ValueViewer");
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->findChild<QsciScintilla*>("ValueText")->text().size(), 1048576);
  viewer->close();

  // Scrolling fetches the next packet, and the line says so.
  grid->scrollToBottom();
  EXPECT_EQ(model.rowCount(), 200);
  EXPECT_EQ(Data().Message(), "200 records fetched, more as you scroll or with Fetch all");
  for (int row : {99, 100, 199}) EXPECT_EQ(Cell(row, 1).toStdString(), "row " + std::to_string(row + 1));

  // Ctrl+End reads to the end, counting, and goes to the last record.
  grid->setFocus();
  grid->setCurrentIndex(model.index(0, 1));
  QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
  EXPECT_TRUE(Data().Busy());
  EXPECT_TRUE(Data().Message().rfind("Fetching all records: ", 0) == 0) << Data().Message();
  EXPECT_FALSE(Window().menuBar()->isEnabled()) << "the module is not changed meanwhile";
  WhileBusy();
  EXPECT_EQ(model.rowCount(), 100000);
  EXPECT_EQ(grid->currentIndex().row(), 99999);
  EXPECT_EQ(grid->currentIndex().column(), 1);
  EXPECT_EQ(Cell(99999, 1).toStdString(), "row 100000");
  EXPECT_EQ(Data().Message(), "100000 records fetched, all");
  EXPECT_TRUE(Window().menuBar()->isEnabled());
  EXPECT_FALSE(Data().findChild<QPushButton*>("DataFetchAll")->isVisible());
}

// Fetching all stops at Cancel with what it has read, and says how much.
TEST_F(DataViewTest, FetchAllStopsAtCancelKeepingWhatItRead) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  ClickModule(IconOf("ManyQuery"));
  OpenSelected();
  QTest::mouseClick(Data().findChild<QPushButton*>("DataFetchAll"), Qt::LeftButton);
  ASSERT_TRUE(Data().Busy());
  QTest::mouseClick(Data().findChild<QPushButton*>("DataCancel"), Qt::LeftButton);
  EXPECT_FALSE(Data().Busy());
  const int fetched = Data().Model()->rowCount();
  EXPECT_LT(fetched, 100000);
  EXPECT_EQ(Data().Message(), std::to_string(fetched) + " records fetched, more as you scroll or with Fetch all");
  EXPECT_TRUE(Window().menuBar()->isEnabled());
}

TEST_F(DataViewTest, FailuresAndCancellingLeaveTheWindowWorking) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  ClickModule(IconOf("MissingQuery"));
  OpenSelected();
  EXPECT_NE(Data().Message().find("no such table: no_such_table"), std::string::npos) << Data().Message();
  EXPECT_EQ(Data().Model()->rowCount(), 0);
  EXPECT_TRUE(Window().menuBar()->isEnabled());

  // While the long query runs the view is busy and the rest of the window
  // takes no input; Cancel stops it on the server.
  ClickModule(IconOf("LongQuery"));
  QTest::mouseClick(Data().findChild<QPushButton*>("DataOpen"), Qt::LeftButton);
  EXPECT_TRUE(Data().Busy());
  EXPECT_EQ(Data().Message(), "Running the query...");
  EXPECT_FALSE(Window().menuBar()->isEnabled());
  EXPECT_FALSE(Window().ModuleView()->isEnabled());
  QTest::mouseClick(Data().findChild<QPushButton*>("DataCancel"), Qt::LeftButton);
  Data().WaitForQuery();
  EXPECT_EQ(Data().Message(), "Cancelled");
  EXPECT_TRUE(Data().findChild<QLabel*>("DataMessage")->styleSheet().isEmpty()) << "not shown as an error";
  EXPECT_TRUE(Window().menuBar()->isEnabled());
  EXPECT_TRUE(Window().ModuleView()->isEnabled());

  // Active set in the Object Inspector opens the query, and the view shows it.
  ClickModule(IconOf("ManyQuery"));
  PickValue("Active", "True");
  EXPECT_EQ(Data().Model()->rowCount(), 100);
  EXPECT_EQ(Cell(5, 1).toStdString(), "row 6");
}

// Reading the module runs nothing; a dataset stored open is opened when
// shown, read-only, and keeps Active = True in the file saved.
TEST_F(DataViewTest, DataSetsStoredOpenAreOpenedToLookOnly) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  ClickModule(IconOf("PurgeQuery"));
  Data().WaitForQuery();
  EXPECT_NE(Data().Message().find("PurgeQuery: delete is not a statement that only reads"), std::string::npos)
      << Data().Message();
  ClickModule(IconOf("ManyQuery"));
  PickValue("Active", "True");
  ClickModule(IconOf("FirstRows"));
  Data().WaitForQuery();
  EXPECT_EQ(Data().Model()->rowCount(), 3);
  Trigger("actionSave");
  const std::string saved = rtl::ReadFileToString(example_.Module());
  for (const char* name : {"ManyQuery", "FirstRows", "PurgeQuery"})
    EXPECT_NE(saved.find(std::string(name) + ": TDVQuery\n    DatabaseName = 'shop'\n    Active = True\n"),
              std::string::npos)
        << name << "\n" << saved;
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(example_.File("shop.db").c_str(), &db), SQLITE_OK);
  sqlite3_stmt* count = nullptr;
  sqlite3_prepare_v2(db, "select count(*) from many", -1, &count, nullptr);
  ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(count, 0), 100000);
  sqlite3_finalize(count);
  sqlite3_close(db);
}

}  // namespace
}  // namespace windowtest
