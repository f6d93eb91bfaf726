// The Firebird driver on the embedded engine (a database file in the test's
// folder): the catalog with awkward names and keys, Firebird's rules for
// names, procedures, and bad input.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "FirebirdFixtures.h"
#include "Fixture.h"
#include "db/DataSet.h"
#include "db/Field.h"
#include "dralvo/CatalogConnection.h"
#include "dralvo/Database.h"
#include "dralvo/Hooks.h"
#include "dralvo/Query.h"
#include "dralvo/Servers.h"
#include "dralvo/Session.h"
#include "dralvo/StoredProc.h"
#include "dralvo/UpdateCheck.h"
#include "dralvo/UpdateSQL.h"

namespace {

using dralvo::TDVServerType;

const std::vector<std::string> kTables = {
    "create table \"Order Lines\"(\"Order\" int not null, line int not null, qty int, \"größe\" varchar(10),"
    " constraint lines_key primary key (\"Order\", line))",
    "create table customers(id int not null constraint customers_key primary key, email varchar(80) not null,"
    " phone varchar(20), constraint by_email unique (email), constraint by_phone unique (phone))",
    "create table loose(a int, b int)",
    "create table \"SELECT\"(\"FROM\" int not null, \"where\" int not null, constraint fw unique (\"FROM\", \"where\"))",
    "create unique index by_pair on loose(a, b)",
    "create table \"Mixed\"(x int)",
    "create table mixed(y int)",
    "create view recent as select id from customers",
    "create procedure bump(v int) returns (r int) as begin r = v + 1; end",
    "create procedure numbers(n int) returns (i int) as begin i = 1; while (i <= n) do begin suspend; i = i + 1; end end",
    "insert into customers values (1, 'a@x', null)",
};

class FirebirdEmbedded : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.File("shop.fdb");
    dvtest::FirebirdAttachment(file_, true).Run(kTables);
    db_ = form_.AddDatabase("FB", TDVServerType::stFirebird, file_);
    db_->Params()->Add("LOCK TIMEOUT=1000");
    db_->Open();
  }
  void TearDown() override {
    if (db_ != nullptr) db_->Close();
  }
  std::vector<std::string> Indexes(const std::string& table) {
    std::unique_ptr<db::TDataSet> ds = db_->GetSchemaInfo(dralvo::TDVSchemaType::stIndexes, table);
    return ds == nullptr ? std::vector<std::string>{"<none>"} : dvtest::IndexRows(*ds);
  }
  std::vector<std::string> Fields(const std::string& table) {
    rtl::TStringList names;
    dralvo::Session()->GetFieldNames("FB", table, &names);
    return names.ToVector();
  }
  int64_t Count(const std::string& table) {
    return db_->Execute("select count(*) from " + table, nullptr).Rows[0][0].AsInteger();
  }
  dvtest::TempDir dir_;
  std::string file_;
  dvtest::TestForm form_;
  dralvo::TDVDatabase* db_ = nullptr;
};

// Listed names are written as Firebird reads them back, so each finds its
// own table; a typed name is read as Firebird reads it (bare ones folded to
// upper case), then as typed.
TEST_F(FirebirdEmbedded, CatalogListsAndFindsNamesAsFirebirdReadsThem) {
  rtl::TStringList names;
  dralvo::Session()->GetTableNames("FB", "", false, &names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"CUSTOMERS", "LOOSE", "MIXED", "\"Mixed\"",
                                                        "\"Order Lines\"", "RECENT", "\"SELECT\""}));
  for (const std::string& listed : names.ToVector()) EXPECT_FALSE(Fields(listed).empty()) << listed;
  EXPECT_EQ(Fields("\"Order Lines\""), (std::vector<std::string>{"Order", "LINE", "QTY", "größe"}));
  EXPECT_EQ(Fields("customers"), (std::vector<std::string>{"ID", "EMAIL", "PHONE"}));
  EXPECT_EQ(Fields("Mixed"), (std::vector<std::string>{"Y"}));
  EXPECT_EQ(Fields("\"Mixed\""), (std::vector<std::string>{"X"}));
  // Completion's own connection gives the names as stored.
  std::unique_ptr<dralvo::TDVCatalogConnection> catalog = dralvo::TDVCatalogSource(*db_).Connect();
  EXPECT_EQ(catalog->TableNames(),
            (std::vector<std::string>{"CUSTOMERS", "LOOSE", "MIXED", "Mixed", "Order Lines", "RECENT", "SELECT"}));
  EXPECT_EQ(catalog->ColumnNames("\"Mixed\""), (std::vector<std::string>{"X"}));
  names.Clear();
  dralvo::Session()->GetStoredProcNames("FB", &names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"BUMP", "NUMBERS"}));
}

