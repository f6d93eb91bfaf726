// Index schema and name look-ups on real SQLite files.
#include <gtest/gtest.h>

#include <ostream>

#include "Fixture.h"
#include "db/Field.h"
#include "rtl/text/Strings.h"

namespace {

using dralvo::TDVSchemaType;
using dralvo::TDVServerType;
using dvtest::IndexRows;

struct IndexCase {
  const char* title;
  const char* script;
  const char* table;  // as a person or a form file gives it
  std::vector<std::string> rows;
};

void PrintTo(const IndexCase& c, std::ostream* os) { *os << c.title; }

// "rowid alias key has no index entry" -> "RowidAliasKeyHasNoIndexEntry".
std::string CaseName(const ::testing::TestParamInfo<IndexCase>& info) {
  std::string name;
  bool upper = true;
  for (const char* p = info.param.title; *p != 0; ++p) {
    char c = *p;
    bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!alnum) {
      upper = true;
      continue;
    }
    name += upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    upper = false;
  }
  return name;
}

class SQLiteIndexSchema : public ::testing::TestWithParam<IndexCase> {};

TEST_P(SQLiteIndexSchema, ReportsKeysAsTheServerKeepsThem) {
  const IndexCase& c = GetParam();
  dvtest::TempDir dir;
  std::string file = dir.File("schema.db");
  dvtest::MakeSQLiteFile(file, c.script);
  dvtest::TestForm form;
  auto* db = form.AddDatabase("SchemaDB", TDVServerType::stSQLite, file);
  std::unique_ptr<db::TDataSet> ds = db->GetSchemaInfo(TDVSchemaType::stIndexes, c.table);
  ASSERT_NE(ds, nullptr) << c.title;
  EXPECT_EQ(IndexRows(*ds), c.rows) << c.title;
}

const std::string P = dralvo::SPrimary;

INSTANTIATE_TEST_SUITE_P(
    Cases, SQLiteIndexSchema,
    ::testing::Values(
        IndexCase{"rowid alias key has no index entry", "create table t(id integer primary key, x text);", "t",
                  {P + ":id:6"}},
        IndexCase{"composite key in declared order, not column order",
                  "create table t(a int, b text, c int, primary key(c, a));", "T",
                  {"sqlite_autoindex_t_1:c:6", "sqlite_autoindex_t_1:a:6"}},
        IndexCase{"without rowid: only key columns", "create table w(k text, j int, v, primary key(j, k)) without rowid;",
                  "w", {"sqlite_autoindex_w_1:j:6", "sqlite_autoindex_w_1:k:6"}},
        IndexCase{"unique index listed before the primary key",
                  "create table t(id text primary key, code int); create unique index ucode on t(code);", "t",
                  {"ucode:code:2", "sqlite_autoindex_t_1:id:6"}},
        IndexCase{"unique constraint and plain index",
                  "create table t(a int, b int, unique(b, a)); create index ia on t(a);", "t",
                  {"ia:a:-", "sqlite_autoindex_t_1:b:2", "sqlite_autoindex_t_1:a:2"}},
        IndexCase{"partial unique index is no key",
                  "create table t(a int, b int); create unique index pu on t(a) where b > 0;", "t", {"pu:a:-"}},
        IndexCase{"expression column has no name",
                  "create table t(a text); create unique index ex on t(lower(a), a);", "t", {"ex:-:2", "ex:a:2"}},
        IndexCase{"no key at all", "create table t(a int, b int);", "t", {}},
        IndexCase{"view has no indexes", "create table t(id integer primary key); create view v as select * from t;",
                  "v", {}},
        IndexCase{"mixed case quoted name", "create table \"Order Lines\"(\"Line No\" integer primary key);",
                  "\"Order Lines\"", {P + ":Line No:6"}},
        IndexCase{"name with blanks typed without quotes",
                  "create table \"Order Lines\"(\"Line No\" integer primary key);", "order lines", {P + ":Line No:6"}},
        IndexCase{"owner-qualified name", "create table t(id integer primary key);", "main.t", {P + ":id:6"}},
        IndexCase{"reserved words as names", "create table \"select\"(\"from\" text primary key, \"where\" int);",
                  "select", {"sqlite_autoindex_select_1:from:6"}},
        IndexCase{"non-ASCII names", "create table \"Straße\"(\"Größe\" text primary key);", "\"Straße\"",
                  {"sqlite_autoindex_Straße_1:Größe:6"}}),
    CaseName);

