// dvdesigner check: the example's update object checked against its SQLite
// file after the editor generated its statements, after drift, and when it
// cannot be checked at all. The module is never written.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "DesignerFixture.h"
#include "SqlFixtures.h"
#include "libpq-fe.h"

namespace designertest {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
// The 1-based line of the last line of `text` that holds `part`.
int LineOf(const std::string& text, const std::string& part) {
  const size_t at = text.rfind(part);
  return at == std::string::npos ? 0 : 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

class CheckCommand : public DesignerTest {
 protected:
  void SetUp() override {
    DesignerTest::SetUp();
    auto r = Designer({"updatesql", "Shop.dfm", "OrdersUpdate", "--table-fields", "--primary-keys", "--generate",
                       "--save"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
  }
};

TEST_F(CheckCommand, GeneratedStatementsHold) {
  const std::string before = Module();
  auto r = Designer({"check", "Shop.dfm"});
  EXPECT_EQ(r.ExitCode, 0) << r.Out << r.Err;
  EXPECT_EQ(r.Out, "");
  EXPECT_TRUE(Has(r.Err, "Checking OrdersUpdate ...")) << r.Err;
  EXPECT_TRUE(Has(r.Err, "Checked 1 module, 1 update object, 4 statements: 0 findings\n")) << r.Err;
  auto named = Designer({"check", "Shop.dfm", "OrdersUpdate"});
  EXPECT_EQ(named.ExitCode, 0) << named.Out << named.Err;
  EXPECT_EQ(Module(), before);
}

TEST_F(CheckCommand, StrayParameterAndDriftAreFindings) {
  std::string text = Module();
  const std::string where = "'  order_id = :OLD_order_id')";
  ASSERT_TRUE(Has(text, where)) << text;
  // The delete statement (the last one written) gets a parameter no field has.
  text.replace(text.rfind(where), where.size(), "'  order_id = :OLD_order_no')");
  WriteModule(text);
  auto r = Designer({"check", "Shop.dfm"});
  EXPECT_EQ(r.ExitCode, 1) << r.Out << r.Err;
  EXPECT_EQ(r.Out,
            "Shop.dfm:" + std::to_string(LineOf(text, ":OLD_order_no")) +
                ":21: OrdersUpdate.DeleteSQL: parameter :OLD_order_no matches no field of OrdersQuery (with or "
                "without OLD_) [parameter-without-field]\n");
  EXPECT_TRUE(Has(r.Err, "Checked 1 module, 1 update object, 4 statements: 1 finding\n")) << r.Err;

  dvtest::MakeSQLiteFile(dir_.File("shop.db"), "alter table orders rename column status to state;");
  r = Designer({"check", "Shop.dfm", "OrdersUpdate"});
  EXPECT_EQ(r.ExitCode, 1) << r.Out << r.Err;
  EXPECT_TRUE(Has(r.Out, "OrdersUpdate.ModifySQL: column status does not exist in table orders -- server: no such "
                         "column: status [unknown-column]\n"))
      << r.Out;
  // Placed at the dataset's SQL, which names the column too.
  EXPECT_TRUE(Has(r.Out, "Shop.dfm:" + std::to_string(LineOf(text, "    SQL.Strings")) +
                             ":5: OrdersUpdate: the SQL of its dataset OrdersQuery cannot be described -- server: "))
      << r.Out;
  EXPECT_EQ(Module(), text);
}

TEST_F(CheckCommand, WhatCannotBeCheckedExitsTwo) {
  auto missing = Designer({"check", "NoSuch.dfm"});
  EXPECT_EQ(missing.ExitCode, 2);
  EXPECT_TRUE(Has(missing.Out, "NoSuch.dfm: ")) << missing.Out;
  auto notUpdate = Designer({"check", "Shop.dfm", "OrdersQuery"});
  EXPECT_EQ(notUpdate.ExitCode, 2);
  EXPECT_TRUE(Has(notUpdate.Out, "Shop.dfm:10:3: OrdersQuery: OrdersQuery is a TDVQuery, not an update object"))
      << notUpdate.Out;
  EXPECT_EQ(Designer({"check"}).ExitCode, 2);
  EXPECT_EQ(Designer({"check", "Shop.dfm", "--bogus"}).ExitCode, 2);
  ASSERT_EQ(std::remove(dir_.File("shop.db").c_str()), 0);
  auto offline = Designer({"check", "Shop.dfm"});
  EXPECT_EQ(offline.ExitCode, 2) << offline.Out << offline.Err;
  EXPECT_TRUE(Has(offline.Out, "OrdersUpdate: not checked: cannot connect to its database shop")) << offline.Out;
  EXPECT_TRUE(Has(offline.Err, "0 findings, 1 not checked\n")) << offline.Err;
  // A module without update objects has nothing to check.
  std::string text = Module();
  text.erase(text.find("    UpdateObject = OrdersUpdate\n"), std::string("    UpdateObject = OrdersUpdate\n").size());
  const size_t object = text.find("  object OrdersUpdate: TDVUpdateSQL");
  text.erase(object, text.find("\n  end\n", object) + 7 - object);
  WriteModule(text);
  auto none = Designer({"check", "Shop.dfm"});
  EXPECT_EQ(none.ExitCode, 2) << none.Out << none.Err;
  EXPECT_TRUE(Has(none.Out, "has no update object")) << none.Out;
}

// A table another session holds locked: the check waits no longer than the
// database's LOCK TIMEOUT, says what it could not check and why, and exits 2;
// once the lock is gone the same check passes.
TEST_F(DesignerTest, CheckBehindALockIsNotCheckedAndSaysWhy) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema("create table orders(order_id int primary key, note text);");
  WriteModule("object M: TDataModule\n"
              "  object Pg: TDVDatabase\n    DatabaseName = 'pg'\n    LoginPrompt = False\n"
              "    Params.Strings = (\n      'LOCK TIMEOUT=200')\n"
              "    RemoteDatabase = '" + schema.SearchPath() + "'\n    ServerType = stPostgreSQL\n  end\n"
              "  object OrdersQuery: TDVQuery\n    DatabaseName = 'pg'\n    UpdateObject = OrdersUpdate\n"
              "    SQL.Strings = (\n      'select order_id, note from orders')\n  end\n"
              "  object OrdersUpdate: TDVUpdateSQL\n"
              "    ModifySQL.Strings = (\n      'update orders set note = :note where order_id = :OLD_order_id')\n"
              "  end\n"
              "end\n");
  PGconn* holder = PQconnectdb("");
  ASSERT_EQ(PQstatus(holder), CONNECTION_OK) << PQerrorMessage(holder);
  PGresult* locked =
      PQexec(holder, ("begin; lock table " + schema.Name() + ".orders in access exclusive mode").c_str());
  ASSERT_EQ(PQresultStatus(locked), PGRES_COMMAND_OK) << PQerrorMessage(holder);
  PQclear(locked);
  auto blocked = Designer({"check", "Shop.dfm"});
  PQfinish(holder);
  EXPECT_EQ(blocked.ExitCode, 2) << blocked.Out << blocked.Err;
  EXPECT_TRUE(Has(blocked.Out, "OrdersUpdate: not checked: describing the SQL of its dataset OrdersQuery waited"))
      << blocked.Out;
  EXPECT_TRUE(Has(blocked.Out, "lock timeout (held by other sessions: orders AccessExclusiveLock)")) << blocked.Out;
  EXPECT_TRUE(Has(blocked.Err, "0 findings, 1 not checked\n")) << blocked.Err;
  auto free = Designer({"check", "Shop.dfm"});
  EXPECT_EQ(free.ExitCode, 0) << free.Out << free.Err;
}

}  // namespace
}  // namespace designertest
