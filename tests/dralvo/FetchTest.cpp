// Records fetched a packet at a time, on a real SQLite file, the PostgreSQL
// and MariaDB servers and Firebird's embedded engine, and a running query
// stopped from another thread.
#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <atomic>
#include <functional>
#include <thread>

#include "FirebirdFixtures.h"
#include "Fixture.h"
#include "MariaDbFixtures.h"
#include "db/Field.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/text/Strings.h"

namespace {

using dralvo::TDVServerType;

// Runs Open on another thread while this one stops it; the message Open
// raised ("" when it ran to its end).
// `whenRunning` waits until the query runs, or until Open has ended.
std::string OpenStoppedFromAnotherThread(dralvo::TDVQuery& query,
                                         const std::function<void(const std::atomic<bool>& ended)>& whenRunning) {
  std::string message;
  std::atomic<bool> ended{false};
  std::thread runner([&] {
    try {
      query.Open();
    } catch (const rtl::EDatabaseError& e) {
      message = e.Message();
    }
    ended = true;
  });
  whenRunning(ended);
  query.AbortQuery();
  runner.join();
  return message;
}

// Reads the first column of every record from the current one on.
std::vector<int64_t> Ids(db::TDataSet& ds) {
  std::vector<int64_t> ids;
  for (; !ds.Eof(); ds.Next()) ids.push_back(ds.Fields(0)->AsInteger());
  return ids;
}

class Fetching : public ::testing::Test {
 protected:
  void OpenOn(TDVServerType type, const std::string& remote) {
    db_ = form_.AddDatabase("FDB", type, remote);
    query_ = new dralvo::TDVQuery(form_.root.get());
    query_->SetName("Rows");
    query_->SetDatabaseName("FDB");
  }
  // 250 records in id order: every seventh name null, every fifth empty.
  static constexpr const char* kRows =
      "select n, case when n % 7 = 0 then null when n % 5 = 0 then '' else 'r' || n end from t order by n";
  void ExpectPacketsInOrder(const std::string& rows = kRows) {
    query_->SQL()->SetText(rows);
    query_->Open();
    EXPECT_EQ(query_->FetchedCount(), 100);
    EXPECT_FALSE(query_->AllFetched());
    for (int i = 0; i < 150; ++i) query_->Next();
    EXPECT_EQ(query_->FetchedCount(), 200);
    EXPECT_EQ(query_->Fields(0)->AsInteger(), 151);
    query_->First();
    std::vector<int64_t> ids = Ids(*query_);
    ASSERT_EQ(ids.size(), 250u);
    for (size_t i = 0; i < ids.size(); ++i) EXPECT_EQ(ids[i], static_cast<int64_t>(i + 1));
    EXPECT_TRUE(query_->AllFetched());
    EXPECT_TRUE(query_->RecordValue(6, 1).IsNull());
    EXPECT_FALSE(query_->RecordValue(4, 1).IsNull());
    EXPECT_EQ(query_->RecordValue(4, 1).AsString(), "");
    EXPECT_EQ(query_->RecordValue(5, 1).AsString(), "r6");
    query_->Close();
  }
  // A wait for the server longer than STATEMENT TIMEOUT stops the query and
  // names the limit.
  void ExpectStoppedAtTheLimit() {
    db_->Close();
    db_->Params()->Add("STATEMENT TIMEOUT=300");
    try {
      query_->Open();
      ADD_FAILURE() << "the query ran past its limit";
    } catch (const rtl::EDatabaseError& e) {
      EXPECT_NE(e.Message().find("reached STATEMENT TIMEOUT and the statement was stopped (the limit is 300 ms)"),
                std::string::npos)
          << e.Message();
    }
  }
  dvtest::TempDir dir_;
  dvtest::TestForm form_;
  dralvo::TDVDatabase* db_ = nullptr;
  dralvo::TDVQuery* query_ = nullptr;
};

TEST_F(Fetching, SQLitePacketsPersistentFieldsBinaryAndParameters) {
  const std::string file = dir_.File("f.db");
  dvtest::MakeSQLiteFile(file,
                         "create table t(n integer primary key, name text, data blob);"
                         "with recursive c(n) as (select 1 union all select n + 1 from c where n < 250)"
                         " insert into t select n, 'r' || n, case when n = 3 then x'00ff0a' end from c;");
  OpenOn(TDVServerType::stSQLite, file);
  ExpectPacketsInOrder();

  // Persistent fields choose and order the columns of every packet.
  query_->SQL()->SetText("select n, name, data from t where n >= :low order by n");
  auto* data = new db::TField(form_.root.get());
  data->SetFieldName("data");
  data->SetDataSet(query_);
  auto* n = new db::TField(form_.root.get());
  n->SetFieldName("N");
  n->SetDisplayLabel("Number");
  n->SetDataSet(query_);
  try {
    query_->Open();
    FAIL() << "opened without a value for low";
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("Rows: parameter 'low' has no value"), std::string::npos) << e.Message();
  }
  query_->ParamByName("low")->SetAsInteger(3);
  query_->SetPacketRecords(10);
  query_->Open();
  ASSERT_EQ(query_->FieldCount(), 2);
  EXPECT_EQ(query_->Fields(1)->DisplayLabel(), "Number");
  EXPECT_EQ(query_->Fields(0)->Value().AsString(), std::string("\x00\xff\n", 3));
  query_->Last();
  EXPECT_EQ(query_->FetchedCount(), 248);
  EXPECT_EQ(query_->RecordValue(247, 1).AsInteger(), 250);
  EXPECT_TRUE(query_->RecordValue(247, 0).IsNull());
  query_->Close();
  // Only a label that differs from the field name is stored.
  const std::string text = rtl::WriteComponentText(*form_.root);
  const size_t label = text.find("DisplayLabel");
  EXPECT_EQ(text.substr(label, 24), "DisplayLabel = 'Number'\n") << text;
  EXPECT_EQ(text.find("DisplayLabel", label + 1), std::string::npos) << text;
}

