// "Get Table Fields" and "Select Primary Keys" against real SQLite files.
#include <gtest/gtest.h>

#include "Support.h"
#include "dralvo/Consts.h"
#include "dralvo/SchemaInfo.h"
#include "db/Field.h"
#include "rtl/system/SysUtils.h"

namespace {

using namespace updtest;

class TableFields : public TSQLiteModuleTest {
 protected:
  void SetUp() override {
    OpenModule(
        "keys.db",
        "create table \"Order Lines\"(\"Order\" int, \"Line\" int, QTY int, primary key(\"Order\", \"Line\"));"
        "create table PK_AND_UNIQUE(A int, B int unique, C int, primary key(C));"
        "create table UNIQUE_ONLY(A int, B int, C int, D int);"
        "create unique index UQ_FIRST on UNIQUE_ONLY(B, C);"
        "create unique index UQ_SECOND on UNIQUE_ONLY(D);"
        "create table NO_KEY(A int, B int);"
        "create table MIXED(Order_Id int primary key, NAME text);"
        "create table BLANKS(\" \" int, \"  X\" int, K int primary key);"
        "create table orders(order_id int primary key, total int);"
        "create table \"ord\"\"ers\"(id int primary key, x int);"
        "create table \"'quoted'\"(q int primary key, r int);",
        "select \"Order\", \"Line\", QTY from \"Order Lines\"");
  }
  // Types a table name and presses a button, as a person does.
  static void UseTable(Form& f, const std::string& table, vcl::TButton* Form::*button) {
    f.cbTableName->TypeText(table);
    (f.*button)->Click();
  }
  // The names of the index rows for `table`, in the order the server gives.
  std::vector<std::string> IndexOrder(const std::string& table) {
    std::vector<std::string> names;
    std::unique_ptr<db::TDataSet> schema = module_->database->GetSchemaInfo(dralvo::TDVSchemaType::stIndexes, table);
    for (; schema && !schema->Eof(); schema->Next()) names.push_back(schema->FieldByName("INDEX_NAME")->AsString());
    return names;
  }
};

TEST_F(TableFields, FetchedColumnsFillBothListsWithRoomForTheLongest) {
  RunEditor(module_->updateSQL, [](Form& f) {
    UseTable(f, "PK_AND_UNIQUE", &Form::btGetTableFields);
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"A", "B", "C"}));
    EXPECT_EQ(Items(*f.lbUpdateFields), (Lines{"A", "B", "C"}));
    EXPECT_EQ(SelectedItems(*f.lbKeyFields).size(), 3u);
    EXPECT_EQ(SelectedItems(*f.lbUpdateFields).size(), 3u);
    EXPECT_TRUE(f.btDataSetDefaults->Enabled());
    int widest = 0;
    for (const char* name : {"A", "B", "C"}) widest = std::max(widest, f.lbKeyFields->Canvas()->TextWidth(name + std::string("A")));
    EXPECT_EQ(vcl::SendMessageW(f.lbKeyFields->Handle(), vcl::LB_GETHORIZONTALEXTENT, 0, 0), widest);
    EXPECT_EQ(vcl::SendMessageW(f.lbUpdateFields->Handle(), vcl::LB_GETHORIZONTALEXTENT, 0, 0), widest);
    // The extent stays when the lists go back to the dataset's fields.
    f.btDataSetDefaults->Click();
    EXPECT_EQ(vcl::SendMessageW(f.lbKeyFields->Handle(), vcl::LB_GETHORIZONTALEXTENT, 0, 0), widest);
    f.btCancel->Click();
  });
}

TEST_F(TableFields, QuotedTableNamesForBothButtons) {
  // Quoted or bare (SQLite reads a bare name ignoring case), the same table.
  for (const char* typed : {"\"Order Lines\"", "Order Lines", "order lines"}) {
    RunEditor(module_->updateSQL, [&](Form& f) {
      UseTable(f, typed, &Form::btGetTableFields);
      EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"Order", "Line", "QTY"})) << typed;
      f.btSelectPrimKeys->Click();
      EXPECT_EQ(SelectedItems(*f.lbKeyFields), (Lines{"Order", "Line"})) << typed;
      f.btCancel->Click();
    });
  }
}

