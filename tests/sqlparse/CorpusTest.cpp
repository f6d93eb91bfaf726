// Re-runs every kept input (hand-written seeds and what the fuzzer found)
// through the tokenizer (with each server's rules), the parser and the
// parameter scanner: nothing may
// crash or hang, results must be the same each time and keep their promises.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "Render.h"
#include "dralvo/Servers.h"
#include "dralvo/SqlParser.h"

namespace {

namespace fs = std::filesystem;
using namespace dralvo::sql;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void CheckSelect(const std::string& sql, const std::string& label) {
  ParsedSelect r = ParseSelect(sql);
  ParsedSelect again = ParseSelect(sql);
  EXPECT_EQ(dvtest::RenderFields(r) + "|" + dvtest::RenderTables(r) + "|" + dvtest::RenderStars(r),
            dvtest::RenderFields(again) + "|" + dvtest::RenderTables(again) + "|" + dvtest::RenderStars(again))
      << label;
  EXPECT_EQ(r.hasStar, !r.stars.empty()) << label;
  if (!r.ok) {
    EXPECT_TRUE(r.fields.empty() && r.tables.empty() && r.stars.empty()) << label;
    return;
  }
  std::set<std::string> tables;
  for (const auto& t : r.tables) {
    EXPECT_FALSE(t.alias.empty() || t.table.empty()) << label;
    tables.insert(t.table);
  }
  std::set<int> positions;
  for (const auto& f : r.fields) {
    EXPECT_TRUE(positions.insert(f.position).second) << label;
    EXPECT_EQ(f.value.empty(), f.table.empty()) << label;
    if (!f.table.empty()) {
      EXPECT_EQ(f.kind, FieldKind::Column) << label;
      EXPECT_EQ(f.value, f.table + "." + f.column) << label;
      EXPECT_TRUE(tables.count(f.table)) << label << ": " << f.table;
    }
    if (f.kind != FieldKind::Column) {
      EXPECT_TRUE(f.column.empty()) << label;
    }
  }
  for (const auto& s : r.stars) {
    EXPECT_TRUE(positions.insert(s.position).second) << label;
    if (!s.table.empty()) {
      EXPECT_TRUE(tables.count(s.table)) << label;
    }
  }
  int expected = 0;
  for (int p : positions) EXPECT_EQ(p, expected++) << label;
}

void CheckTokensAndParams(const std::string& sql, const std::string& label, const LexicalRules& rules) {
  size_t next = 0;
  for (const Token& t : Tokenize(sql, rules)) {
    ASSERT_EQ(t.offset, next) << label;
    ASSERT_GT(t.length, 0u) << label;
    next += t.length;
  }
  EXPECT_EQ(next, sql.size()) << label;
  size_t end = 0;
  auto params = FindParams(sql, rules);
  for (const auto& p : params) {
    ASSERT_GE(p.offset, end) << label;
    ASSERT_LE(p.offset + p.length, sql.size()) << label;
    EXPECT_EQ(sql[p.offset], ':') << label;
    end = p.offset + p.length;
  }
  auto question = ToPositionalParams(sql, ParamMarker::Question, rules);
  EXPECT_EQ(question.names.size(), params.size()) << label;
  EXPECT_LE(ToPositionalParams(sql, ParamMarker::Dollar, rules).names.size(), params.size()) << label;
}

TEST(Corpus, EveryInputKeepsThePromises) {
  const fs::path dir = SQLPARSE_CORPUS_DIR;
  ASSERT_TRUE(fs::is_directory(dir)) << dir;
  size_t count = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::string sql = ReadAll(entry.path());
    std::string label = entry.path().filename().string();
    CheckSelect(sql, label);
    CheckTokensAndParams(sql, label, {});
    for (auto server : {dralvo::TDVServerType::stSQLite, dralvo::TDVServerType::stPostgreSQL,
                        dralvo::TDVServerType::stMariaDB})
      CheckTokensAndParams(sql, label + " (" + dralvo::GetServerTypeName(server) + ")",
                           dralvo::ServerLexicalRules(server));
    ++count;
  }
  EXPECT_GE(count, 20u) << "the corpus went missing";
}

}  // namespace
