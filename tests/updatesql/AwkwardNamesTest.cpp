// Names that cannot stand bare (blanks, a leading digit, reserved words,
// capitals on PostgreSQL, small letters and other scripts on Firebird)
// generated with "Quote Field Names" off and on, on each server with its
// own quotes (MariaDB's backticks): the statements run with bound
// parameters, change exactly their row and pass the check, also after a
// column of another table is renamed; names that need no quotes stay as
// they are.
#include <gtest/gtest.h>

#include <tuple>

#include "FirebirdFixtures.h"
#include "MariaDbFixtures.h"
#include "Support.h"
#include "db/Field.h"
#include "dralvo/Database.h"
#include "dralvo/Result.h"
#include "dralvo/Query.h"
#include "dralvo/UpdateCheck.h"

namespace {

using namespace updtest;
using dralvo::TDVServerType;

const char* kTable =
    "create table \"Odd Names\"(\"Order Id\" int primary key, \"2nd\" int, \"order\" int, \"Total\" int,"
    " \"größe\" text, plain int);"
    "insert into \"Odd Names\" values (1, 1, 1, 1, 'a', 1), (2, 2, 2, 2, 'b', 2);";

// Firebird's statements one by one, with its types.
const std::vector<std::string> kFirebirdTable = {
    "create table \"Odd Names\"(\"Order Id\" int primary key, \"2nd\" int, \"order\" int, \"Total\" int,"
    " \"größe\" varchar(10), plain int)",
    "create table other(a int)",
    "insert into \"Odd Names\" values (1, 1, 1, 1, 'a', 1)",
    "insert into \"Odd Names\" values (2, 2, 2, 2, 'b', 2)"};

// The same table with the server's quotes: `...` on MariaDB.
std::string ForServer(TDVServerType type, std::string text) {
  if (type == TDVServerType::stMariaDB)
    for (char& c : text)
      if (c == '"') c = '`';
  return text;
}

class AwkwardNames : public ::testing::TestWithParam<std::tuple<TDVServerType, bool>> {
 protected:
  void SetUp() override {
    std::string remote;
    if (Server() == TDVServerType::stPostgreSQL) {
      UPD_REQUIRE_PG();
      schema_ = std::make_unique<dvtest::PgSchema>(kTable);
      remote = schema_->SearchPath();
    } else if (Server() == TDVServerType::stMariaDB) {
      DV_REQUIRE_MARIADB();
      mariaDb_ = std::make_unique<dvtest::MariaDbDatabase>(ForServer(Server(), kTable));
      remote = mariaDb_->Url();
    } else if (Server() == TDVServerType::stFirebird) {
      remote = dir_.File("odd.fdb");
      dvtest::FirebirdAttachment(remote, true).Run(kFirebirdTable);
    } else {
      remote = dir_.File("odd.db");
      MakeSQLiteFile(remote, kTable);
    }
    module_ = std::make_unique<TModule>(Server(), remote, ForServer(Server(), "select * from \"Odd Names\" order by 1"));
  }
  TDVServerType Server() const { return std::get<0>(GetParam()); }
  bool Quote() const { return std::get<1>(GetParam()); }
  std::string Rows() {
    dralvo::TDVResult r = module_->database->Execute(
        ForServer(Server(), "select \"Order Id\", \"2nd\", \"order\", \"Total\", \"größe\", plain from \"Odd Names\" order by 1"),
        nullptr);
    std::string out;
    for (auto& row : r.Rows) {
      for (auto& v : row) out += v.AsString() + ",";
      out += " ";
    }
    return out;
  }
  dvtest::TempDir dir_;
  std::unique_ptr<dvtest::PgSchema> schema_;
  std::unique_ptr<dvtest::MariaDbDatabase> mariaDb_;
  std::unique_ptr<TModule> module_;
};

TEST_P(AwkwardNames, GeneratedStatementsRunOnTheirRowAndPassTheCheck) {
  TRun run = RunEditor(module_->updateSQL, [&](Form& f) {
    f.cbTableName->TypeText(ForServer(Server(), "\"Odd Names\""));
    f.btGetTableFields->Click();
    f.btSelectPrimKeys->Click();
    if (Quote()) f.cbQuotedFields->Click();
    f.btGenerateSQL->Click();
    f.btOk->Click();
  });
  ASSERT_TRUE(run.result);
  ASSERT_TRUE(run.messages.empty()) << run.messages[0].Text;
  // A quoted name takes the server's quotes, its parameter the runtime's.
  const bool fb = Server() == TDVServerType::stFirebird;
  const bool pg = Server() == TDVServerType::stPostgreSQL || fb;
  const std::string plain = fb ? "PLAIN" : "plain";
  auto set = [&](const std::string& name, bool quoted) {
    return "  " + (quoted ? ForServer(Server(), "\"" + name + "\"") : name) + " = :" +
           (quoted ? "\"" + name + "\"" : name);
  };
  EXPECT_EQ(module_->updateSQL->ModifySQL()->ToVector(),
            (Lines{ForServer(Server(), "update \"Odd Names\""), "set", set("Order Id", true) + ",",
                   set("2nd", true) + ",", set("order", true) + ",", set("Total", Quote() || pg) + ",",
                   set("größe", Quote() || fb) + ",", set(plain, Quote()), "where",
                   ForServer(Server(), "  \"Order Id\"") + " = :\"OLD_Order Id\""}));

  dralvo::TDVQuery* q = module_->query;
  q->Open();
  q->Next();
  q->Edit();
  q->FieldByName("Total")->SetAsInteger(20);
  q->FieldByName("2nd")->SetAsInteger(22);
  q->FieldByName("order")->SetAsInteger(23);
  q->FieldByName("größe")->SetAsString("bb");
  q->Post();
  EXPECT_EQ(Rows(), "1,1,1,1,a,1, 2,22,23,20,bb,2, ");
  q->Append();
  for (const char* name : {"Order Id", "2nd", "order", "Total", "plain"}) q->FieldByName(name)->SetAsInteger(3);
  q->FieldByName("größe")->SetAsString("c");
  q->Post();
  q->First();
  q->Delete();
  EXPECT_EQ(Rows(), "2,22,23,20,bb,2, 3,3,3,3,c,3, ");
  q->Close();

  dralvo::TDVCheckResult checked = dralvo::CheckUpdateObject(*module_->updateSQL);
  EXPECT_EQ(checked.Statements, 4);
  for (const auto& finding : checked.Findings) ADD_FAILURE() << finding.Statement << ": " << finding.Problem;
  if (!fb) return;
  // A column renamed elsewhere leaves these statements whole; renamed here,
  // the check finds it in each statement that names it, and its parameter
  // no longer a field of the query.
  module_->database->Close();
  dvtest::FirebirdAttachment(dir_.File("odd.fdb"), false).Run({"alter table other alter a to b"});
  EXPECT_TRUE(dralvo::CheckUpdateObject(*module_->updateSQL).Findings.empty());
  dvtest::FirebirdAttachment(dir_.File("odd.fdb"), false).Run({"alter table \"Odd Names\" alter \"Total\" to sum_of"});
  std::vector<std::string> found;
  for (const auto& finding : dralvo::CheckUpdateObject(*module_->updateSQL).Findings)
    found.push_back(finding.Statement + ": " + finding.Problem);
  const std::string gone = ": column \"Total\" does not exist in table \"Odd Names\"";
  EXPECT_EQ(found, (Lines{"refresh" + gone, "modify: parameter :Total matches no field of Query1", "modify" + gone,
                          "insert: parameter :Total matches no field of Query1", "insert" + gone}));
}

INSTANTIATE_TEST_SUITE_P(ServersAndQuoting, AwkwardNames,
                         ::testing::Combine(::testing::Values(TDVServerType::stSQLite, TDVServerType::stPostgreSQL,
                                                              TDVServerType::stMariaDB, TDVServerType::stFirebird),
                                            ::testing::Bool()),
                         [](const auto& p) {
                           return dralvo::GetServerTypeName(std::get<0>(p.param)) +
                                  (std::get<1>(p.param) ? "Quoted" : "Unquoted");
                         });

}  // namespace
