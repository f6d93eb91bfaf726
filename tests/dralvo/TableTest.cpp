// TDVTable on a real SQLite file: indexes, ordering, master-detail, writes.
#include <gtest/gtest.h>

#include <functional>

#include "Fixture.h"
#include "db/DataSource.h"
#include "db/Field.h"

namespace {

using dralvo::TDVServerType;

class SQLiteTable : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.File("t.db");
    dvtest::MakeSQLiteFile(file_,
                           "create table customer(id integer primary key, name text);"
                           "insert into customer values (2, 'Bea'), (1, 'Al');"
                           "create table orders(cust int, no int, total real, primary key(cust, no));"
                           "create index by_total on orders(total);"
                           "insert into orders values (1, 2, 10), (2, 1, 5), (1, 1, 30), (2, 2, 1);"
                           "create table nokey(a int);");
    form_.AddDatabase("TDB", TDVServerType::stSQLite, file_);
    orders_ = NewTable("orders");
  }
  dralvo::TDVTable* NewTable(const std::string& name) {
    auto* t = new dralvo::TDVTable(form_.root.get());
    t->SetDatabaseName("TDB");
    t->SetTableName(name);
    return t;
  }
  std::vector<std::string> Column(db::TDataSet& ds, const std::string& field) {
    std::vector<std::string> out;
    for (ds.First(); !ds.Eof(); ds.Next()) out.push_back(ds.FieldByName(field)->AsString());
    return out;
  }
  dvtest::TempDir dir_;
  std::string file_;
  dvtest::TestForm form_;
  dralvo::TDVTable* orders_ = nullptr;
};

TEST_F(SQLiteTable, IndexDefsAndIndexFieldsOfAClosedTable) {
  db::TIndexDefs* defs = orders_->IndexDefs();
  ASSERT_EQ(defs->Count(), 2);
  EXPECT_EQ(defs->Items(0)->Name(), "by_total");
  EXPECT_EQ(defs->Items(1)->Name(), dralvo::SPrimary);
  EXPECT_EQ(defs->Items(1)->Fields(), "cust;no");
  EXPECT_TRUE(defs->Items(1)->Options() & db::ixPrimary);
  EXPECT_FALSE(orders_->PSIsSQLBased());
  ASSERT_EQ(orders_->GetIndexFieldCount(), 2);
  EXPECT_EQ(orders_->GetIndexField(0)->FieldName(), "cust");
  EXPECT_EQ(orders_->GetIndexField(1)->FieldName(), "no");
  // The primary index's text selects the primary index (an empty name).
  orders_->SetIndexName(dralvo::SPrimary);
  EXPECT_EQ(orders_->IndexName(), "");
  orders_->SetIndexName("BY_TOTAL");
  ASSERT_EQ(orders_->GetIndexFieldCount(), 1);
  EXPECT_EQ(orders_->GetIndexField(0)->FieldName(), "total");
  orders_->SetIndexName("nosuchindex");
  EXPECT_THROW(orders_->GetIndexFieldCount(), rtl::EDatabaseError);
  // No database: nothing to tell, no error.
  auto* loose = new dralvo::TDVTable(form_.root.get());
  loose->SetTableName("orders");
  EXPECT_EQ(loose->GetIndexFieldCount(), 0);
}

