// dvdesigner try: the update object's statements run on a real row inside a
// transaction that is always rolled back. Sound generated statements pass;
// a where clause that pins no row is caught; what cannot be tried exits 2
// before anything runs. After every call the data is proven unchanged by
// its content (the SQLite file's bytes, a dump of each server's table), and
// the module is never written.
#include <mysql.h>

#include <functional>
#include <string>
#include <vector>

#include "DesignerFixture.h"
#include "FirebirdFixtures.h"
#include "MariaDbFixtures.h"
#include "SqlFixtures.h"
#include "rtl/system/SysUtils.h"

namespace designertest {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const std::string kAllHold =
    "refresh: 1 row read: ok\n"
    "modify: 1 row changed: ok\n"
    "delete: 1 row deleted: ok\n"
    "insert: 1 row inserted: ok\n"
    "refresh again: 1 row read: ok\n";

// The module text with one statement of the update object replaced by a
// one-line `sql` (removed when empty).
std::string WithStatement(std::string text, const std::string& property, const std::string& sql) {
  const std::string head = "    " + property + ".Strings = (\n";
  const size_t at = text.find(head);
  const size_t end = text.find("')\n", at) + 3;
  text.replace(at, end - at, sql.empty() ? "" : head + "      '" + sql + "')\n");
  return text;
}

// A module of one database, a query over its `orders` table and the
// query's update object, whose statements the editor then generates.
std::string ServerModule(const std::string& serverType, const std::string& remote) {
  return "object ShopModule: TDataModule\n"
         "  object ShopDatabase: TDVDatabase\n    DatabaseName = 'shop'\n    LoginPrompt = False\n"
         "    Params.Strings = (\n      'LOCK TIMEOUT=300')\n"
         "    RemoteDatabase = '" + remote + "'\n    ServerType = " + serverType + "\n  end\n"
         "  object OrdersQuery: TDVQuery\n    DatabaseName = 'shop'\n    UpdateObject = OrdersUpdate\n"
         "    SQL.Strings = (\n      'select order_id, customer, note from orders order by order_id')\n  end\n"
         "  object OrdersUpdate: TDVUpdateSQL\n  end\n"
         "end\n";
}
const char* kOrdersRows = "insert into orders values (1, 7, 'a'), (2, 7, 'b'), (3, 8, null)";
const char* kNoWhere = "update orders set note = :note";
const char* kNoWhereCaught = "modify: 3 rows changed, expected 1: the where clause does not pin one row\n";

class TryCommand : public DesignerTest {
 protected:
  void Generate(const std::string& table = "") {
    std::vector<std::string> args{"updatesql", "Shop.dfm", "OrdersUpdate"};
    if (!table.empty()) args.insert(args.end(), {"--table", table});
    args.insert(args.end(), {"--table-fields", "--primary-keys", "--generate", "--save"});
    auto r = Designer(args);
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
  }
  // The editor's statements hold on `row`, a modify statement without a
  // where clause is caught, and the table's rows (`dump`) stay as they
  // were. The module with the generated statements.
  std::string SoundHoldsAndNoWhereIsCaught(const char* row, const std::function<std::string()>& dump) {
    Generate();
    const std::string generated = Module();
    const std::string rows = dump();
    auto sound = Designer({"try", "Shop.dfm", "OrdersUpdate", "--row", row});
    EXPECT_EQ(sound.ExitCode, 0) << sound.Out << sound.Err;
    EXPECT_EQ(sound.Out, kAllHold);
    WriteModule(WithStatement(generated, "ModifySQL", kNoWhere));
    auto noWhere = Designer({"try", "Shop.dfm", "OrdersUpdate"});
    EXPECT_EQ(noWhere.ExitCode, 1) << noWhere.Out << noWhere.Err;
    EXPECT_TRUE(Has(noWhere.Out, kNoWhereCaught)) << noWhere.Out;
    EXPECT_EQ(dump(), rows);
    return generated;
  }
  // The SQLite file's bytes, hashed.
  size_t Data() const { return std::hash<std::string>{}(rtl::ReadFileToString(dir_.File("shop.db"))); }
};

TEST_F(TryCommand, GeneratedStatementsHoldAndTheFileIsUntouched) {
  Generate();
  const std::string module = Module();
  const size_t data = Data();
  for (const char* row : {"1", "3"}) {
    auto r = Designer({"try", "Shop.dfm", "OrdersUpdate", "--row", row});
    EXPECT_EQ(r.ExitCode, 0) << r.Out << r.Err;
    EXPECT_EQ(r.Out, kAllHold);
    EXPECT_TRUE(Has(r.Err, "Nothing was committed.")) << r.Err;
  }
  EXPECT_EQ(Data(), data);
  EXPECT_EQ(Module(), module);
}

TEST_F(TryCommand, StatementsThatDoNotPinOneRowAreCaught) {
  Generate();
  const std::string generated = Module();
  const size_t data = Data();
  struct Case {
    std::string property, sql, line;
  };
  const std::vector<Case> cases = {
      {"ModifySQL", "update orders set status = :status", kNoWhereCaught},
      // Row 1, order 100, is one of customer 1's two orders.
      {"DeleteSQL", "delete from orders where customer_id = :OLD_customer_id",
       "delete: 2 rows deleted, expected 1: the where clause does not pin one row\n"},
      {"RefreshSQL", "select order_id, status from orders where customer_id = :OLD_customer_id",
       "refresh: 2 rows read, expected 1: the where clause does not pin one row\n"},
      {"RefreshSQL", "select order_id, status from orders where order_id = :OLD_order_id + 1",
       "refresh: 1 row read: it reads order_id as 101 where row 1 holds 100: it does not read the row the dataset "
       "shows\n"},
  };
  for (const Case& c : cases) {
    WriteModule(WithStatement(generated, c.property, c.sql));
    auto r = Designer({"try", "Shop.dfm", "OrdersUpdate"});
    EXPECT_EQ(r.ExitCode, 1) << c.sql << "\n" << r.Out << r.Err;
    EXPECT_TRUE(Has(r.Out, c.line)) << c.sql << "\n" << r.Out;
    EXPECT_EQ(Data(), data) << c.sql;
  }
}

TEST_F(TryCommand, WhatCannotBeTriedExitsTwoAndRunsNothing) {
  Generate();
  const std::string generated = Module();
  const size_t data = Data();
  struct Case {
    std::string module;
    std::vector<std::string> args;
    std::string message;
  };
  std::string nullKey = generated;
  nullKey.replace(nullKey.find("SELECT o.order_id,"), 18, "SELECT nullif(o.order_id, 100) AS order_id,");
  const std::vector<Case> cases = {
      {generated, {"--row", "4"}, "OrdersQuery has 3 rows, so no row 4"},
      {generated, {"--row", "0"}, "--row takes a row number from 1, not \"0\""},
      {WithStatement(generated, "InsertSQL", ""), {}, "its insert statement is empty"},
      {WithStatement(generated, "DeleteSQL", "delete from orders where order_id = :OLD_order_no"), {},
       "the delete statement's parameter :OLD_order_no matches no field of OrdersQuery (with or without OLD_)"},
      {WithStatement(generated, "ModifySQL", "drop table orders"), {},
       "its modify statement is a drop statement; it must be one update"},
      {nullKey, {}, "row 1 holds null in order_id, which the refresh statement looks for as :OLD_order_id"},
  };
  for (const Case& c : cases) {
    WriteModule(c.module);
    std::vector<std::string> args{"try", "Shop.dfm", "OrdersUpdate"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    auto r = Designer(args);
    EXPECT_EQ(r.ExitCode, 2) << c.message << "\n" << r.Out << r.Err;
    EXPECT_EQ(r.Out, "") << c.message;
    EXPECT_TRUE(Has(r.Err, c.message)) << r.Err;
    EXPECT_EQ(Data(), data) << c.message;
    EXPECT_EQ(Module(), c.module);
  }
  auto notUpdate = Designer({"try", "Shop.dfm", "OrdersQuery"});
  EXPECT_EQ(notUpdate.ExitCode, 2);
  EXPECT_TRUE(Has(notUpdate.Err, "OrdersQuery is a TDVQuery, not an update object")) << notUpdate.Err;
}

// PostgreSQL: the table's rows, dumped by the test's own connection.
std::string PgDump(const dvtest::PgSchema& schema) {
  PGconn* conn = PQconnectdb("");
  PGresult* res =
      PQexec(conn, ("select string_agg(t::text, ';' order by order_id) from " + schema.Name() + ".orders t").c_str());
  std::string dump = PQresultStatus(res) == PGRES_TUPLES_OK ? PQgetvalue(res, 0, 0) : PQresultErrorMessage(res);
  PQclear(res);
  PQfinish(conn);
  return dump;
}

TEST_F(TryCommand, PostgreSqlHoldsCatchesAndSurvivesALockAndALostConnection) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema(
      "create table orders(order_id int primary key, customer int not null, note text);" + std::string(kOrdersRows) +
      "; create function end_session() returns trigger language plpgsql as"
      " $$ begin perform pg_terminate_backend(pg_backend_pid()); return old; end $$;");
  WriteModule(ServerModule("stPostgreSQL", schema.SearchPath()));
  const std::string rows = PgDump(schema);
  const std::string generated = SoundHoldsAndNoWhereIsCaught("3", [&] { return PgDump(schema); });

  // Another session keeps writes out: the modify waits LOCK TIMEOUT, no more.
  WriteModule(generated);
  PGconn* holder = PQconnectdb("");
  PGresult* locked = PQexec(holder, ("begin; lock table " + schema.Name() + ".orders in exclusive mode").c_str());
  ASSERT_EQ(PQresultStatus(locked), PGRES_COMMAND_OK) << PQerrorMessage(holder);
  PQclear(locked);
  auto blocked = Designer({"try", "Shop.dfm", "OrdersUpdate"});
  PQfinish(holder);
  EXPECT_EQ(blocked.ExitCode, 2) << blocked.Out << blocked.Err;
  EXPECT_TRUE(Has(blocked.Out, "refresh: 1 row read: ok\nmodify: not tried: waited for a lock")) << blocked.Out;
  EXPECT_TRUE(Has(blocked.Err, "cannot try OrdersUpdate: the modify statement waited for a lock")) << blocked.Err;

  // The server ends the session as the row is deleted, after it was changed.
  dvtest::PgRun("create trigger ends before delete on " + schema.Name() + ".orders for each row execute function " +
        schema.Name() + ".end_session()");
  auto lost = Designer({"try", "Shop.dfm", "OrdersUpdate"});
  EXPECT_EQ(lost.ExitCode, 2) << lost.Out << lost.Err;
  EXPECT_TRUE(Has(lost.Out, "modify: 1 row changed: ok\ndelete: not tried: the connection broke off -- server: "))
      << lost.Out;
  EXPECT_TRUE(Has(lost.Err, "the connection to the server broke off during the try")) << lost.Err;
  EXPECT_EQ(PgDump(schema), rows);
  EXPECT_EQ(Module(), generated);
}

// MariaDB: the table's rows, dumped by the test's own connection.
std::string MariaDbDump(const dvtest::MariaDbDatabase& database, const std::string& table) {
  MYSQL* conn = dvtest::MariaDbConnect(database.Name());
  if (conn == nullptr) return "no connection";
  const std::string sql = "select group_concat(concat_ws(',', order_id, customer, ifnull(note, 'null'))"
                          " order by order_id separator ';') from " + table;
  std::string dump = mysql_error(conn);
  if (mysql_query(conn, sql.c_str()) == 0) {
    MYSQL_RES* res = mysql_store_result(conn);
    dump = mysql_fetch_row(res)[0];
    mysql_free_result(res);
  }
  mysql_close(conn);
  return dump;
}

TEST_F(TryCommand, MariaDbHoldsOnInnoDbAndRefusesTablesThatCannotRollBack) {
  DV_REQUIRE_MARIADB();
  dvtest::MariaDbDatabase server(
      "create table orders(order_id int primary key, customer int not null, note text) engine = InnoDB;" +
      std::string(kOrdersRows) + ";");
  WriteModule(ServerModule("stMariaDB", server.Url()));
  const std::string rows = MariaDbDump(server, "orders");
  SoundHoldsAndNoWhereIsCaught("1", [&] { return MariaDbDump(server, "orders"); });

  // The same statements on tables whose engine keeps every write: had the
  // modify run, all three rows would now hold row 1's note.
  for (const std::string engine : {"MyISAM", "Aria"}) {
    server.Run("alter table orders engine = " + engine);
    auto refused = Designer({"try", "Shop.dfm", "OrdersUpdate"});
    EXPECT_EQ(refused.ExitCode, 2) << refused.Out << refused.Err;
    EXPECT_EQ(refused.Out, "");
    EXPECT_TRUE(Has(refused.Err, "table orders uses the " + engine +
                                     " engine, which has no transactions: a rollback would not undo its changes"))
        << refused.Err;
    EXPECT_EQ(MariaDbDump(server, "orders"), rows);
  }
}

TEST_F(TryCommand, FirebirdHoldsAndCatches) {
  // Each attachment of the test ends before the designer opens the file.
  const std::string file = dir_.File("shop.fdb");
  dvtest::FirebirdAttachment(file, true)
      .Run({"create table orders(order_id int primary key, customer int not null, note varchar(10))",
            "insert into orders values (1, 7, 'a')", "insert into orders values (2, 7, 'b')",
            "insert into orders values (3, 8, null)"});
  const std::string fingerprint =
      "select count(*) + sum(mod(hash(order_id || ',' || customer || ',' || coalesce(note, 'null')), 1000000007))"
      " from orders";
  WriteModule(ServerModule("stFirebird", "shop.fdb"));
  SoundHoldsAndNoWhereIsCaught(
      "2", [&] { return std::to_string(dvtest::FirebirdAttachment(file, false).Number(fingerprint)); });
}

}  // namespace
}  // namespace designertest