// A double-quoted name is read by the server's rules rather than stripped of
// its quotes, for the columns as for the index schema: "ord""ers" is not
// orders.
TEST_F(TableFields, DoubleQuotedNameReadByTheServersRulesForColumnsAndKeys) {
  RunEditor(module_->updateSQL, [&](Form& f) {
    UseTable(f, "\"ord\"\"ers\"", &Form::btGetTableFields);
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"id", "x"}));
    f.btSelectPrimKeys->Click();
    EXPECT_EQ(SelectedItems(*f.lbKeyFields), (Lines{"id"}));
    UseTable(f, "ORDERS", &Form::btGetTableFields);
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"order_id", "total"}));
    f.btCancel->Click();
  });
}

// Adjacent apostrophes around a name or a dotted part all go; inside a
// double-quoted part, read by the server's rules, an apostrophe is part of
// the name.
TEST_F(TableFields, AdjacentApostrophesAllGoButStayInsideADoubleQuotedPart) {
  for (const char* typed : {"'orders'", "''orders''", "'main'.'orders'", "main.''orders'"}) {
    TRun run = RunEditor(module_->updateSQL, [&](Form& f) {
      UseTable(f, typed, &Form::btGetTableFields);
      EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"order_id", "total"})) << typed;
      f.btCancel->Click();
    });
    EXPECT_TRUE(run.messages.empty()) << typed;
  }
  RunEditor(module_->updateSQL, [&](Form& f) {
    UseTable(f, "\"'quoted'\"", &Form::btGetTableFields);
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"q", "r"}));
    f.btSelectPrimKeys->Click();
    EXPECT_EQ(SelectedItems(*f.lbKeyFields), (Lines{"q"}));
    f.btCancel->Click();
  });
  // The message names the table that was asked for.
  TRun run = RunEditor(module_->updateSQL, [&](Form& f) {
    UseTable(f, "'it''s'", &Form::btGetTableFields);
    f.btCancel->Click();
  });
  ASSERT_EQ(run.messages.size(), 1u);
  EXPECT_EQ(run.messages[0].Text, rtl::Format(dralvo::SSQLDataSetOpen, {std::string("its")}));
}

TEST_F(TableFields, NoColumnsFoundKeepsTheItemsButSelectsThemAll) {
  updtest::TRun run = RunEditor(module_->updateSQL, [](Form& f) {
    f.pmFields->Popup(f.lbKeyFields);
    f.miClearAll->Click();
    UseTable(f, "\"NOWHERE\"", &Form::btGetTableFields);
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"Order", "Line", "QTY"}));
    EXPECT_EQ(SelectedItems(*f.lbKeyFields).size(), 3u);
    EXPECT_TRUE(f.btDataSetDefaults->Enabled());
    EXPECT_EQ(vcl::SendMessageW(f.lbKeyFields->Handle(), vcl::LB_GETHORIZONTALEXTENT, 0, 0), 0);
    f.btCancel->Click();
  });
  ASSERT_EQ(run.messages.size(), 1u);
  EXPECT_EQ(run.messages[0].Text, rtl::Format(dralvo::SSQLDataSetOpen, {std::string("\"NOWHERE\"")}));
  EXPECT_EQ(run.messages[0].Type, vcl::TMsgDlgType::mtError);
  EXPECT_EQ(run.messages[0].Buttons, vcl::mbOK);
}

TEST_F(TableFields, BlankColumnNamesFromTheServerBecomeEmptyItems) {
  RunEditor(module_->updateSQL, [](Form& f) {
    UseTable(f, "BLANKS", &Form::btGetTableFields);
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"", "X", "K"}));
    // Measured untrimmed: the leading blanks count.
    int withBlanks = f.lbKeyFields->Canvas()->TextWidth("  XA");
    EXPECT_EQ(vcl::SendMessageW(f.lbKeyFields->Handle(), vcl::LB_GETHORIZONTALEXTENT, 0, 0),
              std::max(withBlanks, f.lbKeyFields->Canvas()->TextWidth("KA")));
    f.btCancel->Click();
  });
}