TEST_F(FirebirdEmbedded, KeysAreThePrimaryKeyElseTheFirstUniqueIndexOverColumnsThatCannotBeNull) {
  EXPECT_EQ(Indexes("\"Order Lines\""), (std::vector<std::string>{"LINES_KEY:Order:6", "LINES_KEY:LINE:6"}));
  // by_phone admits many rows without a phone: no key.
  EXPECT_EQ(Indexes("customers"),
            (std::vector<std::string>{"CUSTOMERS_KEY:ID:6", "BY_EMAIL:EMAIL:2", "BY_PHONE:PHONE:-"}));
  EXPECT_EQ(Indexes("loose"), (std::vector<std::string>{"BY_PAIR:A:-", "BY_PAIR:B:-"}));
  EXPECT_EQ(Indexes("\"SELECT\""), (std::vector<std::string>{"FW:FROM:2", "FW:where:2"}));
  EXPECT_EQ(Indexes("recent"), (std::vector<std::string>{}));
  EXPECT_EQ(Indexes("nothing"), (std::vector<std::string>{"<none>"}));
}

// A name needs quotes exactly when Firebird would read another name (or
// none) bare; the rules known offline are the connection's.
TEST_F(FirebirdEmbedded, NamesAreQuotedWhereFirebirdWouldNotReadThemBack) {
  auto rules = db_->NameRules();
  auto offline = dralvo::ServerNameRules(TDVServerType::stFirebird);
  for (const char* bare : {"PLAIN", "A_1", "X$", "STATUS", "DATA", "NAME"}) {
    EXPECT_FALSE(rules->NeedsQuotes(bare)) << bare;
    EXPECT_FALSE(offline->NeedsQuotes(bare)) << bare;
  }
  for (const char* quoted : {"plain", "Mixed", "Order Lines", "2ND", "_X", "$X", "GRÖSSE", "SELECT", "select",
                             "A-B", "VALUE"}) {
    EXPECT_TRUE(rules->NeedsQuotes(quoted)) << quoted;
    EXPECT_TRUE(offline->NeedsQuotes(quoted)) << quoted;
  }
  EXPECT_EQ(db_->QuoteName("a\"b"), "\"a\"\"b\"");
  EXPECT_EQ(rules->TableReference("orders"), "orders") << "folded by the server as the query's own text is";
}

// The words of the engine's own library, each tried as a bare column alias
// on the engine: those it refuses are exactly the shipped reserved words.
TEST_F(FirebirdEmbedded, ShippedReservedWordsAreTheEnginesOwn) {
  std::ifstream library(DV_FIREBIRD_ENGINE, std::ios::binary);
  ASSERT_TRUE(library) << DV_FIREBIRD_ENGINE;
  const std::string bytes{std::istreambuf_iterator<char>(library), std::istreambuf_iterator<char>()};
  // Every run of capitals, digits, "_" and "$", and each of its tails that
  // starts with a letter: the linker may share a word's bytes with a longer
  // one that ends with it.
  std::set<std::string> words;
  auto wordChar = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$'; };
  for (size_t i = 0; i < bytes.size();) {
    size_t end = i;
    while (end < bytes.size() && wordChar(bytes[end])) ++end;
    for (size_t start = i; start < end; ++start)
      if (bytes[start] >= 'A' && bytes[start] <= 'Z' && end - start <= 31) words.insert(bytes.substr(start, end - start));
    i = end + 1;
  }
  ASSERT_GT(words.size(), 5000u);
  dvtest::FirebirdAttachment engine(file_, false);
  auto shipped = dralvo::ServerNameRules(TDVServerType::stFirebird);
  int refused = 0;
  for (const std::string& w : words) {
    const bool bare = engine.Prepares("select 1 as " + w + " from rdb$database");
    EXPECT_EQ(shipped->NeedsQuotes(w), !bare) << w;
    refused += bare ? 0 : 1;
  }
  EXPECT_GT(refused, 150);
}

