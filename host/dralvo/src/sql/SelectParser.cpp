// The structure of a SELECT: WITH prefix, select-list modifiers, the select
// list up to FROM, the FROM clause up to the next clause; everything after
// that (WHERE, UNION ...) says nothing about the fields and is not read.
#include "dralvo/SqlParser.h"

#include <algorithm>

#include "sql/FromClause.h"
#include "sql/SelectItem.h"

namespace dralvo::sql {

namespace {

using detail::FromItem;
using detail::ItemKind;
using detail::SelectItem;
using detail::TokenList;

constexpr int kMaxDepth = 64;  // brackets around the first SELECT

bool EndsSelectList(const TokenList& t, size_t i) {
  static constexpr std::string_view kWords[] = {"FROM",   "INTO",  "WHERE",  "GROUP",     "HAVING", "ORDER",
                                                "LIMIT",  "OFFSET", "FETCH", "UNION",     "INTERSECT",
                                                "EXCEPT", "MINUS", "WINDOW", "FOR",       "QUALIFY", "RETURNING"};
  if (t.IsOp(i, ")")) return true;
  return std::any_of(std::begin(kWords), std::end(kWords), [&](std::string_view w) { return t.Is(i, w); });
}

bool EndsFrom(const TokenList& t, size_t i) { return !t.Is(i, "FROM") && EndsSelectList(t, i); }

std::string Unquote(std::string_view text) {
  if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
    std::string out;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
      out += text[i];
      if (text[i] == '\'' && text[i + 1] == '\'') ++i;
    }
    return out;
  }
  return UnquoteIdentifier(text);
}

std::string Join(const std::vector<std::string_view>& parts) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += '.';
    out += parts[i];
  }
  return out;
}

class QueryReader {
 public:
  explicit QueryReader(const TokenList& t) : t_(t) {}

  ParsedSelect Read(size_t i, size_t end, int depth) {
    if (t_.Is(i, "WITH")) i = With(i + 1, end);
    if (t_.IsOp(i, "(")) {
      size_t after = std::min(t_.After(i), end);
      if (depth >= kMaxDepth) return {};
      return Read(i + 1, t_.IsOp(after - 1, ")") ? after - 1 : after, depth + 1);
    }
    if (i >= end || !t_.Is(i, "SELECT")) return {};
    std::vector<SelectItem> items;
    size_t pos = Modifiers(i + 1, end);
    size_t k = pos;
    for (;;) {
      size_t itemEnd = pos;
      while (itemEnd < end && !EndsSelectList(t_, itemEnd) && !t_.IsOp(itemEnd, ",")) itemEnd = t_.After(itemEnd);
      itemEnd = std::min(itemEnd, end);
      SelectItem item;
      if (!detail::ReadSelectItem(t_, pos, itemEnd, item)) return {};
      items.push_back(std::move(item));
      k = itemEnd;
      if (itemEnd >= end || !t_.IsOp(itemEnd, ",")) break;
      pos = itemEnd + 1;
    }
    if (t_.Is(k, "INTO")) {  // SELECT ... INTO target FROM ...
      ++k;
      while (k < end && !EndsSelectList(t_, k)) k = t_.After(k);
    }
    std::vector<FromItem> from;
    if (k < end && t_.Is(k, "FROM")) {
      size_t fromEnd = k + 1;
      while (fromEnd < end && !EndsFrom(t_, fromEnd)) fromEnd = t_.After(fromEnd);
      detail::ReadFromClause(t_, k + 1, std::min(fromEnd, end), withNames_, from);
    }
    return Assemble(items, from);
  }

