// Names that cannot stand bare (blanks, a leading digit, reserved words,
// capitals on PostgreSQL) generated with "Quote Field Names" off and on: the
// statements run with bound parameters, change exactly their row and pass
// the check; names that need no quotes stay as they are.
#include <gtest/gtest.h>

#include <tuple>

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

class AwkwardNames : public ::testing::TestWithParam<std::tuple<TDVServerType, bool>> {
 protected:
  void SetUp() override {
    std::string remote;
    if (Server() == TDVServerType::stPostgreSQL) {
      UPD_REQUIRE_PG();
      schema_ = std::make_unique<dvtest::PgSchema>(kTable);
      remote = schema_->SearchPath();
    } else {
      remote = dir_.File("odd.db");
      MakeSQLiteFile(remote, kTable);
    }
    module_ = std::make_unique<TModule>(Server(), remote, "select * from \"Odd Names\" order by 1");
  }
  TDVServerType Server() const { return std::get<0>(GetParam()); }
  bool Quote() const { return std::get<1>(GetParam()); }
  std::string Rows() {
    dralvo::TDVResult r = module_->database->Execute(
        "select \"Order Id\", \"2nd\", \"order\", \"Total\", \"größe\", plain from \"Odd Names\" order by 1", nullptr);
    std::string out;
    for (auto& row : r.Rows) {
      for (auto& v : row) out += v.AsString() + ",";
      out += " ";
    }
    return out;
  }
  dvtest::TempDir dir_;
  std::unique_ptr<dvtest::PgSchema> schema_;
  std::unique_ptr<TModule> module_;
};

TEST_P(AwkwardNames, GeneratedStatementsRunOnTheirRowAndPassTheCheck) {
  TRun run = RunEditor(module_->updateSQL, [&](Form& f) {
    f.cbTableName->TypeText("\"Odd Names\"");
    f.btGetTableFields->Click();
    f.btSelectPrimKeys->Click();
    if (Quote()) f.cbQuotedFields->Click();
    f.btGenerateSQL->Click();
    f.btOk->Click();
  });
  ASSERT_TRUE(run.result);
  ASSERT_TRUE(run.messages.empty()) << run.messages[0].Text;
  const bool pg = Server() == TDVServerType::stPostgreSQL;
  const std::string total = Quote() || pg ? "\"Total\"" : "Total";
  const std::string grosse = Quote() ? "\"größe\"" : "größe";
  const std::string plain = Quote() ? "\"plain\"" : "plain";
  EXPECT_EQ(module_->updateSQL->ModifySQL()->ToVector(),
            (Lines{"update \"Odd Names\"", "set", "  \"Order Id\" = :\"Order Id\",", "  \"2nd\" = :\"2nd\",",
                   "  \"order\" = :\"order\",", "  " + total + " = :" + total + ",",
                   "  " + grosse + " = :" + grosse + ",", "  " + plain + " = :" + plain, "where",
                   "  \"Order Id\" = :\"OLD_Order Id\""}));

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
}

INSTANTIATE_TEST_SUITE_P(ServersAndQuoting, AwkwardNames,
                         ::testing::Combine(::testing::Values(TDVServerType::stSQLite, TDVServerType::stPostgreSQL),
                                            ::testing::Bool()),
                         [](const auto& p) {
                           return std::string(std::get<0>(p.param) == TDVServerType::stSQLite ? "SQLite"
                                                                                              : "PostgreSQL") +
                                  (std::get<1>(p.param) ? "Quoted" : "Unquoted");
                         });

}  // namespace
