// The name-list editors through the Object Inspector: value lists from the
// runtime's sessions and databases, the recent remote databases, and the
// database's Connected recording the one connected from the inspector.
#include <fstream>

#include "InspectorFixture.h"
#include "MariaDbFixtures.h"
#include "SqlFixtures.h"
#include "rtl/system/SysUtils.h"

namespace {

using namespace dralvo;
using namespace designide;
using Names = std::vector<std::string>;

class NameLists : public petest::InspectorFixture {
 protected:
  std::string SettingsText() {
    std::ifstream in(root_.File("dralvo.ini"));
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
};

TEST_F(NameLists, SessionAndDatabaseNamesAreOfferedSorted) {
  Add<TDVSession>("S1")->SetSessionName("zulu");
  Add<TDVSession>("S2")->SetSessionName("alpha");
  AddDatabase("orders", "x.db");
  AddDatabase("Archive", "y.db");
  AddDatabase("billing", "z.db")->SetSessionName("zulu");
  auto* query = Add<TDVQuery>("Query1");
  auto* script = Add<TDVScript>("Script1");
  script->SetSessionName("zulu");

  Inspect({query});
  EXPECT_EQ(Row("SessionName").EditorClass().ClassName(), "TDVSessionNameProperty");
  EXPECT_EQ(Row("SessionName").Values(), (Names{"alpha", "Default", "zulu"}));
  EXPECT_EQ(Row("DatabaseName").Values(), (Names{"Archive", "orders"})) << "the query's session";
  Inspect({script});
  EXPECT_EQ(Row("SessionName").Values(), (Names{"alpha", "Default", "zulu"})) << "the same for every component";
  EXPECT_EQ(Row("DatabaseName").Values(), Names{"billing"}) << "the script's session";
}

TEST_F(NameLists, TableNamesAndWhenTheyAreFilledInAsTyped) {
  const std::string file = SQLiteFile("shop.db", "create table orders(id int); create table Customers(id int);"
                                                 "create table audit(id int);");
  auto* table = Add<TDVTable>("Table1");
  Inspect({table});
  EXPECT_FALSE(Row("TableName").AutoFill()) << "no such session";
  table->SetSessionName("nowhere");
  EXPECT_FALSE(Row("TableName").AutoFill());
  table->SetSessionName("");
  table->SetDatabaseName("shop");
  EXPECT_FALSE(Row("TableName").AutoFill()) << "no such database";
  TDVDatabase* db = AddDatabase("shop", file);
  EXPECT_FALSE(Row("TableName").AutoFill()) << "not connected";
  EXPECT_FALSE(db->Connected()) << "AutoFill only looks";

  EXPECT_EQ(Row("TableName").Values(), (Names{"audit", "Customers", "orders"}));
  EXPECT_TRUE(db->Connected()) << "listing the tables connects";
  EXPECT_TRUE(Row("TableName").AutoFill());
  EXPECT_EQ(designer_->modified, 0);
}

TEST_F(NameLists, RemoteDatabaseOffersTheHistoryInItsOwnOrder) {
  const std::string a = SQLiteFile("a.db", "create table t(x int);");
  const std::string b = SQLiteFile("b.db", "create table t(x int);");
  TDVDatabase* dbA = AddDatabase("a", a);
  TDVDatabase* dbB = AddDatabase("b", b);
  Inspect({dbA});
  TInspectorRow& remote = Row("RemoteDatabase");
  EXPECT_EQ(remote.Attributes() & (paValueList | paDialog | paSortList | paMultiSelect), paValueList | paDialog);
  EXPECT_EQ(remote.Values(), Names{"<history list>"});
  remote.SetValue("<history list>");
  EXPECT_EQ(dbA->RemoteDatabase(), a) << "the marker stores nothing";
  EXPECT_EQ(designer_->modified, 0);

  // Connecting from the inspector records the remote database first.
  Inspect({dbB});
  Row("Connected").SetValue("true");
  Inspect({dbA});
  Row("Connected").SetValue("True");
  EXPECT_EQ(Row("RemoteDatabase").Values(), (Names{a, b})) << "most recent first, not sorted";
  Row("Connected").SetValue("False");
  Inspect({dbB});
  Row("Connected").SetValue("TRUE");
  EXPECT_EQ(Row("RemoteDatabase").Values(), (Names{b, a}));

  // Only the exact marker is ignored.
  Row("Connected").SetValue("False");
  Row("RemoteDatabase").SetValue("<History List>");
  EXPECT_EQ(dbB->RemoteDatabase(), "<History List>");
  EXPECT_EQ(designer_->modified, 6);

  // The list reaches the settings file when the package unloads.
  inspector_.reset();
  designide::SetRootDesigner(form_.get(), nullptr);
  form_.reset();
  rtl::UnloadPackage(module_);
  module_ = nullptr;
  EXPECT_NE(SettingsText().find("Item00=" + b + "\nItem01=" + a + "\n"), std::string::npos) << SettingsText();
}

TEST_F(NameLists, ConnectedRecordsOnlyTheFirstAndOnlyOnSuccess) {
  const std::string a = SQLiteFile("a.db", "create table t(x int);");
  const std::string b = SQLiteFile("b.db", "create table t(x int);");
  TDVDatabase* dbA = AddDatabase("a", a);
  TDVDatabase* dbB = AddDatabase("b", b);
  TDVDatabase* broken = AddDatabase("broken", files_.File("no/such/folder.db"));
  Inspect({dbB, dbA});
  Row("Connected").SetValue("True");
  EXPECT_TRUE(dbA->Connected());
  EXPECT_TRUE(dbB->Connected());
  Inspect({dbA});
  EXPECT_EQ(Row("RemoteDatabase").Values(), Names{b}) << "the first selected only";

  Inspect({broken});
  EXPECT_THROW(Row("Connected").SetValue("True"), rtl::EDatabaseError);
  EXPECT_THROW(Row("Connected").SetValue("Yes"), rtl::EPropertyError);
  EXPECT_FALSE(broken->Connected());
  EXPECT_EQ(Row("RemoteDatabase").Values(), Names{b}) << "nothing recorded for a failed connection";
  EXPECT_EQ(Row("Connected").Values(), (Names{"False", "True"}));
}

TEST_F(NameLists, PostgreSQLTablesAndProcedures) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema(
      "create table invoices(id int primary key); create table lines(id int);"
      "create function total(a int) returns int language sql as 'select a';");
  AddDatabase("pg", schema.SearchPath(), TDVServerType::stPostgreSQL);
  auto* table = Add<TDVTable>("Invoices");
  table->SetDatabaseName("pg");
  auto* proc = Add<TDVStoredProc>("Total");
  proc->SetDatabaseName("pg");
  Inspect({table});
  EXPECT_EQ(Row("TableName").Values(), (Names{"invoices", "lines"}));
  Inspect({proc});
  EXPECT_EQ(Row("StoredProcName").Values(), Names{"total"});
  Row("StoredProcName").SetValue("total");
  EXPECT_EQ(proc->StoredProcName(), "total");
}

TEST_F(NameLists, MariaDBTablesViewsAndRoutines) {
  DV_REQUIRE_MARIADB();
  dvtest::MariaDbDatabase server(
      "create table invoices(id int primary key); create table `Order Lines`(id int);"
      "create view recent as select id from invoices;"
      "create function total(a int) returns int deterministic return a; create procedure tidy() begin end;");
  AddDatabase("maria", server.Url(), TDVServerType::stMariaDB);
  auto* table = Add<TDVTable>("Invoices");
  table->SetDatabaseName("maria");
  auto* proc = Add<TDVStoredProc>("Total");
  proc->SetDatabaseName("maria");
  Inspect({table});
  EXPECT_EQ(Row("TableName").Values(), (Names{"invoices", "Order Lines", "recent"}));
  Inspect({proc});
  EXPECT_EQ(Row("StoredProcName").Values(), (Names{"tidy", "total"}));
}

TEST_F(NameLists, AnUnreachableServerIsAnErrorAndChangesNothing) {
  TDVDatabase* db = AddDatabase("gone", "host=127.0.0.1 port=1 dbname=x connect_timeout=2", TDVServerType::stPostgreSQL);
  auto* table = Add<TDVTable>("T");
  table->SetDatabaseName("gone");
  table->SetTableName("kept");
  Inspect({table});
  EXPECT_THROW(Row("TableName").Values(), rtl::EDatabaseError);
  EXPECT_EQ(table->TableName(), "kept");
  Inspect({db});
  EXPECT_THROW(Row("Connected").SetValue("True"), rtl::EDatabaseError);
  EXPECT_EQ(Row("RemoteDatabase").Values(), Names{"<history list>"});
  EXPECT_EQ(designer_->modified, 0);
}

}  // namespace
