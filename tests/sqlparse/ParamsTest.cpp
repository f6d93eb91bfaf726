// ":name" parameters: where they are, and the text rewritten for binding.
#include "dralvo/SqlParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using dralvo::sql::FindParams;
using dralvo::sql::ParamMarker;
using dralvo::sql::ToPositionalParams;

// "name@offset+length" per parameter.
std::string Render(const std::string& sql) {
  std::string out;
  for (const auto& p : FindParams(sql)) {
    if (!out.empty()) out += ' ';
    out += p.name + "@" + std::to_string(p.offset) + "+" + std::to_string(p.length);
  }
  return out;
}

struct Row {
  const char* sql;
  const char* params;
};

const Row kRows[] = {
    {"select * from t where a = :a and b = :B_2", "a@26+2 B_2@37+4"},
    {"where a=:a", "a@8+2"},
    {"select ':a' from t", ""},
    {"select \":a\" from t", ""},
    {"select 1 -- :a\n, :b", "b@17+2"},
    {"select 1 /* :a */ + :b", "b@20+2"},
    {"select x::int, :p::text from t", "p@15+2"},
    {"select x :: int", ""},
    {"a := 1", ""},
    {"select :\"my param\" from t", "my param@7+11"},
    {"select :\"a\"\"b\"", "a\"b@7+7"},
    {"select $$ :a $$, :b", "b@17+2"},
    {"select E'\\' :a', :b", "b@17+2"},
    {"select [:a], `:b`", ""},
    {"select :a, :a", "a@7+2 a@11+2"},
    {"select : a", ""},
    {"select :1", ""},
    {"select 'open :a", ""},
    {"select :\"open", ""},
    {"select :\xC3\xA4x", "\xC3\xA4x@7+4"},
};

TEST(Params, FoundOutsideStringsAndComments) {
  for (const Row& row : kRows) EXPECT_EQ(Render(row.sql), row.params) << row.sql;
}

TEST(Params, OffsetsPointAtTheColon) {
  const std::string sql = "update t set a = :new_a where id = :old_id -- :x";
  for (const auto& p : FindParams(sql)) EXPECT_EQ(sql.substr(p.offset, p.length), ":" + p.name);
}

TEST(Params, QuestionMarkersBindEachOccurrence) {
  auto r = ToPositionalParams("select * from t where a = :a and b = ':a' and c = :a or d = :D", ParamMarker::Question);
  EXPECT_EQ(r.sql, "select * from t where a = ? and b = ':a' and c = ? or d = ?");
  EXPECT_EQ(r.names, (std::vector<std::string>{"a", "a", "D"}));
}

TEST(Params, DollarMarkersReuseNumbersIgnoringCase) {
  auto r = ToPositionalParams("insert into t values (:a, :b, :A, x::int, :c)", ParamMarker::Dollar);
  EXPECT_EQ(r.sql, "insert into t values ($1, $2, $1, x::int, $3)");
  EXPECT_EQ(r.names, (std::vector<std::string>{"a", "b", "c"}));
}

TEST(Params, TextWithoutParametersIsUnchanged) {
  const std::string sql = "select ':a', x::int /* :b */ from t";
  for (auto marker : {ParamMarker::Question, ParamMarker::Dollar}) {
    auto r = ToPositionalParams(sql, marker);
    EXPECT_EQ(r.sql, sql);
    EXPECT_TRUE(r.names.empty());
  }
}

}  // namespace