TEST_F(TableFields, KeySelectionRows) {
  struct Row {
    const char* table;
    Lines selected;
  };
  // The primary key wins over a unique index; without one, the unique index
  // that comes first in the schema's rows; without either, nothing.
  std::vector<std::string> uniqueOrder = IndexOrder("UNIQUE_ONLY");
  ASSERT_FALSE(uniqueOrder.empty());
  Lines firstUnique = uniqueOrder.front() == "UQ_FIRST" ? Lines{"B", "C"} : Lines{"D"};
  std::vector<Row> rows{{"PK_AND_UNIQUE", {"C"}}, {"UNIQUE_ONLY", firstUnique}, {"NO_KEY", {}},
                        {"MIXED", {"ORDER_ID"}}};
  for (const Row& row : rows) {
    RunEditor(module_->updateSQL, [&](Form& f) {
      f.cbTableName->TypeText(row.table);
      f.btGetTableFields->Click();
      // Case does not matter when matching key columns to items.
      if (std::string(row.table) == "MIXED") f.lbKeyFields->Items()->Put(0, "ORDER_ID");
      f.btSelectPrimKeys->Click();
      EXPECT_EQ(SelectedItems(*f.lbKeyFields), row.selected) << row.table;
      EXPECT_EQ(SelectedItems(*f.lbUpdateFields), Items(*f.lbUpdateFields)) << row.table;
      f.btCancel->Click();
    });
  }
}

TEST_F(TableFields, PrimaryKeyWinsWhereverItsRowsStand) {
  std::vector<std::string> order = IndexOrder("PK_AND_UNIQUE");
  ASSERT_EQ(order.size(), 2u);
  // Both kinds of rows are there; whichever comes first, the key is C.
  RunEditor(module_->updateSQL, [](Form& f) {
    UseTable(f, "PK_AND_UNIQUE", &Form::btGetTableFields);
    f.btSelectPrimKeys->Click();
    EXPECT_EQ(SelectedItems(*f.lbKeyFields), Lines{"C"});
    f.btCancel->Click();
  });
}

TEST_F(TableFields, DatasetFieldNamesMatchOnlyWhenEqualToKeyColumns) {
  module_->query->SQL()->SetText("select C as KEYCOL, A, B from PK_AND_UNIQUE");
  RunEditor(module_->updateSQL, [](Form& f) {
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"KEYCOL", "A", "B"}));
    f.btSelectPrimKeys->Click();
    EXPECT_TRUE(SelectedItems(*f.lbKeyFields).empty());
    f.btCancel->Click();
  });
}

TEST_F(TableFields, WithoutADatabaseTheSelectionStays) {
  module_->query->SetDatabaseName("NOT_A_DATABASE");
  RunEditor(module_->updateSQL, [](Form& f) {
    f.lbKeyFields->ClickItem(1);
    f.btSelectPrimKeys->Click();
    EXPECT_EQ(SelectedItems(*f.lbKeyFields), Lines{"Line"});
    f.btCancel->Click();
  });
}

TEST_F(TableFields, TableFieldsWithoutADatasetStopAtTheAssertion) {
  module_->query->SetUpdateObject(nullptr);
  try {
    RunEditor(module_->updateSQL, [](Form& f) {
      EXPECT_FALSE(f.btGetTableFields->Click());  // disabled for a person
      f.GetTableFieldsClick(f.btGetTableFields);
    });
    FAIL() << "no assertion";
  } catch (const rtl::EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Assertion failure (DVUpdSEd, line 542)");
  }
}

TEST_F(TableFields, TableNameChangedFetchesWhenItCan) {
  RunEditor(module_->updateSQL, [](Form& f) {
    f.cbTableName->SetText("NO_KEY");
    f.TableNameChanged(f.cbTableName);
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"A", "B"}));
    f.cbTableName->SetText("  ");
    f.TableNameChanged(f.cbTableName);
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"A", "B"}));
    EXPECT_FALSE(f.btGetTableFields->Enabled());
    f.btCancel->Click();
  });
}

}  // namespace