// A selectable procedure is read with a select, an executable one run with
// EXECUTE PROCEDURE, its outputs coming back in its parameters.
TEST_F(FirebirdEmbedded, ProceduresRun) {
  auto* sp = new dralvo::TDVStoredProc(form_.root.get());
  sp->SetDatabaseName("FB");
  sp->SetStoredProcName("bump");
  sp->Prepare();
  ASSERT_EQ(sp->GetParamsCount(), 2);
  sp->ParamByName("V")->SetAsInteger(41);
  sp->ExecProc();
  EXPECT_EQ(sp->ParamByName("R")->AsInteger(), 42);
  sp->SetStoredProcName("numbers");
  sp->Prepare();
  sp->ParamByName("N")->SetAsInteger(3);
  sp->Open();
  std::vector<int64_t> got;
  for (; !sp->Eof(); sp->Next()) got.push_back(sp->Fields(0)->AsInteger());
  EXPECT_EQ(got, (std::vector<int64_t>{1, 2, 3}));
}

// A dataset reading in the database's transaction has its rows read ahead
// when that transaction ends, so that it can still be read to its end.
TEST_F(FirebirdEmbedded, ADatasetOutlivesTheTransactionItReadIn) {
  auto* query = new dralvo::TDVQuery(form_.root.get());
  query->SetDatabaseName("FB");
  query->SQL()->SetText("select i from numbers(5)");
  query->SetPacketRecords(2);
  db_->StartReadOnly();
  query->Open();
  EXPECT_EQ(query->FetchedCount(), 2);
  db_->Commit();
  std::vector<int64_t> got;
  for (; !query->Eof(); query->Next()) got.push_back(query->Fields(0)->AsInteger());
  EXPECT_EQ(got, (std::vector<int64_t>{1, 2, 3, 4, 5}));
}

// A file of the embedded engine takes no account: no login prompt asks
// for it, while a server's URL does.
TEST_F(FirebirdEmbedded, OnlyAServerAsksForALogin) {
  db_->Close();
  int asked = 0;
  dralvo::SetLoginPromptHandler([&](const std::string&, std::string&, std::string&) {
    ++asked;
    return false;
  });
  EXPECT_EQ(dvtest::OpenError(db_), "<connected>");
  EXPECT_EQ(asked, 0);
  auto* remote = form_.AddDatabase("Remote", TDVServerType::stFirebird, "firebird://dv@127.0.0.1:1/shop");
  EXPECT_NE(dvtest::OpenError(remote).find("Login to database 'Remote' cancelled"), std::string::npos);
  EXPECT_EQ(asked, 1);
  dralvo::SetLoginPromptHandler(nullptr);
}

// Bad input: a clear error saying what and where, and nothing written.
TEST_F(FirebirdEmbedded, MissingAndForeignFilesAndALockedTable) {
  const std::string missing = dvtest::OpenError(form_.AddDatabase("Missing", TDVServerType::stFirebird, dir_.File("gone.fdb")));
  EXPECT_NE(missing.find("Firebird: cannot connect to '" + dir_.File("gone.fdb") + "'"), std::string::npos) << missing;
  EXPECT_NE(missing.find("No such file or directory"), std::string::npos) << missing;

  const std::string text = dir_.File("notes.txt");
  const std::string notes(20000, 'x');
  std::ofstream(text) << notes;
  const std::string foreign = dvtest::OpenError(form_.AddDatabase("Foreign", TDVServerType::stFirebird, text));
  EXPECT_NE(foreign.find("Firebird: cannot connect to '" + text + "'"), std::string::npos) << foreign;
  EXPECT_NE(foreign.find("is not a valid database"), std::string::npos) << foreign;
  std::ifstream read(text);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(read), std::istreambuf_iterator<char>()), notes);

  // Another transaction has changed the row and not committed: the update
  // waits LOCK TIMEOUT (one second), says why, and changes nothing.
  dvtest::FirebirdAttachment other(file_, false);
  other.Hold("update customers set email = 'b@x' where id = 1");
  db::TParams params;
  params.CreateParam(db::TFieldType::ftString, "e", db::TParamType::ptInput)->SetAsString("c@x");
  try {
    db_->Execute("update customers set email = :e where id = 1", &params);
    ADD_FAILURE() << "changed a row another transaction holds";
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("waited 1 s for a lock held by another transaction"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(db_->Execute("select email from customers", nullptr).Rows[0][0].AsString(), "a@x");
}

}  // namespace