TEST_F(Fetching, SQLiteQueryStoppedFromAnotherThread) {
  const std::string file = dir_.File("f.db");
  dvtest::MakeSQLiteFile(file, "create table t(n integer);");
  OpenOn(TDVServerType::stSQLite, file);
  // Counting to a billion takes minutes; stopped, it ends at once.
  query_->SQL()->SetText(
      "with recursive c(n) as (select 1 union all select n + 1 from c where n < 1000000000) select count(*) from c");
  std::string message = OpenStoppedFromAnotherThread(*query_, [](const std::atomic<bool>&) {});
  EXPECT_NE(message.find("cancelled"), std::string::npos) << message;
  EXPECT_FALSE(query_->Active());
  // The request was for that query only.
  query_->SQL()->SetText("select 1");
  query_->Open();
  EXPECT_EQ(query_->Fields(0)->AsInteger(), 1);
}

TEST_F(Fetching, PostgreSQLPacketsStreamAndACancelledQuery) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema("create table t(n int primary key); insert into t select generate_series(1, 250);");
  OpenOn(TDVServerType::stPostgreSQL, schema.SearchPath());
  ExpectPacketsInOrder();

  // Another statement while rows are still streaming: the open query reads
  // its rows ahead, and both answer.
  query_->SQL()->SetText(kRows);
  query_->Open();
  auto* other = new dralvo::TDVQuery(form_.root.get());
  other->SetDatabaseName("FDB");
  other->SQL()->SetText("select count(*) from t");
  other->Open();
  EXPECT_EQ(other->Fields(0)->AsInteger(), 250);
  EXPECT_EQ(Ids(*query_).size(), 250u);
  query_->Close();

  // A query that runs for minutes, stopped once the server shows it running.
  const std::string marker = dvtest::UniqueName("long_");
  query_->SQL()->SetText("with recursive c(n) as (select 1 union all select n + 1 from c where n < 1000000000)"
                         " select count(*) as " + marker + " from c");
  std::string message = OpenStoppedFromAnotherThread(*query_, [&](const std::atomic<bool>& ended) {
    PGconn* watcher = PQconnectdb("");
    const std::string ask = "select count(*) from pg_stat_activity where state = 'active' and query like '%as " +
                            marker + " from%' and pid <> pg_backend_pid()";
    for (bool running = false; !running && !ended;) {
      PGresult* res = PQexec(watcher, ask.c_str());
      running = PQresultStatus(res) == PGRES_TUPLES_OK && std::string(PQgetvalue(res, 0, 0)) != "0";
      PQclear(res);
    }
    PQfinish(watcher);
  });
  EXPECT_NE(message.find("cancelled"), std::string::npos) << message;
  other->Close();
  other->Open();  // the connection takes the next statement
  EXPECT_EQ(other->Fields(0)->AsInteger(), 250);

  // A table another session holds locked: opening waits LOCK TIMEOUT and
  // says who holds what.
  db_->Close();
  db_->Params()->Add("LOCK TIMEOUT=200");
  PGconn* locker = PQconnectdb("");
  PQclear(PQexec(locker, ("begin; lock table " + schema.Name() + ".t").c_str()));
  query_->SQL()->SetText(kRows);
  try {
    query_->Open();
    ADD_FAILURE() << "opened a locked table";
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("lock timeout (held by other sessions: t AccessExclusiveLock)"), std::string::npos)
        << e.Message();
  }
  PQfinish(locker);

  query_->SQL()->SetText("with recursive c(n) as (select 1 union all select n + 1 from c where n < 1000000000)"
                         " select count(*) from c");
  ExpectStoppedAtTheLimit();
}