 private:
  // WITH [RECURSIVE] name [(columns)] AS [NOT] [MATERIALIZED] (query), ...
  size_t With(size_t i, size_t end) {
    if (t_.Is(i, "RECURSIVE")) ++i;
    while (i < end && detail::IsName(t_[i])) {
      withNames_.push_back(t_[i].text);
      ++i;
      if (t_.IsOp(i, "(")) i = t_.After(i);
      if (!t_.Is(i, "AS")) return end;
      ++i;
      if (t_.Is(i, "NOT")) ++i;
      if (t_.Is(i, "MATERIALIZED")) ++i;
      if (!t_.IsOp(i, "(")) return end;
      i = t_.After(i);
      if (!t_.IsOp(i, ",")) break;
      ++i;
    }
    return i;
  }

  bool CountFollows(size_t i) const {
    auto kind = t_[i].kind;
    return kind == TokenKind::Number || kind == TokenKind::Param || t_.IsOp(i, "(");
  }

  // DISTINCT [ON (...)], ALL, TOP n [PERCENT] [WITH TIES], FIRST n, SKIP n and
  // the hint words some servers allow before the select list.
  size_t Modifiers(size_t i, size_t end) const {
    static constexpr std::string_view kHints[] = {
        "DISTINCTROW",   "HIGH_PRIORITY", "SQL_BIG_RESULT", "SQL_BUFFER_RESULT", "SQL_CACHE",
        "SQL_CALC_FOUND_ROWS", "SQL_NO_CACHE", "SQL_SMALL_RESULT", "STRAIGHT_JOIN"};
    while (i < end) {
      if (t_.Is(i, "DISTINCT")) {
        ++i;
        if (t_.Is(i, "ON") && t_.IsOp(i + 1, "(")) i = t_.After(i + 1);
      } else if (t_.Is(i, "ALL")) {
        ++i;
      } else if ((t_.Is(i, "TOP") || t_.Is(i, "FIRST") || t_.Is(i, "SKIP")) && CountFollows(i + 1)) {
        i = t_.After(i + 1);
        if (t_.Is(i, "PERCENT")) ++i;
        if (t_.Is(i, "WITH") && t_.Is(i + 1, "TIES")) i += 2;
      } else if (std::any_of(std::begin(kHints), std::end(kHints), [&](std::string_view w) { return t_.Is(i, w); })) {
        ++i;
      } else {
        break;
      }
    }
    return i;
  }

  static ParsedSelect Assemble(const std::vector<SelectItem>& items, const std::vector<FromItem>& from) {
    ParsedSelect r;
    r.ok = true;
    for (const FromItem& f : from)
      if (f.real) r.tables.push_back(TableEntry{f.alias.empty() ? f.text : std::string(f.alias), f.text});
    int position = 0;
    for (const SelectItem& item : items) {
      const FromItem* source = detail::ResolveQualifier(from, item.qualifier);
      std::string table = source && source->real ? source->text : std::string();
      if (item.kind == ItemKind::Star) {
        r.stars.push_back(StarItem{position++, Join(item.qualifier), table});
        continue;
      }
      SelectField f;
      f.position = position++;
      f.name = Unquote(item.alias);
      if (item.kind == ItemKind::Column) {
        f.kind = FieldKind::Column;
        f.column = UnquoteIdentifier(item.column);
        if (f.name.empty()) f.name = f.column;
        if (!table.empty()) {
          f.table = table;
          f.value = table + "." + f.column;
        }
      } else {
        f.kind = item.kind == ItemKind::Subquery ? FieldKind::Subquery : FieldKind::Expression;
      }
      r.fields.push_back(std::move(f));
    }
    r.hasStar = !r.stars.empty();
    return r;
  }

  const TokenList& t_;
  std::vector<std::string_view> withNames_;
};

}  // namespace

ParsedSelect ParseSelect(const std::string& sql, const LexicalRules& rules) {
  try {
    TokenList tokens(sql, Tokenize(sql, rules));
    if (tokens.Broken()) return {};
    return QueryReader(tokens).Read(0, tokens.Size(), 0);
  } catch (...) {  // out of memory on huge text: report "not readable" as promised
    return {};
  }
}

}  // namespace dralvo::sql
