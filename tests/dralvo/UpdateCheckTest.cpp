// Checking stored update statements against the live database: the same
// faults on a real SQLite file and on the PostgreSQL and MariaDB servers.
#include <gtest/gtest.h>

#include "Fixture.h"
#include "MariaDbFixtures.h"
#include "dralvo/Result.h"
#include "dralvo/UpdateCheck.h"

namespace {

using dralvo::TDVServerType;

const char* kTables =
    "create table orders(order_id int primary key, customer int not null, note text);"
    "create table codes(code text, region int, kind int);"
    "create unique index codes_partial on codes(code) where kind = 1;"
    "create table emails(id int, email text unique);"
    "create table pairs(a int not null, b int not null, c int, unique (a, b));"
    "insert into orders values (1, 10, 'x'), (2, 10, 'y');";
// MariaDB has no partial indexes: codes has no unique index at all there.
const char* kMariaDbTables =
    "create table orders(order_id int primary key, customer int not null, note text);"
    "create table codes(code varchar(20), region int, kind int);"
    "create table emails(id int, email varchar(80) unique);"
    "create table pairs(a int not null, b int not null, c int, unique (a, b));"
    "insert into orders values (1, 10, 'x'), (2, 10, 'y');";

class UpdateCheck : public ::testing::TestWithParam<TDVServerType> {
 protected:
  void SetUp() override {
    std::string remote;
    if (GetParam() == TDVServerType::stPostgreSQL) {
      DV_REQUIRE_PG();
      schema_ = std::make_unique<dvtest::PgSchema>(kTables);
      remote = schema_->SearchPath();
    } else if (GetParam() == TDVServerType::stMariaDB) {
      DV_REQUIRE_MARIADB();
      mariaDb_ = std::make_unique<dvtest::MariaDbDatabase>(kMariaDbTables);
      remote = mariaDb_->Url();
    } else {
      remote = dir_.File("check.db");
      dvtest::MakeSQLiteFile(remote, kTables);
    }
    db_ = form_.AddDatabase("DB", GetParam(), remote);
    query_ = new dralvo::TDVQuery(form_.root.get());
    query_->SetName("Orders");
    query_->SetDatabaseName("DB");
    query_->SQL()->SetText("select order_id, customer, note as remark from orders");
    update_ = new dralvo::TDVUpdateSQL(form_.root.get());
    update_->SetName("OrdersUpdate");
    query_->SetUpdateObject(update_);
  }
  void TearDown() override {
    if (db_ != nullptr) db_->Close();
  }
  void Run(const std::string& sql) {
    if (schema_) dvtest::PgRun("set search_path = " + schema_->Name() + "; " + sql);
    else if (mariaDb_) mariaDb_->Run(sql);
    else dvtest::MakeSQLiteFile(dir_.File("check.db"), sql);
  }
  // "statement: problem [server]" per finding, statements set by index.
  std::vector<std::string> Check(const std::vector<std::string>& statements) {
    for (int i = 0; i < 4; ++i) update_->GetSQLIndex(i)->SetText(i < static_cast<int>(statements.size()) ? statements[i] : "");
    dralvo::TDVCheckResult r = dralvo::CheckUpdateObject(*update_);
    std::vector<std::string> out;
    for (const auto& f : r.Findings)
      out.push_back(f.Statement + ": " + f.Problem + (f.ServerMessage.empty() ? "" : " [server]") +
                    (f.Unchecked() ? " [unchecked]" : ""));
    return out;
  }
  static bool Has(const std::vector<std::string>& findings, const std::string& part) {
    for (const std::string& f : findings)
      if (f.find(part) != std::string::npos) return true;
    return false;
  }
  // Rows of orders, to show that checking changed none.
  std::string Orders() {
    db_->Open();
    dralvo::TDVResult r = db_->Execute("select order_id, customer, note from orders order by 1", nullptr);
    std::string out;
    for (auto& row : r.Rows) out += row[0].AsString() + "/" + row[1].AsString() + "/" + row[2].AsString() + " ";
    return out;
  }

