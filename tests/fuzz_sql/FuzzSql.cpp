// Fuzz entry: any bytes go through the tokenizer (with the lexical rules the
// first byte picks), the SELECT parser and the parameter scanner. Besides
// crashes and hangs it stops on results that break their own promises.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dralvo/SqlParser.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckSelect(const std::string& sql) {
  using namespace dralvo::sql;
  ParsedSelect r = ParseSelect(sql);
  Require(r.hasStar == !r.stars.empty());
  if (!r.ok) Require(r.fields.empty() && r.tables.empty() && r.stars.empty());
  for (const TableEntry& t : r.tables) Require(!t.alias.empty() && !t.table.empty());
  for (const SelectField& f : r.fields) {
    Require(f.value.empty() == f.table.empty());
    if (!f.table.empty()) Require(f.kind == FieldKind::Column && f.value == f.table + "." + f.column);
  }
}

// The lexical rules from one byte, a rule a bit: every server's rules and
// every mix of them are read.
dralvo::sql::LexicalRules RulesOf(uint8_t bits) {
  dralvo::sql::LexicalRules r;
  r.doubleQuotedNames = bits & 1;
  r.backtickNames = bits & 2;
  r.bracketNames = bits & 4;
  r.dollarStrings = bits & 8;
  r.backslashEscapes = bits & 16;
  r.nestedComments = bits & 32;
  r.hashComments = bits & 64;
  r.executableComments = bits & 128;
  r.dashDashNeedsBlank = r.hashComments;
  r.escapeStrings = r.dollarStrings;
  return r;
}

void CheckParams(const std::string& sql, const dralvo::sql::LexicalRules& rules) {
  using namespace dralvo::sql;
  size_t covered = 0;
  for (const Token& t : Tokenize(sql, rules)) {
    Require(t.offset == covered && t.length > 0);
    covered += t.length;
  }
  Require(covered == sql.size());
  size_t end = 0;
  auto params = FindParams(sql, rules);
  for (const ParamRef& p : params) {
    Require(p.offset >= end && p.offset + p.length <= sql.size() && sql[p.offset] == ':');
    end = p.offset + p.length;
  }
  Require(ToPositionalParams(sql, ParamMarker::Question, rules).names.size() == params.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string sql(reinterpret_cast<const char*>(data), size);
  CheckSelect(sql);
  CheckParams(sql, size > 0 ? RulesOf(data[0]) : dralvo::sql::LexicalRules{});
  return 0;
}
