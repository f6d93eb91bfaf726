// The editor's questions to a real PostgreSQL server: schema-qualified and
// quoted mixed-case names, a unique index made before the primary key.
#include <gtest/gtest.h>

#include <map>

#include "Support.h"
#include "db/Field.h"
#include "dralvo/Query.h"

namespace {

using namespace updtest;

std::string ConnectionString() {
  std::string s;
  for (const char* var : {"PGHOST", "PGPORT", "PGDATABASE", "PGUSER", "PGPASSWORD"}) {
    const char* value = std::getenv(var);
    if (value == nullptr) continue;
    static const std::map<std::string, std::string> keys{
        {"PGHOST", "host"}, {"PGPORT", "port"}, {"PGDATABASE", "dbname"}, {"PGUSER", "user"}, {"PGPASSWORD", "password"}};
    s += keys.at(var) + "='" + value + "' ";
  }
  return s;
}

class Postgres : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!updtest::PgConfigured()) return;
    schema_ = updtest::UniqueName("dvupd_");
    updtest::PgRun("create schema " + schema_ + ";"
                   "create table " + schema_ + ".\"Order Lines\"(\"Order\" int not null, \"Line\" int not null,"
                   " \"Qty\" int, \"Code\" text not null);"
                   "create unique index \"A_Code\" on " + schema_ + ".\"Order Lines\"(\"Code\");"
                   "alter table " + schema_ + ".\"Order Lines\" add primary key (\"Order\", \"Line\");"
                   "create table " + schema_ + ".twouniques(a int, b int, c int);"
                   "create unique index twouniques_b on " + schema_ + ".twouniques(b);"
                   "create unique index twouniques_ac on " + schema_ + ".twouniques(a, c);");
    module_ = std::make_unique<updtest::TModule>(dralvo::TDVServerType::stPostgreSQL, ConnectionString(),
                                                 "select \"Order\", \"Line\", \"Qty\" as amount from " + schema_ +
                                                     ".\"Order Lines\"");
  }
  void TearDown() override {
    module_.reset();
    if (!schema_.empty()) updtest::PgRun("drop schema " + schema_ + " cascade");
  }
  std::string schema_;
  std::unique_ptr<updtest::TModule> module_;
};

TEST_F(Postgres, QuotedOwnerQualifiedTableForBothButtons) {
  UPD_REQUIRE_PG();
  std::string table = schema_ + ".\"Order Lines\"";
  updtest::TRun run = RunEditor(module_->updateSQL, [&](Form& f) {
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"Order", "Line", "amount"}));
    f.cbTableName->TypeText(table);
    f.btGetTableFields->Click();
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"Order", "Line", "Qty", "Code"}));
    f.btSelectPrimKeys->Click();
    // The primary key wins although the unique index was there first.
    EXPECT_EQ(SelectedItems(*f.lbKeyFields), (Lines{"Order", "Line"}));
    f.btGenerateSQL->Click();
    f.btOk->Click();
  });
  ASSERT_TRUE(run.result);
  EXPECT_TRUE(run.messages.empty());
  // The owner stays: the server has schemas. Qty is shown as "amount".
  EXPECT_EQ(module_->updateSQL->ModifySQL()->Get(0), "update " + table);
  // Unasked, names the server would misread bare are quoted all the same.
  EXPECT_EQ(module_->updateSQL->InsertSQL()->Get(3), "  (:\"Order\", :\"Line\", :\"amount\", :\"Code\")");
}

