#include "sql/TokenList.h"

#include <algorithm>
#include <array>

#include "rtl/system/SysUtils.h"

namespace dralvo::sql::detail {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Sorted, upper case.
constexpr std::string_view kReserved[] = {
    "ALL",       "AND",      "ANY",        "APPLY",     "AS",       "ASC",
    "BETWEEN",                     "BY",       "CASE",       "COLLATE",   "CROSS",    "CURRENT_DATE",
    "CURRENT_TIME",                "CURRENT_TIMESTAMP",      "DEFAULT",   "DESC",     "DISTINCT",
    "ELSE",                        "END",      "ESCAPE",     "EXCEPT",    "EXISTS",   "FALSE",
    "FETCH",                       "FILTER",   "FOR",        "FROM",      "FULL",     "GLOB",
    "GROUP",                       "HAVING",   "ILIKE",      "IN",        "INDEXED",  "INNER",
    "INTERSECT",                   "INTO",     "IS",         "ISNULL",    "JOIN",     "LATERAL",
    "LEFT",                        "LIKE",     "LIMIT",      "LOCALTIME", "LOCALTIMESTAMP",
    "MATCH",                       "MINUS",    "NATURAL",    "NOT",       "NOTNULL",  "NULL",
    "OFFSET",                      "ON",       "OR",         "ORDER",     "OUTER",    "OVER",
    "PARTITION",                   "QUALIFY",  "REGEXP",     "RETURNING", "RIGHT",    "SELECT",
    "SOME",                        "STRAIGHT_JOIN",          "TABLESAMPLE", "THEN",   "TOP",
    "TRUE",                        "UNION",    "USING",      "VALUES",    "WHEN",     "WHERE",
    "WINDOW",                      "WITH",     "WITHIN",
};

constexpr std::string_view kValueKeywords[] = {
    "CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP", "DEFAULT", "END",
    "FALSE", "LOCALTIME", "LOCALTIMESTAMP", "NULL", "TRUE",
};

static_assert(std::is_sorted(std::begin(kReserved), std::end(kReserved)));
static_assert(std::is_sorted(std::begin(kValueKeywords), std::end(kValueKeywords)));

bool InList(std::string_view word, const auto& list) {
  std::array<char, 24> buf{};
  if (word.size() > buf.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) buf[i] = Upper(word[i]);
  std::string_view up(buf.data(), word.size());
  return std::binary_search(std::begin(list), std::end(list), up);
}

}  // namespace

TokenList::TokenList(std::string_view sql, const std::vector<Token>& tokens) {
  toks_.reserve(tokens.size());
  for (const Token& t : tokens) {
    broken_ = broken_ || t.unterminated;
    if (t.kind == TokenKind::Whitespace || t.kind == TokenKind::Comment) continue;
    if (t.kind == TokenKind::Operator && t.Text(sql) == ";") break;
    toks_.push_back(Sig{t.kind, t.Text(sql), t.unterminated, t.offset});
  }
  close_.resize(toks_.size());
  std::vector<size_t> open;
  for (size_t i = 0; i < toks_.size(); ++i) {
    close_[i] = i + 1;
    const Sig& s = toks_[i];
    const char c = s.kind == TokenKind::Operator && s.text.size() == 1 ? s.text[0] : '\0';
    if (c == '(' || c == '[') {
      close_[i] = toks_.size();
      open.push_back(i);
    } else if (c == ')' || c == ']') {
      if (!open.empty() && toks_[open.back()].text[0] == (c == ')' ? '(' : '[')) {
        close_[open.back()] = i + 1;
        open.pop_back();
      } else {
        broken_ = true;
      }
    }
  }
  broken_ = broken_ || !open.empty();
}

size_t TokenList::After(size_t i) const { return i < close_.size() ? close_[i] : i + 1; }

bool IsReservedWord(std::string_view word) { return InList(word, kReserved); }
bool IsValueKeyword(std::string_view word) { return InList(word, kValueKeywords); }

bool SameName(std::string_view a, std::string_view b) {
  return rtl::AnsiSameText(UnquoteIdentifier(a), UnquoteIdentifier(b));
}

}  // namespace dralvo::sql::detail