TEST_F(SQLiteTable, OpensInIndexOrder) {
  orders_->Open();
  EXPECT_EQ(Column(*orders_, "total"), (std::vector<std::string>{"30", "10", "5", "1"}));
  orders_->SetIndexName("by_total");
  EXPECT_TRUE(orders_->Active());
  EXPECT_EQ(Column(*orders_, "total"), (std::vector<std::string>{"1", "5", "10", "30"}));
  orders_->SetIndexFieldNames("no;cust");
  EXPECT_EQ(orders_->IndexName(), "");
  EXPECT_EQ(Column(*orders_, "total"), (std::vector<std::string>{"30", "5", "10", "1"}));
  auto* missing = NewTable("x'; drop table orders; --");
  try {
    missing->Open();
    FAIL() << "opened a missing table";
  } catch (const rtl::EDatabaseError& e) {
    // The server type, the file and the server's own words.
    EXPECT_NE(e.Message().find("SQLite"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find(file_), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("no such table"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(dvtest::SQLiteColumn(file_, "select count(*) from orders"), std::vector<std::string>{"4"});
  auto* upper = NewTable("CUSTOMER");
  upper->Open();
  EXPECT_EQ(Column(*upper, "name"), (std::vector<std::string>{"Al", "Bea"}));
}

TEST_F(SQLiteTable, DetailFollowsTheMastersCurrentRecord) {
  auto* customers = NewTable("customer");
  customers->SetName("Customers");
  orders_->SetName("Orders");
  auto* source = new db::TDataSource(form_.root.get());
  source->SetDataSet(customers);
  orders_->SetMasterSource(source);
  orders_->SetMasterFields("id");
  try {
    orders_->Open();
    ADD_FAILURE() << "opened without the master's values";
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Orders: master field 'id' of Customers has no value: Customers is closed");
  }
  customers->Open();
  orders_->Open();
  EXPECT_EQ(Column(*orders_, "total"), (std::vector<std::string>{"30", "10"}));
  customers->Next();
  EXPECT_EQ(Column(*orders_, "total"), (std::vector<std::string>{"5", "1"}));
  // A master without records, or with a null key, has no detail rows.
  auto* nobody = new dralvo::TDVQuery(form_.root.get());
  nobody->SetDatabaseName("TDB");
  for (const char* master : {"select id from customer where id > 2", "select null as id"}) {
    nobody->SQL()->SetText(master);
    nobody->Open();
    source->SetDataSet(nobody);
    orders_->Close();
    orders_->Open();
    EXPECT_TRUE(orders_->IsEmpty()) << master;
  }
  delete source;
  EXPECT_EQ(orders_->MasterSource(), nullptr);
}

// A table that would end up driving itself, directly or through another
// table, is refused with the chain of components; nothing is linked then.
TEST_F(SQLiteTable, CircularMasterLinksAreRefusedNamingTheComponents) {
  auto* ordersSource = new db::TDataSource(form_.root.get());
  ordersSource->SetName("OrdersSource");
  orders_->SetName("Orders");
  ordersSource->SetDataSet(orders_);
  auto Refused = [](const std::function<void()>& link, const std::string& chain) {
    try {
      link();
      ADD_FAILURE() << "linked: " << chain;
    } catch (const rtl::EDatabaseError& e) {
      EXPECT_NE(e.Message().find("Circular data link refused: " + chain), std::string::npos) << e.Message();
    }
  };
  Refused([&] { orders_->SetMasterSource(ordersSource); }, "Orders -> OrdersSource -> Orders");
  EXPECT_EQ(orders_->MasterSource(), nullptr);

  auto* customers = NewTable("customer");
  customers->SetName("Customers");
  auto* customerSource = new db::TDataSource(form_.root.get());
  customerSource->SetName("CustomerSource");
  orders_->SetMasterSource(customerSource);
  customers->SetMasterSource(ordersSource);
  // Customers drives Orders through CustomerSource, Orders drives Customers.
  Refused([&] { customerSource->SetDataSet(customers); },
          "Orders -> OrdersSource -> Customers -> CustomerSource -> Orders");
  EXPECT_EQ(customerSource->DataSet(), nullptr);
  // Removing one link lets the other direction through.
  customers->SetMasterSource(nullptr);
  customerSource->SetDataSet(customers);
  customers->Open();
  orders_->SetMasterFields("id");
  orders_->Open();
  EXPECT_EQ(orders_->RecordCount(), 2);
}

TEST_F(SQLiteTable, WritesThroughTheKeyWithoutAnUpdateObject) {
  orders_->Open();
  orders_->Edit();
  orders_->FieldByName("total")->SetAsFloat(31);
  orders_->Post();
  orders_->Append();
  orders_->FieldByName("cust")->SetAsInteger(3);
  orders_->FieldByName("no")->SetAsInteger(1);
  orders_->Post();
  EXPECT_EQ(dvtest::SQLiteColumn(file_, "select count(*) from orders where cust = 3 and total is null"),
            std::vector<std::string>{"1"});
  orders_->First();
  orders_->Next();  // 1/2
  orders_->Delete();
  orders_->Close();
  EXPECT_EQ(dvtest::SQLiteColumn(file_, "select cust || '/' || no || '/' || coalesce(total, '-') from orders order by 1"),
            (std::vector<std::string>{"1/1/31.0", "2/1/5.0", "2/2/1.0", "3/1/-"}));
  auto* nokey = NewTable("nokey");
  nokey->Open();
  nokey->Append();
  nokey->Fields(0)->SetAsInteger(1);
  nokey->Post();  // an insert needs no key
  nokey->Edit();
  nokey->Fields(0)->SetAsInteger(2);
  EXPECT_THROW(nokey->Post(), rtl::EDatabaseError);
}

}  // namespace