TEST_F(Postgres, QuotedStatementsForAnOwnerQualifiedTableRunOnTheServer) {
  UPD_REQUIRE_PG();
  updtest::PgRun("insert into " + schema_ + ".\"Order Lines\" values (1, 1, 5, 'a'), (1, 2, 6, 'b')");
  updtest::TRun run = RunEditor(module_->updateSQL, [&](Form& f) {
    f.cbTableName->TypeText(schema_ + ".\"Order Lines\"");
    f.btGetTableFields->Click();
    f.btSelectPrimKeys->Click();
    f.lbUpdateFields->ClickItem(2);  // "Qty" alone, shown as "amount"
    f.cbQuotedFields->Click();
    f.btGenerateSQL->Click();
    f.btOk->Click();
  });
  ASSERT_TRUE(run.result);
  EXPECT_EQ(module_->updateSQL->ModifySQL()->ToVector(),
            (Lines{"update \"" + schema_ + "\".\"Order Lines\"", "set", "  \"Qty\" = :\"amount\"", "where",
                   "  \"Order\" = :\"OLD_Order\" and", "  \"Line\" = :\"OLD_Line\""}));
  // The generated statement is what the server runs when a record is posted.
  dralvo::TDVQuery* query = module_->query;
  query->SetUpdateObject(module_->updateSQL);
  query->SQL()->SetText("select \"Order\", \"Line\", \"Qty\" as amount from " + schema_ +
                        ".\"Order Lines\" order by 1, 2");
  query->Open();
  query->Next();
  query->Edit();
  query->FieldByName("amount")->SetAsInteger(42);
  query->Post();
  query->Close();
  query->Open();
  query->Next();
  EXPECT_EQ(query->FieldByName("amount")->AsInteger(), 42);
  query->First();
  EXPECT_EQ(query->FieldByName("amount")->AsInteger(), 5);
}

TEST_F(Postgres, FirstUniqueIndexWithoutPrimaryKey) {
  UPD_REQUIRE_PG();
  RunEditor(module_->updateSQL, [&](Form& f) {
    f.cbTableName->TypeText(schema_ + ".twouniques");
    f.btGetTableFields->Click();
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"a", "b", "c"}));
    f.btSelectPrimKeys->Click();
    Lines selected = SelectedItems(*f.lbKeyFields);
    // One unique index only, never a mix of the two.
    EXPECT_TRUE(selected == Lines{"b"} || selected == (Lines{"a", "c"})) << ::testing::PrintToString(selected);
    f.btCancel->Click();
  });
}

// Each part of a name on its own: quoted exactly, bare folded to lower case.
TEST_F(Postgres, QuotedAndBarePartsNameDifferentTables) {
  UPD_REQUIRE_PG();
  const std::string upper = schema_ + "Up";
  updtest::PgRun("create table " + schema_ + ".mixedcase(lower_col int); create table " + schema_ +
                 ".\"MixedCase\"(\"Upper_Col\" int);"
                 "create schema \"" + upper + "\"; create table \"" + upper + "\".plain(in_upper int);"
                 "create schema " + upper + "; create table " + upper + ".plain(in_lower int);");
  RunEditor(module_->updateSQL, [&](Form& f) {
    for (const auto& [typed, column] : std::vector<std::pair<std::string, std::string>>{
             {schema_ + ".\"MixedCase\"", "Upper_Col"},
             {schema_ + ".MixedCase", "lower_col"},
             {"\"" + upper + "\".plain", "in_upper"},
             {upper + ".PLAIN", "in_lower"}}) {
      f.cbTableName->TypeText(typed);
      f.btGetTableFields->Click();
      EXPECT_EQ(Items(*f.lbKeyFields), (Lines{column})) << typed;
    }
    f.btCancel->Click();
  });
  updtest::PgRun("drop schema \"" + upper + "\" cascade; drop schema " + upper + " cascade");
}

TEST_F(Postgres, UnknownTableIsReportedAsTyped) {
  UPD_REQUIRE_PG();
  updtest::TRun run = RunEditor(module_->updateSQL, [&](Form& f) {
    f.cbTableName->TypeText("\"" + schema_ + "\".\"missing\"");
    f.btGetTableFields->Click();
    EXPECT_EQ(Items(*f.lbKeyFields), (Lines{"Order", "Line", "amount"}));
    f.btCancel->Click();
  });
  ASSERT_EQ(run.messages.size(), 1u);
  EXPECT_NE(run.messages[0].Text.find("\"" + schema_ + "\".\"missing\""), std::string::npos) << run.messages[0].Text;
}

}  // namespace