  dvtest::TempDir dir_;
  std::unique_ptr<dvtest::PgSchema> schema_;
  std::unique_ptr<dvtest::MariaDbDatabase> mariaDb_;
  dvtest::TestForm form_;
  dralvo::TDVDatabase* db_ = nullptr;
  dralvo::TDVQuery* query_ = nullptr;
  dralvo::TDVUpdateSQL* update_ = nullptr;
};

const std::vector<std::string> kGood = {
    "select order_id, customer, note as remark\r\nfrom orders\nwhere\n  order_id = :OLD_order_id",
    "update orders\nset\n  customer = :customer,\n  note = :remark\nwhere\n  order_id = :OLD_order_id",
    "insert into orders\n  (order_id, customer, note)\nvalues\n  (:order_id, :customer, :remark)",
    "delete from orders\nwhere\n  order_id = :OLD_order_id"};

TEST_P(UpdateCheck, GoodStatementsHoldAndNothingChanges) {
  const std::string before = Orders();
  EXPECT_EQ(Check(kGood), std::vector<std::string>{});
  EXPECT_EQ(dralvo::CheckUpdateObject(*update_).Statements, 4);
  // A delete that would match every row, and an insert, were never run.
  EXPECT_TRUE(Has(Check({"", "", "", "delete from orders where order_id = order_id"}), "pins no column"));
  EXPECT_EQ(Orders(), before);
  EXPECT_FALSE(db_->InTransaction());
  if (GetParam() == TDVServerType::stPostgreSQL) {
    EXPECT_EQ(db_->Execute("select count(*) from pg_prepared_statements", nullptr).Rows[0][0].AsInteger(), 0)
        << "a prepared statement outlived the check";
  }
}

TEST_P(UpdateCheck, SyntaxUnknownTableAndStrayParameters) {
  auto f = Check({"", "update orders set customer = :customer wher order_id = :OLD_order_id", "",
                  "delete from nowhere where id = :OLD_order_id"});
  EXPECT_TRUE(Has(f, "modify: the server does not accept the statement [server]")) << testing::PrintToString(f);
  EXPECT_TRUE(Has(f, "delete: table nowhere does not exist [server]")) << testing::PrintToString(f);
  // A second statement would be refused when the update runs, or run.
  f = Check({"", "update orders set customer = :customer where order_id = :OLD_order_id; delete from orders"});
  EXPECT_EQ(f, std::vector<std::string>{"modify: holds 2 statements; it must be one update"});
  f = Check({"", "update orders set customer = :cust where order_id = :OLD_id"});
  EXPECT_TRUE(Has(f, "modify: parameter :cust matches no field of Orders")) << testing::PrintToString(f);
  EXPECT_TRUE(Has(f, "modify: parameter :OLD_id matches no field of Orders (with or without OLD_)"));
  EXPECT_EQ(f.size(), 2u) << testing::PrintToString(f);
}

// Each slot holds one statement of its own kind; nothing else is prepared,
// and the tables stay.
TEST_P(UpdateCheck, StatementsOfAnotherKindAreFindings) {
  const std::string before = Orders();
  const bool pg = schema_ != nullptr;
  const std::vector<std::pair<std::string, std::string>> modify = {
      {"drop table orders", "modify: is a drop statement; it must be one update"},
      {"create table x(a int)", "modify: is a create statement; it must be one update"},
      {pg ? "do $$ begin drop table orders; end $$" : "vacuum", pg ? "modify: is a do statement; it must be one update"
                                                                  : "modify: is a vacuum statement; it must be one update"},
      {pg ? "with gone as (delete from orders returning *) update orders set note = '' where order_id = :OLD_order_id"
          : "pragma journal_mode=delete",
       pg ? "modify: is a delete statement; it must be one update" : "modify: is a pragma statement; it must be one update"},
      {"/* note */ update orders set note = :remark where order_id = :OLD_order_id;\n-- done\n", ""},
  };
  for (const auto& [text, finding] : modify)
    EXPECT_EQ(Check({"", text}), finding.empty() ? std::vector<std::string>{} : std::vector<std::string>{finding})
        << text;
  EXPECT_EQ(Check({"delete from orders where order_id = :OLD_order_id", "", kGood[2], kGood[0]}),
            (std::vector<std::string>{"refresh: is a delete statement; it must be one select",
                                      "delete: is a select statement; it must be one delete"}));
  EXPECT_EQ(Check({"select * into copy from orders where order_id = :OLD_order_id"}),
            std::vector<std::string>{"refresh: is a select into statement; it must be one select"});
  EXPECT_EQ(Orders(), before);
  const char* tablesLeft =
      pg ? "select count(*) from pg_tables where tablename in ('x', 'copy')"
      : db_->ServerType() == dralvo::TDVServerType::stMariaDB
          ? "select count(*) from information_schema.tables where table_schema = database() and table_name in ('x', 'copy')"
          : "select count(*) from sqlite_master where name in ('x', 'copy')";
  EXPECT_EQ(db_->Execute(tablesLeft, nullptr)
                .Rows[0][0]
                .AsInteger(),
            0);
}

TEST_P(UpdateCheck, DriftAfterRenamingAndDroppingColumns) {
  ASSERT_EQ(Check(kGood), std::vector<std::string>{});
  db_->Close();
  Run("alter table orders rename column customer to client; alter table orders drop column note;");
  auto f = Check(kGood);
  EXPECT_TRUE(Has(f, "modify: column customer does not exist in table orders [server]")) << testing::PrintToString(f);
  EXPECT_TRUE(Has(f, "modify: column note does not exist in table orders [server]"));
  EXPECT_TRUE(Has(f, "insert: column customer does not exist"));
  EXPECT_TRUE(Has(f, "refresh: column note does not exist"));
  // The dataset's own SQL names the dropped column too: said once.
  EXPECT_TRUE(Has(f, "the SQL of its dataset Orders cannot be described [server]"));
}

TEST_P(UpdateCheck, WhereClausesThatAreNoKey) {
  query_->SQL()->SetText("select * from codes");
  auto f = Check({"", "", "", "delete from codes where code = :OLD_code"});
  EXPECT_TRUE(Has(f, "delete: the where clause pins only code, no key of codes")) << testing::PrintToString(f);
  EXPECT_TRUE(Has(f, "the table has no key")) << "a partial unique index is no key";
  query_->SQL()->SetText("select * from emails");
  f = Check({"", "update emails set id = :id where email = :OLD_email"});
  EXPECT_TRUE(Has(f, "no key of emails")) << testing::PrintToString(f);
  // MariaDB's index schema shows a unique index over a nullable column as
  // no unique index at all.
  EXPECT_TRUE(Has(f, GetParam() == TDVServerType::stMariaDB ? "the table has no key" : "as email can be null"))
      << testing::PrintToString(f);
  query_->SQL()->SetText("select * from pairs");
  EXPECT_EQ(Check({"", "update pairs set c = :c where a = :OLD_a and b = :OLD_b"}), std::vector<std::string>{});
  f = Check({"", "update pairs set c = :c where a = :OLD_a or b = :OLD_b"});
  EXPECT_TRUE(Has(f, "pins no column")) << "an OR pins nothing for every row";
  f = Check({"", "update pairs set c = :c"});
  EXPECT_TRUE(Has(f, "has no where clause")) << testing::PrintToString(f);
}

// Each finding says what it is about and where, as data: its rule, the
// subject as written and its line and column (characters) in the statement.
TEST_P(UpdateCheck, FindingsCarryTheirKindSubjectAndPosition) {
  auto render = [&](int slot, const std::string& text) {
    std::vector<std::string> statements(4);
    statements[static_cast<size_t>(slot)] = text;
    for (int i = 0; i < 4; ++i) update_->GetSQLIndex(i)->SetText(statements[static_cast<size_t>(i)]);
    std::vector<std::string> out;
    for (const auto& f : dralvo::CheckUpdateObject(*update_).Findings)
      out.push_back(std::string(dralvo::FindingRuleId(f.Kind)) + " " + f.Subject + "@" + std::to_string(f.Line) + ":" +
                    std::to_string(f.Column));
    return out;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(render(1, "update orders\nset\n  customer = :cust,\n  note = '\xC3\xA4', nothing = :remark\n"
                      "where order_id = :OLD_order_id"),
            (V{"parameter-without-field :cust@3:14", "unknown-column nothing@4:15"}));
  EXPECT_EQ(render(3, "delete from orders\nwhere customer = :OLD_customer"), V{"where-without-key orders@2:1"});
  EXPECT_EQ(render(1, "update orders set note = :remark"), V{"where-without-key orders@1:8"});
  EXPECT_EQ(render(3, "delete from\n  nowhere where order_id = :OLD_order_id"), V{"unknown-table nowhere@2:3"});
  EXPECT_EQ(render(3, "-- gone\ndrop table orders"), V{"wrong-statement-kind @1:1"});
  EXPECT_EQ(render(3, "delete orders where"), V{"not-accepted @1:1"});
}

// Comments, strings and quotes are read as the statement's server reads
// them: a where clause the server takes for a comment pins nothing.
TEST_P(UpdateCheck, StatementsAreReadByTheirServersRules) {
  const TDVServerType server = GetParam();
  const bool mariaDb = server == TDVServerType::stMariaDB;
  struct Row {
    std::string text;
    std::string finding;  // expected in the findings; empty: none at all
  };
  const Row rows[] = {
      {"update orders set note = :remark # where order_id = :OLD_order_id",
       mariaDb ? "modify: has no where clause" : "modify: the server does not accept the statement [server]"},
      {"update orders set customer = customer--1 where order_id = :OLD_order_id",
       mariaDb ? "" : "modify: has no where clause"},
      {"update orders set note = :remark /* a /* b */ where order_id = :OLD_order_id */",
       server == TDVServerType::stPostgreSQL ? "modify: has no where clause"
                                             : "modify: the server does not accept the statement [server]"},
  };
  for (const Row& row : rows) {
    auto f = Check({"", row.text});
    if (row.finding.empty()) EXPECT_EQ(f, std::vector<std::string>{}) << row.text;
    else EXPECT_TRUE(Has(f, row.finding)) << row.text << "\n" << testing::PrintToString(f);
  }
}

// A parameter names a field whatever its letter case; a quoted column name
// is read as the server reads it: exactly on PostgreSQL, ignoring ASCII case
// on SQLite and MariaDB (whose quotes are backticks), in the set part as in
// the key the where clause pins.
TEST_P(UpdateCheck, LetterCaseOfParametersAndOfQuotedNames) {
  EXPECT_EQ(Check({"", "update orders set customer = :CUSTOMER, note = :Remark where order_id = :old_ORDER_ID"}),
            std::vector<std::string>{});
  const std::string q = mariaDb_ ? "`" : "\"";
  auto f = Check({"", "update orders set " + q + "Customer" + q + " = :customer where " + q + "ORDER_ID" + q +
                          " = :OLD_order_id"});
  if (schema_)
    EXPECT_EQ(f, (std::vector<std::string>{"modify: column \"Customer\" does not exist in table orders [server]",
                                           "modify: column \"ORDER_ID\" does not exist in table orders [server]"}));
  else EXPECT_EQ(f, std::vector<std::string>{});
}

TEST_P(UpdateCheck, WhatCannotBeChecked) {
  db_->Open();
  db_->StartTransaction();
  EXPECT_EQ(Check(kGood), std::vector<std::string>{": its database DB is inside a transaction [unchecked]"});
  db_->Rollback();
  db_->Close();
  db_->SetRemoteDatabase(GetParam() == TDVServerType::stSQLite     ? dir_.File("missing.db")
                         : GetParam() == TDVServerType::stMariaDB ? "mariadb://u@localhost/x?socket=/nonexistent-dv"
                                                                  : "host=/nonexistent-dv-socket-dir dbname=x");
  auto f = Check(kGood);
  ASSERT_EQ(f.size(), 1u);
  EXPECT_TRUE(Has(f, ": cannot connect to its database DB: ")) << f[0];
  EXPECT_TRUE(Has(f, "[unchecked]"));
  query_->SetDatabaseName("");
  EXPECT_EQ(Check(kGood), std::vector<std::string>{": its dataset Orders names no database [unchecked]"});
  query_->SetUpdateObject(nullptr);
  EXPECT_EQ(Check(kGood), std::vector<std::string>{": no dataset names it as its UpdateObject [unchecked]"});
}

// The bounds of every wait are the database's own Params lines; one that is
// no number stops the connection with the line named.
TEST_P(UpdateCheck, AWaitLimitThatIsNoNumberIsNamed) {
  db_->Params()->Add("LOCK TIMEOUT=soon");
  auto f = Check(kGood);
  ASSERT_EQ(f.size(), 1u) << testing::PrintToString(f);
  EXPECT_TRUE(Has(f, "cannot connect to its database DB: Params line LOCK TIMEOUT=soon: not a whole number"))
      << f[0];
  EXPECT_TRUE(Has(f, "[unchecked]"));
  db_->Params()->SetText("LOCK TIMEOUT=250");
  EXPECT_EQ(Check(kGood), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Servers, UpdateCheck,
                         ::testing::Values(TDVServerType::stSQLite, TDVServerType::stPostgreSQL, TDVServerType::stMariaDB),
                         [](const auto& p) { return dralvo::GetServerTypeName(p.param); });

}  // namespace
