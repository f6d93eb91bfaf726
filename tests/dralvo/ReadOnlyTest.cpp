// A database made read-only for looking (StartReadOnly) refuses writes by
// itself, whatever a statement's words say, on every server; after each
// refusal, and after a look that failed, the catalog still answers and a
// dataset being designed still looks at the rows (a failed PostgreSQL
// transaction starts anew), and nothing changed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "Fixture.h"
#include "FirebirdFixtures.h"
#include "MariaDbFixtures.h"
#include "db/Field.h"
#include "rtl/system/SysUtils.h"

namespace {

using dralvo::TDVServerType;

// A statement and a part of the server's refusal.
struct Write {
  std::string sql;
  std::string refusal;
};

class ReadOnly : public ::testing::Test {
 protected:
  // Each statement is refused on the read-only database; then a query and
  // a table being designed read table t's three rows, after which
  // `afterLooks` runs (another session takes t at once: the looks hold no
  // lock once their rows are read).
  void ExpectRefused(TDVServerType type, const std::string& remote, const std::vector<Write>& writes,
                     const std::function<void()>& afterLooks = [] {}) {
    dralvo::TDVDatabase* db = form_.AddDatabase("RO", type, remote);
    for (const Write& w : writes) {
      db->StartReadOnly();
      try {
        db->Execute(w.sql, nullptr);
        ADD_FAILURE() << "ran " << w.sql;
      } catch (const rtl::EDatabaseError& e) {
        EXPECT_NE(e.Message().find(w.refusal), std::string::npos) << w.sql << ": " << e.Message();
      }
    }
    form_.root->SetDesigning(true);
    auto* query = new dralvo::TDVQuery(form_.root.get());
    query->SetDatabaseName("RO");
    query->SQL()->SetText("select * from no_such_table");
    EXPECT_THROW(query->Open(), rtl::EDatabaseError);
    // The table is found in the catalog before it is looked at.
    auto* table = new dralvo::TDVTable(form_.root.get());
    table->SetDatabaseName("RO");
    table->SetTableName("t");
    table->Open();
    EXPECT_EQ(table->RecordCount(), 3);
    query->SQL()->SetText("select count(*) from t");
    query->Open();
    EXPECT_EQ(query->Fields(0)->AsInteger(), 3);
    afterLooks();
    db->Close();
  }
  dvtest::TempDir dir_;
  dvtest::TestForm form_;
};

TEST_F(ReadOnly, SQLiteFileTakesReadsAlone) {
  const std::string file = dir_.File("ro.db");
  dvtest::MakeSQLiteFile(file, "create table t(id integer primary key); insert into t values (1), (2), (3);");
  ExpectRefused(TDVServerType::stSQLite, file,
                {{"pragma journal_mode = wal", "not authorized"},
                 {"vacuum into '" + dir_.File("copy.db") + "'", "authorization denied"},
                 {"attach '" + dir_.File("other.db") + "' as other", "not authorized"},
                 {"delete from t", "not authorized"},
                 {"begin immediate", "not authorized"}});
  EXPECT_EQ(dvtest::SQLiteColumn(file, "pragma journal_mode"), std::vector<std::string>{"delete"});
  EXPECT_FALSE(rtl::FileExists(dir_.File("copy.db")));
  EXPECT_FALSE(rtl::FileExists(dir_.File("other.db")));
}

TEST_F(ReadOnly, PostgreSQLTransactionTakesReadsAlone) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema("create table t(id int primary key); insert into t values (1), (2), (3);");
  ExpectRefused(TDVServerType::stPostgreSQL, schema.SearchPath(),
                {{"delete from t", "read-only transaction"},
                 {"truncate t", "read-only transaction"},
                 {"create table u(id int)", "read-only transaction"},
                 {"select set_config('transaction_read_only', 'off', true)", "must be set before any query"}},
                [&] { dvtest::PgRun("set lock_timeout = 2000; lock table " + schema.Name() + ".t in access exclusive mode"); });
}

TEST_F(ReadOnly, MariaDbTransactionTakesReadsAlone) {
  DV_REQUIRE_MARIADB();
  dvtest::MariaDbDatabase server("create table t(id int primary key); insert into t values (1), (2), (3);");
  ExpectRefused(TDVServerType::stMariaDB, server.Url(),
                {{"delete from t", "READ ONLY"},
                 {"insert into t values (4)", "READ ONLY"},
                 {"update t set id = id + 10", "READ ONLY"}},
                [&] {
                  server.Run("set lock_wait_timeout = 2; lock tables t write; unlock tables");
                  // A statement the server says gives no rows is prepared, not run.
                  const std::string outfile = dir_.File("out.txt");
                  auto into = std::make_unique<dralvo::TDVQuery>(nullptr);
                  into->SetDatabaseName("RO");
                  into->SQL()->SetText("select * from t into outfile '" + outfile + "'");
                  EXPECT_THROW(into->Open(), rtl::EDatabaseError);
                  EXPECT_FALSE(rtl::FileExists(outfile));
                });
}

TEST_F(ReadOnly, FirebirdTransactionTakesReadsAlone) {
  const std::string file = dir_.File("ro.fdb");
  dvtest::FirebirdAttachment(file, true)
      .Run({"create table t(id int not null primary key)", "insert into t values (1)", "insert into t values (2)",
            "insert into t values (3)"});
  ExpectRefused(TDVServerType::stFirebird, file,
                {{"delete from t", "read-only transaction"},
                 {"insert into t values (4)", "read-only transaction"},
                 {"create table u(id int)", "read-only transaction"}});
}

}  // namespace
