// Index schema and name look-ups on a real PostgreSQL server.
#include <gtest/gtest.h>

#include "Fixture.h"
#include "db/Field.h"
#include "rtl/text/Strings.h"

namespace {

using dralvo::TDVSchemaType;
using dralvo::TDVServerType;
using dvtest::IndexRows;

const char* kScript =
    "create table orders(a int, b int, c int, primary key (c, a));"
    "create table late_pk(id int not null, code int);"
    "create unique index late_code on late_pk(code);"
    "alter table late_pk add constraint late_pk_pkey primary key (id);"
    "create table uc(x int, y int, constraint uc_xy unique (y, x));"
    "create table partial(a int, b int); create unique index partial_a on partial(a) where b > 0;"
    "create table plain(a int); create index plain_a on plain(a);"
    "create table nokey(a int);"
    "create view v as select * from orders;"
    "create table \"MixedCase\"(\"Id\" int primary key, \"Name\" text);"
    "create table \"Order Lines\"(\"Line No\" int primary key);"
    "create table \"select\"(\"from\" int primary key);"
    "create table \"Straße\"(\"Größe\" int primary key);"
    "create table y(id int primary key);"
    "create schema other_{S}; create table other_{S}.elsewhere(k int primary key);";

class PgSchemaFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    DV_REQUIRE_PG();
    std::string script = kScript;
    schema_ = std::make_unique<dvtest::PgSchema>("select 1;");
    std::string s = schema_->Name();
    for (size_t p; (p = script.find("{S}")) != std::string::npos;) script.replace(p, 3, s);
    dvtest::PgRun("set search_path = " + s + "; " + script);
    db_ = form_.AddDatabase("PG", TDVServerType::stPostgreSQL, schema_->SearchPath());
  }
  void TearDown() override {
    if (schema_) {
      db_->Close();
      dvtest::PgRun("drop schema if exists other_" + schema_->Name() + " cascade");
    }
  }
  std::vector<std::string> Schema(const std::string& table) {
    std::unique_ptr<db::TDataSet> ds = db_->GetSchemaInfo(TDVSchemaType::stIndexes, table);
    if (!ds) return {"<none>"};
    return IndexRows(*ds);
  }
  std::unique_ptr<dvtest::PgSchema> schema_;
  dvtest::TestForm form_;
  dralvo::TDVDatabase* db_ = nullptr;
};

TEST_F(PgSchemaFixture, IndexSchemaCases) {
  struct Row {
    std::string table;
    std::vector<std::string> rows;
  };
  const std::string other = "other_" + schema_->Name();
  const Row rows[] = {
      {"orders", {"orders_pkey:c:6", "orders_pkey:a:6"}},
      {"ORDERS", {"orders_pkey:c:6", "orders_pkey:a:6"}},
      {"late_pk", {"late_code:code:2", "late_pk_pkey:id:6"}},
      {"uc", {"uc_xy:y:2", "uc_xy:x:2"}},
      {"partial", {"partial_a:a:-"}},
      {"plain", {"plain_a:a:-"}},
      {"nokey", {}},
      {"v", {}},
      {"\"MixedCase\"", {"MixedCase_pkey:Id:6"}},
      {"MixedCase", {"MixedCase_pkey:Id:6"}},
      {schema_->Name() + ".\"MixedCase\"", {"MixedCase_pkey:Id:6"}},
      {"Order Lines", {"Order Lines_pkey:Line No:6"}},
      {"\"select\"", {"select_pkey:from:6"}},
      {"select", {"select_pkey:from:6"}},
      {"\"Straße\"", {"Straße_pkey:Größe:6"}},
      {other + ".elsewhere", {"elsewhere_pkey:k:6"}},
      {"elsewhere", {"<none>"}},
      {"x'; drop table y; --", {"<none>"}},
      {"y\"; drop table y; --", {"<none>"}},
  };
  for (const Row& r : rows) EXPECT_EQ(Schema(r.table), r.rows) << r.table;
  rtl::TStringList fields;
  dralvo::Session()->GetFieldNames("PG", "y", &fields);
  EXPECT_EQ(fields.ToVector(), std::vector<std::string>{"id"});
}

TEST_F(PgSchemaFixture, NamesOfTablesFieldsAndOwnerSupport) {
  rtl::TStringList names;
  dralvo::Session()->GetTableNames("PG", "", false, &names);
  EXPECT_GE(names.IndexOf("\"MixedCase\""), 0);
  EXPECT_GE(names.IndexOf("\"select\""), 0);
  EXPECT_GE(names.IndexOf("orders"), 0);
  EXPECT_GE(names.IndexOf("other_" + schema_->Name() + ".elsewhere"), 0);
  EXPECT_LT(names.IndexOf("pg_class"), 0);
  // Other tests may hold a table of that name in their own schema at the
  // same time; ours is the one listed without an owner.
  dralvo::Session()->GetTableNames("PG", "Mixed%", false, &names);
  EXPECT_GE(names.IndexOf("\"MixedCase\""), 0);
  for (const std::string& n : names.ToVector())
    EXPECT_TRUE(n == "\"MixedCase\"" || n.ends_with(".\"MixedCase\"")) << n;
  // Each listed name leads back to its table.
  dralvo::Session()->GetTableNames("PG", "", false, &names);
  for (const std::string& n : names.ToVector()) {
    if (n.find(schema_->Name()) == std::string::npos && n.find('.') != std::string::npos) continue;
    rtl::TStringList cols;
    dralvo::Session()->GetFieldNames("PG", n, &cols);
    EXPECT_GT(cols.Count(), 0) << n;
  }
  dralvo::Session()->GetFieldNames("PG", "MixedCase", &names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"Id", "Name"}));
  // Only the server's folding and the name as typed are tried.
  dralvo::Session()->GetFieldNames("PG", "mixedCASE", &names);
  EXPECT_EQ(names.Count(), 0);

  auto* q = new dralvo::TDVQuery(form_.root.get());
  q->SetDatabaseName("PG");
  EXPECT_TRUE(q->IsObjOwnerSupported());
  auto* t = new dralvo::TDVTable(form_.root.get());
  t->SetDatabaseName("PG");
  t->SetTableName("no_such_table");
  try {
    t->Open();
    FAIL();
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("PostgreSQL"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("does not exist"), std::string::npos) << e.Message();
  }
  t->SetTableName("mixedcase");  // typed as the server folds it: the table as stored
  EXPECT_THROW(t->Open(), rtl::EDatabaseError);
  t->SetTableName("MixedCase");
  t->Open();
  EXPECT_EQ(t->FieldCount(), 2);
}

TEST_F(PgSchemaFixture, ManyColumnsAndTheLimit) {
  std::string script = "create table wide(";
  for (int i = 0; i < 1600; ++i) script += (i ? ", c" : "c") + std::to_string(i) + " int";
  dvtest::PgRun("set search_path = " + schema_->Name() + "; " + script + ");");
  rtl::TStringList fields;
  dralvo::Session()->GetFieldNames("PG", "wide", &fields);
  ASSERT_EQ(fields.Count(), 1600);
  EXPECT_EQ(fields[1599], "c1599");
  // Past the server's limit: the server's own message, naming the server.
  auto* q = new dralvo::TDVQuery(form_.root.get());
  q->SetDatabaseName("PG");
  q->SQL()->SetText("alter table wide add column c1600 int");
  try {
    q->ExecSQL();
    FAIL();
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("PostgreSQL"), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("1600"), std::string::npos) << e.Message();
  }
}

}  // namespace
