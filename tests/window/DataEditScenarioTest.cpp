// A person edits the orders in the Data view: changes a value, inserts an
// order and deletes one, and applies them through the update object; the
// grid then shows what the server stored (a trigger's work). An update
// object whose modify statement reaches every row is rolled back with the
// file untouched, and Cancel puts the records back. A dataset without an
// update object stays read-only.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <functional>

#include "SqlFixtures.h"
#include "WindowFixture.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/system/SysUtils.h"
#include "window/DataEditBar.h"
#include "window/DataPanel.h"

namespace windowtest {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Statement(const std::string& property, const std::string& sql) {
  return "    " + property + ".Strings = (\n      '" + sql + "')\n";
}

class DataEditTest : public WindowTest {
 protected:
  DataEditTest() {
    // The server's own work on a changed order, which the grid must show.
    dvtest::MakeSQLiteFile(example_.File("shop.db"),
                           "create trigger handled after update of status on orders begin"
                           " update orders set total = total + 1 where order_id = new.order_id; end;");
    std::string text = rtl::ReadFileToString(example_.Module());
    const std::string object = "  object OrdersUpdate: TDVUpdateSQL\n";
    text.insert(text.find(object) + object.size(),
                Statement("RefreshSQL", "select order_id, customer_id, order_date as ordered_on, status, total from "
                                        "orders where order_id = :OLD_order_id") +
                    Statement("ModifySQL", "update orders set order_id = :order_id, customer_id = :customer_id, "
                                           "order_date = :ordered_on, status = :status, total = :total where order_id "
                                           "= :OLD_order_id") +
                    Statement("InsertSQL", "insert into orders (order_id, customer_id, order_date, status, total) "
                                           "values (:order_id, :customer_id, :ordered_on, :status, :total)") +
                    Statement("DeleteSQL", "delete from orders where order_id = :OLD_order_id"));
    rtl::WriteFileAtomic(example_.Module(), text);
  }
  designer::TDataPanel& Data() { return *Window().DataView(); }
  designer::TDataEditBar& Edits() { return *Data().Edits(); }
  void Open(const std::string& dataSet) {
    ClickModule(IconOf(dataSet));
    QTest::mouseClick(Data().findChild<QPushButton*>("DataOpen"), Qt::LeftButton);
    Data().WaitForQuery();
  }
  void Click(const char* button) { QTest::mouseClick(Edits().findChild<QPushButton*>(button), Qt::LeftButton); }
  void Select(int row, int column) {
    Data().Grid()->setFocus();
    Data().Grid()->setCurrentIndex(Data().Grid()->model()->index(row, column));
  }
  // F2 on the cell, the text typed over what it held, Enter.
  void Type(int row, int column, const std::string& text) {
    Select(row, column);
    QTest::keyClick(Data().Grid(), Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(Data().Grid()->indexWidget(Data().Grid()->currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QString::fromStdString(text));
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits what Enter ends through a queued call.
    QCoreApplication::processEvents();
  }
  std::string Cell(int row, int column) {
    QAbstractItemModel& m = *Data().Grid()->model();
    return m.data(m.index(row, column), Qt::DisplayRole).toString().toStdString();
  }
  std::vector<std::string> Orders() {
    return SQLiteLines("select order_id || ' ' || status || ' ' || total from orders order by order_id");
  }
  std::vector<std::string> SQLiteLines(const std::string& query) {
    sqlite3* db = nullptr;
    std::vector<std::string> lines;
    if (sqlite3_open_v2(example_.File("shop.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
      sqlite3_stmt* st = nullptr;
      sqlite3_prepare_v2(db, query.c_str(), -1, &st, nullptr);
      while (sqlite3_step(st) == SQLITE_ROW) lines.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
      sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return lines;
  }
  size_t FileHash() { return std::hash<std::string>{}(rtl::ReadFileToString(example_.File("shop.db"))); }
};

TEST_F(DataEditTest, EditsInsertsAndDeletesAreAppliedTogetherOrNotAtAll) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  Open("OrdersQuery");
  ASSERT_FALSE(Edits().isHidden());
  Type(0, 3, "paid");
  Select(1, 0);
  Click("DataInsert");
  const std::vector<std::string> added = {"103", "2", "2024-04-01", "new", "5.5"};
  for (int column = 0; column < 5; ++column) Type(1, column, added[static_cast<size_t>(column)]);
  Select(3, 0);  // order 102, below the new one
  Click("DataDelete");
  EXPECT_EQ(Edits().Message(), "3 changes kept, written only on Apply");
  EXPECT_EQ(Orders(), (std::vector<std::string>{"100 shipped 42.5", "101 new 19.9", "102 new 7.25"}));

  Click("DataApply");
  EXPECT_EQ(Edits().Message(), "Applied and committed; the records show what the server stored");
  const std::string applied = Edits().AppliedText();
  EXPECT_TRUE(Has(applied, "modify: 1 row changed: update orders set order_id = :order_id,")) << applied;
  EXPECT_TRUE(Has(applied, "(:order_id = 100, :customer_id = 1, :ordered_on = '2024-03-01', :status = 'paid', "))
      << applied;
  EXPECT_TRUE(Has(applied, "\ninsert: 1 row inserted: insert into orders")) << applied;
  EXPECT_TRUE(Has(applied, "\ndelete: 1 row deleted: delete from orders where order_id = :OLD_order_id "
                           "(:OLD_order_id = 102)"))
      << applied;
  EXPECT_EQ(Orders(), (std::vector<std::string>{"100 paid 43.5", "101 new 19.9", "103 new 5.5"}));
  EXPECT_EQ(Cell(0, 4), "43.5");  // read again: the trigger's work shows

  // A modify statement without a where clause: three rows, not one.
  static_cast<dralvo::TDVUpdateSQL*>(Component("OrdersUpdate"))->ModifySQL()->SetText(
      "update orders set status = :status");
  const size_t before = FileHash();
  Type(0, 3, "lost");
  Click("DataApply");
  EXPECT_TRUE(Has(Edits().Message(), "Not applied: change 1 (modify): 3 rows changed, expected 1: the where clause "
                                     "does not pin one row; rolled back, nothing was written"))
      << Edits().Message();
  EXPECT_EQ(FileHash(), before);
  EXPECT_EQ(Cell(0, 3), "lost");  // kept until Cancel
  Click("DataCancelEdits");
  EXPECT_EQ(Cell(0, 3), "paid");
  EXPECT_EQ(FileHash(), before);

  // Without an update object the records are only looked at.
  Open("CustomersTable");
  EXPECT_TRUE(Edits().isHidden());
  EXPECT_FALSE(Data().Grid()->model()->flags(Data().Grid()->model()->index(0, 1)) & Qt::ItemIsEditable);
}

}  // namespace
}  // namespace windowtest
