// Looking at rows never changes them: dvdesigner data opens one statement
// that only reads, where the server refuses writes. Every way out tried on
// each server is refused, and the table, the database file and the server's
// folders are as they were.
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DesignerFixture.h"
#include "MariaDbFixtures.h"
#include "SqlFixtures.h"
#include "rtl/system/SysUtils.h"

namespace designertest {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A statement and what refusing it says.
struct Escape {
  std::string sql;
  std::string message;
};

// A module of one database and one query a statement (Q1, Q2, ...), and a
// query that reads (Reads).
std::string LookingModule(const std::string& databaseLines, const std::vector<Escape>& escapes,
                          const std::string& more = "") {
  auto query = [](const std::string& name, const std::string& sql) {
    std::string quoted;
    for (char c : sql) quoted += c == '\'' ? "''" : std::string(1, c);
    return "  object " + name + ": TDVQuery\n    DatabaseName = 'db'\n    SQL.Strings = (\n      '" + quoted +
           "')\n  end\n";
  };
  std::string text = "object M: TDataModule\n  object Db: TDVDatabase\n    DatabaseName = 'db'\n    LoginPrompt = False\n" +
                     databaseLines + "  end\n" + query("Reads", "select id from t order by id");
  for (size_t i = 0; i < escapes.size(); ++i) text += query("Q" + std::to_string(i + 1), escapes[i].sql);
  return text + more + "end\n";
}

std::string StoredProc(const std::string& name, const std::string& procedure) {
  return "  object " + name + ": TDVStoredProc\n    DatabaseName = 'db'\n    StoredProcName = '" + procedure +
         "'\n  end\n";
}

class Looking : public DesignerTest {
 protected:
  // A folder both servers may write in: what a statement would leave there.
  std::string ServerFolder() const {
    const std::string folder = dir_.File("server");
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::all);
    return folder;
  }
  void ExpectRefused(const std::string& component, const std::string& sql, const std::string& message) const {
    auto r = Designer({"data", "Shop.dfm", component});
    EXPECT_EQ(r.ExitCode, 1) << sql << "\n" << r.Out;
    EXPECT_TRUE(Has(r.Err, message)) << sql << ": " << r.Err;
  }
  void ExpectEachRefused(const std::vector<Escape>& escapes) const {
    auto reads = Designer({"data", "Shop.dfm", "Reads"});
    EXPECT_EQ(reads.Out, "id\n1\n2\n3\n") << reads.Err;
    for (size_t i = 0; i < escapes.size(); ++i)
      ExpectRefused("Q" + std::to_string(i + 1), escapes[i].sql, escapes[i].message);
  }
};

std::string SQLiteAnswer(const std::string& file, const std::string& query) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* stmt = nullptr;
  std::string answer = "(error)";
  if (sqlite3_prepare_v2(db, query.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
    answer = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return answer;
}

TEST_F(Looking, SQLiteRefusesEveryWayOut) {
  const std::string file = dir_.File("look.db");
  dvtest::MakeSQLiteFile(file, "create table t(id integer primary key); insert into t values (1), (2), (3);");
  const std::vector<Escape> escapes = {
      {"pragma journal_mode = wal", "pragma is not a statement that only reads"},
      {"vacuum into '" + dir_.File("copy.db") + "'", "vacuum is not a statement that only reads"},
      {"attach '" + dir_.File("other.db") + "' as other", "attach is not a statement that only reads"},
      {"delete from t returning id", "delete is not a statement that only reads"},
      {"with d as (select 1) delete from t returning id", "delete is not a statement that only reads"},
      {"select 1; delete from t", "2 statements"},
      {"create table u as select * from t", "create is not a statement that only reads"},
      {"select * from pragma_table_info('t') where 0; pragma query_only = 0", "2 statements"},
  };
  WriteModule(LookingModule("    RemoteDatabase = 'look.db'\n    ServerType = stSQLite\n", escapes));
  ExpectEachRefused(escapes);
  EXPECT_EQ(SQLiteAnswer(file, "select count(*) from t"), "3");
  EXPECT_EQ(SQLiteAnswer(file, "select count(*) from sqlite_schema"), "1");
  EXPECT_EQ(SQLiteAnswer(file, "pragma journal_mode"), "delete");
  for (const char* left : {"copy.db", "other.db", "look.db-wal"}) EXPECT_FALSE(rtl::FileExists(dir_.File(left))) << left;
}

TEST_F(Looking, PostgreSQLRefusesEveryWayOut) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema(
      "create table t(id int primary key); insert into t values (1), (2), (3);"
      "create function purge() returns int language plpgsql as $$ begin delete from t; return 1; end $$;"
      "create procedure p() language plpgsql as $$ begin commit; delete from t; end $$;");
  const std::string written = ServerFolder() + "/copied.txt";
  const std::vector<Escape> escapes = {
      {"copy t to stdout", "copy is not a statement that only reads"},
      {"copy t to '" + written + "'", "copy is not a statement that only reads"},
      {"delete from t returning id", "delete is not a statement that only reads"},
      {"with d as (delete from t returning id) select * from d", "delete is not a statement that only reads"},
      {"select * into u from t", "select ... into writes its rows elsewhere"},
      {"commit; delete from t", "2 statements"},
      {"truncate t", "truncate is not a statement that only reads"},
      {"select purge()", "read-only transaction"},
      {"call p()", "invalid transaction termination"},
  };
  WriteModule(LookingModule("    RemoteDatabase = '" + schema.SearchPath() + "'\n    ServerType = stPostgreSQL\n",
                            escapes, StoredProc("Purging", "purge") + StoredProc("Committing", "p")));
  ExpectEachRefused(escapes);
  ExpectRefused("Purging", "purge()", "read-only transaction");
  ExpectRefused("Committing", "p()", "invalid transaction termination");
  PGconn* conn = PQconnectdb("");
  PGresult* res = PQexec(conn, ("select count(*), to_regclass('" + schema.Name() + ".u') is null from " +
                                schema.Name() + ".t").c_str());
  ASSERT_EQ(PQresultStatus(res), PGRES_TUPLES_OK) << PQerrorMessage(conn);
  EXPECT_EQ(std::string(PQgetvalue(res, 0, 0)), "3");
  EXPECT_EQ(std::string(PQgetvalue(res, 0, 1)), "t");
  PQclear(res);
  PQfinish(conn);
  EXPECT_FALSE(rtl::FileExists(written));
}