// Whether another session of the MariaDB server runs a statement holding `marker`.
bool MariaDbRuns(MYSQL* watcher, const std::string& marker) {
  const std::string ask = "select count(*) from information_schema.processlist where info like '%" + marker +
                          "%' and id <> connection_id()";
  if (watcher == nullptr || mysql_real_query(watcher, ask.data(), ask.size()) != 0) return false;
  MYSQL_RES* res = mysql_store_result(watcher);
  MYSQL_ROW row = res != nullptr ? mysql_fetch_row(res) : nullptr;
  const bool running = row != nullptr && std::string(row[0]) != "0";
  mysql_free_result(res);
  return running;
}

TEST_F(Fetching, MariaDbPacketsStreamAndACancelledQuery) {
  DV_REQUIRE_MARIADB();
  dvtest::MariaDbDatabase server("create table t(n int primary key); insert into t select seq from seq_1_to_250;");
  OpenOn(TDVServerType::stMariaDB, server.Url());
  const std::string rows =
      "select n, case when n % 7 = 0 then null when n % 5 = 0 then '' else concat('r', n) end from t order by n";
  ExpectPacketsInOrder(rows);
  MYSQL* watcher = dvtest::MariaDbConnect("");

  // A hundred megabytes of rows: with the first packet read, the server is
  // still sending the rest.
  const std::string big = dvtest::UniqueName("big_");
  query_->SQL()->SetText("select seq as " + big + ", repeat('x', 100) from seq_1_to_1000000");
  query_->Open();
  EXPECT_EQ(query_->FetchedCount(), 100);
  EXPECT_TRUE(MariaDbRuns(watcher, "as " + big));
  // Another statement meanwhile, run whole or through a cursor of its own:
  // the open query reads its rows ahead, and both answer.
  auto* other = new dralvo::TDVQuery(form_.root.get());
  other->SetDatabaseName("FDB");
  other->SQL()->SetText("select count(*) from t");
  for (bool throughCursor : {false, true}) {
    query_->SQL()->SetText(rows);
    query_->Open();
    if (throughCursor) {
      other->Open();
      EXPECT_EQ(other->Fields(0)->AsInteger(), 250);
    } else {
      EXPECT_EQ(db_->Execute("select count(*) from t", nullptr).Rows[0][0].AsInteger(), 250);
    }
    EXPECT_EQ(Ids(*query_).size(), 250u);
    query_->Close();
  }

  // Ten billion pairs take minutes; stopped once the server shows the
  // query running, it ends at once, and the connection goes on.
  const std::string marker = dvtest::UniqueName("long_");
  query_->SQL()->SetText("select count(*) as " + marker + " from seq_1_to_100000 a, seq_1_to_100000 b");
  std::string message = OpenStoppedFromAnotherThread(*query_, [&](const std::atomic<bool>& ended) {
    while (!ended && !MariaDbRuns(watcher, "as " + marker + " from")) {
    }
  });
  EXPECT_NE(message.find("cancelled"), std::string::npos) << message;
  other->Close();
  other->Open();
  EXPECT_EQ(other->Fields(0)->AsInteger(), 250);
  mysql_close(watcher);

  ExpectStoppedAtTheLimit();
}

// A dataset reads in a read-only transaction of its own: a statement that
// would change rows is refused, and nothing changes. (Readers take no
// locks on Firebird: a row another transaction holds blocks only writers.)
TEST_F(Fetching, FirebirdPacketsReadOnlyAndAStoppedQuery) {
  const std::string file = dir_.File("f.fdb");
  dvtest::FirebirdAttachment made(file, true);
  made.Run({"create table t(n int not null primary key)",
            "insert into t with recursive c(n) as (select 1 from rdb$database union all select n + 1 from c"
            " where n < 250) select n from c"});
  OpenOn(TDVServerType::stFirebird, file);
  ExpectPacketsInOrder(
      "select n, case when mod(n, 7) = 0 then null when mod(n, 5) = 0 then '' else 'r' || n end from t order by n");

  query_->SQL()->SetText("insert into t values (0) returning n");
  try {
    query_->Open();
    ADD_FAILURE() << "a dataset wrote a row";
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("read-only transaction"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(db_->Execute("select count(*) from t", nullptr).Rows[0][0].AsInteger(), 250);

  // Half a billion rows take minutes; stopped once the engine shows the
  // query running, it ends at once, and the connection goes on.
  const std::string marker = dvtest::UniqueName("long_");
  const std::string slow = "select count(*) as " + marker + " from rdb$fields a, rdb$fields b, rdb$fields c, rdb$fields d";
  query_->SQL()->SetText(slow);
  std::string message = OpenStoppedFromAnotherThread(*query_, [&](const std::atomic<bool>& ended) {
    while (!ended && !made.Runs("as " + marker + " from")) {
    }
  });
  EXPECT_NE(message.find("cancelled"), std::string::npos) << message;
  EXPECT_EQ(db_->Execute("select count(*) from t", nullptr).Rows[0][0].AsInteger(), 250);
  ExpectStoppedAtTheLimit();
}

}  // namespace
