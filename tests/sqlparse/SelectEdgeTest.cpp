// Details of the parse result beyond the name=value form, and text that
// pushes the parser to its limits.
#include <gtest/gtest.h>

#include <string>

#include "Render.h"
#include "dralvo/SqlParser.h"

namespace {

using dralvo::sql::FieldKind;
using dralvo::sql::ParseSelect;

TEST(SelectFields, CarryKindPositionTableAndColumn) {
  auto r = ParseSelect(R"(select o.*, o."Order Id" as oid, (select 1) s, count(*) from dbo."Orders" o)");
  ASSERT_TRUE(r.ok);
  ASSERT_EQ(r.fields.size(), 3u);
  EXPECT_EQ(r.fields[0].position, 1);
  EXPECT_EQ(r.fields[0].kind, FieldKind::Column);
  EXPECT_EQ(r.fields[0].name, "oid");
  EXPECT_EQ(r.fields[0].table, R"(dbo."Orders")");
  EXPECT_EQ(r.fields[0].column, "Order Id");
  EXPECT_EQ(r.fields[0].value, R"(dbo."Orders".Order Id)");
  EXPECT_EQ(r.fields[1].position, 2);
  EXPECT_EQ(r.fields[1].kind, FieldKind::Subquery);
  EXPECT_EQ(r.fields[1].name, "s");
  EXPECT_EQ(r.fields[2].position, 3);
  EXPECT_EQ(r.fields[2].kind, FieldKind::Expression);
  EXPECT_TRUE(r.fields[2].name.empty());
  ASSERT_EQ(r.stars.size(), 1u);
  EXPECT_EQ(r.stars[0].position, 0);
  EXPECT_EQ(r.stars[0].qualifier, "o");
  EXPECT_EQ(r.stars[0].table, R"(dbo."Orders")");
  EXPECT_TRUE(r.hasStar);
}

TEST(SelectFields, ColumnOfDerivedTableHasNoTable) {
  auto r = ParseSelect("select d.a from (select a from t) d");
  ASSERT_EQ(r.fields.size(), 1u);
  EXPECT_EQ(r.fields[0].kind, FieldKind::Column);
  EXPECT_EQ(r.fields[0].column, "a");
  EXPECT_TRUE(r.fields[0].table.empty());
  EXPECT_TRUE(r.fields[0].value.empty());
}

TEST(SelectFields, StarOfDerivedTableNamesNoTable) {
  auto r = ParseSelect("select * from (select a from t) d");
  ASSERT_EQ(r.stars.size(), 1u);
  EXPECT_TRUE(r.stars[0].table.empty());
  EXPECT_TRUE(r.tables.empty());
}

// The table part of each value is exactly a table entry's text, which is what
// the UpdateSQL editor compares with its table combo box.
TEST(SelectFields, TablePartEqualsTableEntry) {
  const char* sqls[] = {
      R"(select o."Id", c.name from "Sales"."Orders" o join dbo.customers c on c.id = o.cid)",
      "select x.a from dbo . [Order Lines] x",
      "select Orders.id from Orders",
  };
  for (const char* sql : sqls) {
    auto r = ParseSelect(sql);
    ASSERT_FALSE(r.fields.empty()) << sql;
    for (const auto& f : r.fields) {
      bool found = false;
      for (const auto& t : r.tables) found = found || t.table == f.table;
      EXPECT_TRUE(found) << sql << ": " << f.value;
      EXPECT_EQ(f.value, f.table + "." + f.column);
    }
  }
}

TEST(SelectLimits, DeepBracketsEndWithoutCrash) {
  std::string deep(100000, '(');
  EXPECT_FALSE(ParseSelect(deep).ok);
  std::string nested = std::string(2000, '(') + "select a from t" + std::string(2000, ')');
  auto r = ParseSelect(nested);
  EXPECT_FALSE(r.ok);  // deeper than the parser follows: not read, but no crash
  std::string joins = "select a.x from " + std::string(5000, '(') + "a" + std::string(5000, ')');
  EXPECT_TRUE(ParseSelect(joins).tables.empty());
}

TEST(SelectLimits, ModerateBracketsAreRead) {
  auto r = ParseSelect("((((select a from t))))");
  EXPECT_EQ(dvtest::RenderFields(r), "a=t.a");
}

TEST(SelectLimits, LongSelectListIsReadWhole) {
  std::string sql = "select ";
  const int count = 20000;
  for (int i = 0; i < count; ++i) sql += (i ? ", c" : "c") + std::to_string(i);
  sql += " from wide";
  auto r = ParseSelect(sql);
  ASSERT_EQ(r.fields.size(), static_cast<size_t>(count));
  EXPECT_EQ(r.fields.back().value, "wide.c" + std::to_string(count - 1));
  EXPECT_EQ(r.fields.back().position, count - 1);
}

TEST(SelectLimits, ManyJoinsAreRead) {
  std::string sql = "select t0.a from t0";
  for (int i = 1; i < 500; ++i) sql += " join t" + std::to_string(i) + " on 1=1";
  auto r = ParseSelect(sql);
  EXPECT_EQ(r.tables.size(), 500u);
  EXPECT_EQ(r.tables.back().table, "t499");
}

TEST(SelectLimits, EmbeddedNulBytesAreText) {
  std::string sql("select a\0b from t", 17);
  auto r = ParseSelect(sql);  // the NUL is an operator; the item becomes an expression
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(dvtest::RenderTables(r), "t=t");
}

TEST(SelectLimits, SameTextSameResult) {
  const std::string sql = "with q as (select 1) select a.x, q.y from a, q";
  EXPECT_EQ(dvtest::RenderFields(ParseSelect(sql)), dvtest::RenderFields(ParseSelect(sql)));
}

}  // namespace