TEST_F(Looking, MariaDbRefusesEveryWayOut) {
  DV_REQUIRE_MARIADB();
  dvtest::MariaDbDatabase server(
      "create table t(id int primary key) engine = InnoDB; insert into t values (1), (2), (3);"
      "create procedure p() begin commit; delete from t; end");
  const std::string outfile = ServerFolder() + "/out.txt", hidden = ServerFolder() + "/hidden.txt";
  const std::vector<Escape> escapes = {
      {"truncate table t", "truncate commits by itself on MariaDB"},
      {"drop table t", "drop commits by itself on MariaDB"},
      {"rename table t to u", "rename commits by itself on MariaDB"},
      {"alter table t add column c int", "alter commits by itself on MariaDB"},
      {"create table u as select * from t", "create commits by itself on MariaDB"},
      {"call p()", "call commits by itself on MariaDB"},
      {"select * from t into outfile '" + outfile + "'", "select ... into writes its rows elsewhere"},
      {"select * from t /*! into outfile '" + hidden + "' */", "select ... into writes its rows elsewhere"},
      {"delete from t", "delete is not a statement that only reads"},
      {"select 1; truncate table t", "2 statements"},
  };
  WriteModule(LookingModule("    RemoteDatabase = '" + server.Url() + "'\n    ServerType = stMariaDB\n", escapes,
                            StoredProc("Committing", "p")));
  ExpectEachRefused(escapes);
  ExpectRefused("Committing", "p()", "call commits by itself on MariaDB");
  MYSQL* conn = dvtest::MariaDbConnect(server.Name());
  ASSERT_NE(conn, nullptr);
  const std::string ask = "select (select count(*) from t), (select count(*) from information_schema.columns"
                          " where table_schema = database() and table_name in ('t', 'u'))";
  ASSERT_EQ(mysql_real_query(conn, ask.data(), ask.size()), 0) << mysql_error(conn);
  MYSQL_RES* res = mysql_store_result(conn);
  MYSQL_ROW row = mysql_fetch_row(res);
  EXPECT_EQ(std::string(row[0]), "3");
  EXPECT_EQ(std::string(row[1]), "1");
  mysql_free_result(res);
  mysql_close(conn);
  EXPECT_FALSE(rtl::FileExists(outfile));
  EXPECT_FALSE(rtl::FileExists(hidden));
}

// A module read for design runs nothing: a query stored open that deletes
// a row is shown, listed, checked and saved, and another dataset's rows
// printed, with the row still there; Active = True stays as it was read.
TEST_F(Looking, AQueryStoredOpenRunsNothingWhenTheModuleIsRead) {
  std::string text = Module();
  text.insert(text.rfind("end"),
              "  object Purge: TDVQuery\n    DatabaseName = 'shop'\n    Active = True\n    SQL.Strings = (\n"
              "      'delete from orders where order_id = 102 returning order_id')\n  end\n");
  WriteModule(text);
  const std::vector<std::vector<std::string>> commands = {{"show", "Shop.dfm"},
                                                          {"structure", "Shop.dfm"},
                                                          {"check", "Shop.dfm"},
                                                          {"verbs", "Shop.dfm"},
                                                          {"properties", "Shop.dfm", "Purge"},
                                                          {"values", "Shop.dfm", "Purge", "DatabaseName"},
                                                          {"data", "Shop.dfm", "CustomersTable"},
                                                          {"set", "Shop.dfm", "Purge", "PacketRecords", "50", "--save"}};
  for (const auto& args : commands) {
    auto r = Designer(args);
    EXPECT_EQ(r.ExitCode, 0) << args[0] << ": " << r.Err;
    if (args[0] == "show" || args[0] == "properties") {
      EXPECT_TRUE(Has(r.Out, args[0] == "show" ? "Active = True" : "\nActive\tTrue\t")) << r.Out;
    }
  }
  EXPECT_EQ(SQLiteAnswer(dir_.File("shop.db"), "select count(*) from orders where order_id = 102"), "1");
  EXPECT_TRUE(Has(Module(), "PacketRecords = 50\n    Active = True\n")) << Module();
}

}  // namespace
}  // namespace designertest