TEST(SQLiteSchema, UnknownOrHostileTableNamesFindNothingAndHarmNothing) {
  dvtest::TempDir dir;
  std::string file = dir.File("safe.db");
  dvtest::MakeSQLiteFile(file, "create table y(id integer primary key); insert into y values (1);");
  dvtest::TestForm form;
  auto* db = form.AddDatabase("SafeDB", TDVServerType::stSQLite, file);
  for (const std::string name : {"x'; drop table y; --", "y\"; drop table y; --", "nope", "", "main.", "\"y"}) {
    EXPECT_EQ(db->GetSchemaInfo(TDVSchemaType::stIndexes, name), nullptr) << name;
    rtl::TStringList fields;
    dralvo::Session()->GetFieldNames("SafeDB", name, &fields);
    EXPECT_EQ(fields.Count(), 0) << name;
  }
  db->Close();
  EXPECT_EQ(dvtest::SQLiteColumn(file, "select count(*) from y"), std::vector<std::string>{"1"});
}

TEST(SQLiteSchema, FieldNamesFollowEveryWayANameCanBeWritten) {
  dvtest::TempDir dir;
  std::string file = dir.File("names.db");
  dvtest::MakeSQLiteFile(file,
                         "create table t(a int, b int); create view v as select b, a from t;"
                         " create table \"a.b\"(x int); create table \"Straße\"(\"Größe\" text);"
                         " create table \"with blank\"(y int);");
  dvtest::TestForm form;
  form.AddDatabase("NamesDB", TDVServerType::stSQLite, file);
  const std::vector<std::pair<std::string, std::string>> rows{
      {"t", "a,b"},          {"T", "a,b"},        {"main.t", "a,b"},  {"\"main\".\"t\"", "a,b"},
      {"v", "b,a"},          {"a.b", "x"},        {"\"a.b\"", "x"}, {"\"Straße\"", "Größe"},
      {"with blank", "y"},   {"other.t", ""},     {"main.v", "b,a"},
  };
  for (const auto& [name, expected] : rows) {
    rtl::TStringList fields;
    dralvo::Session()->GetFieldNames("NamesDB", name, &fields);
    EXPECT_EQ(fields.CommaText(), expected) << name;
  }
}

TEST(SQLiteSchema, TwoThousandColumnsInOrder) {
  dvtest::TempDir dir;
  std::string file = dir.File("wide.db");
  std::string script = "create table wide(";
  for (int i = 0; i < 2000; ++i) script += (i ? ", c" : "c") + std::to_string(i) + " int";
  dvtest::MakeSQLiteFile(file, script + ");");
  dvtest::TestForm form;
  form.AddDatabase("WideDB", TDVServerType::stSQLite, file);
  rtl::TStringList fields;
  dralvo::Session()->GetFieldNames("widedb", "WIDE", &fields);
  ASSERT_EQ(fields.Count(), 2000);
  EXPECT_EQ(fields[0], "c0");
  EXPECT_EQ(fields[1999], "c1999");
}

TEST(SQLiteSchema, TableNamesWithPatternAndSystemTables) {
  dvtest::TempDir dir;
  std::string file = dir.File("names.db");
  dvtest::MakeSQLiteFile(file,
                         "create table beta(a integer primary key autoincrement); create table alpha(a); create view alpha_v as "
                         "select * from alpha; create table \"with space\"(a);");
  dvtest::TestForm form;
  form.AddDatabase("NamesDB", TDVServerType::stSQLite, file);
  rtl::TStringList names;
  dralvo::Session()->GetTableNames("NamesDB", "", false, &names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"alpha", "alpha_v", "beta", "with space"}));
  dralvo::Session()->GetTableNames("NamesDB", "al%", false, &names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"alpha", "alpha_v"}));
  dralvo::Session()->GetTableNames("NamesDB", "", true, &names);
  EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"alpha", "alpha_v", "beta", "sqlite_sequence", "with space"}));
  dralvo::Session()->GetStoredProcNames("NamesDB", &names);
  EXPECT_EQ(names.Count(), 0);
}

}  // namespace
