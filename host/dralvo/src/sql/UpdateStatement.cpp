#include "sql/UpdateStatement.h"

#include "sql/TokenList.h"

namespace dralvo::sql {

namespace {
using detail::IsName;
using detail::TokenList;

WrittenName NameOf(const detail::Sig& s) {
  const bool quoted = s.kind == TokenKind::QuotedIdentifier;
  return {quoted ? UnquoteIdentifier(s.text) : std::string(s.text), quoted, s.text, s.offset};
}

// A name, possibly qualified ("t.c"): its last part, and the index past it.
bool ReadColumn(const TokenList& t, size_t& i, WrittenName& out) {
  if (!IsName(t[i]) || t[i].unterminated) return false;
  size_t last = i;
  while (t.IsOp(last + 1, ".") && IsName(t[last + 2])) last += 2;
  out = NameOf(t[last]);
  i = last + 1;
  return true;
}

bool IsValue(const detail::Sig& s) {
  return s.kind == TokenKind::Param || s.kind == TokenKind::Number || s.kind == TokenKind::String;
}

// The table: dotted names, kept as written.
bool ReadTable(const TokenList& t, size_t& i, UpdateStatement& st) {
  if (!IsName(t[i]) || t[i].unterminated) return false;
  st.table = std::string(t[i].text);
  st.tableOffset = t[i].offset;
  ++i;
  while (t.IsOp(i, ".") && IsName(t[i + 1])) {
    st.table += "." + std::string(t[i + 1].text);
    i += 2;
  }
  return true;
}

// Skips an expression up to a "," or a keyword of `stops` at bracket depth 0.
size_t SkipTo(const TokenList& t, size_t i, std::initializer_list<std::string_view> stops, bool comma) {
  while (i < t.Size()) {
    if (comma && t.IsOp(i, ",")) return i;
    for (std::string_view s : stops)
      if (t.Is(i, s)) return i;
    i = t.After(i);
  }
  return i;
}

void ReadWhere(const TokenList& t, size_t i, UpdateStatement& st) {
  st.hasWhere = true;
  bool orSeen = false;
  while (i < t.Size()) {
    size_t end = SkipTo(t, i, {"AND", "OR", "RETURNING"}, false);
    size_t at = i;
    WrittenName column;
    // "column = value" where the value is one parameter or literal: a
    // column on the right ("a = a") pins nothing.
    if (ReadColumn(t, at, column) && t.IsOp(at, "=") && at + 2 == end && IsValue(t[at + 1])) {
      st.columns.push_back(column);
      st.pinned.push_back(column);
    }
    if (end >= t.Size() || t.Is(end, "RETURNING")) break;
    orSeen = orSeen || t.Is(end, "OR");
    i = end + 1;
  }
  if (orSeen) st.pinned.clear();
}

void ReadSetList(const TokenList& t, size_t& i, UpdateStatement& st) {
  while (i < t.Size() && !t.Is(i, "WHERE")) {
    WrittenName column;
    if (ReadColumn(t, i, column)) st.columns.push_back(column);
    i = SkipTo(t, i, {"WHERE", "FROM", "RETURNING"}, true);
    if (t.IsOp(i, ",")) ++i;
    else break;
  }
}
}  // namespace

UpdateStatement ReadUpdateStatement(std::string_view sql, const std::vector<Token>& tokens) {
  TokenList t(sql, tokens);
  UpdateStatement st;
  st.columns.reserve(t.Size() / 4);
  if (t.Broken()) return st;
  size_t i = 0;
  if (t.Is(0, "UPDATE")) {
    i = 1;
    if (!ReadTable(t, i, st) || !t.Is(i, "SET")) return st;
    ++i;
    ReadSetList(t, i, st);
  } else if (t.Is(0, "INSERT") && t.Is(1, "INTO")) {
    i = 2;
    if (!ReadTable(t, i, st)) return st;
    if (t.IsOp(i, "(")) {
      size_t close = t.After(i);
      for (size_t k = i + 1; k + 1 < close; ++k)
        if (IsName(t[k])) st.columns.push_back(NameOf(t[k]));
    }
    st.ok = true;
    return st;
  } else if (t.Is(0, "DELETE") && t.Is(1, "FROM")) {
    i = 2;
    if (!ReadTable(t, i, st)) return st;
  } else if (t.Is(0, "SELECT")) {
    i = 1;
    while (i < t.Size() && !t.Is(i, "FROM")) {
      size_t at = i;
      WrittenName column;
      size_t end = SkipTo(t, i, {"FROM"}, true);
      if (ReadColumn(t, at, column) && (at == end || t.Is(at, "AS") || IsName(t[at]))) st.columns.push_back(column);
      i = t.IsOp(end, ",") ? end + 1 : end;
    }
    if (!t.Is(i, "FROM")) return st;
    ++i;
    if (!ReadTable(t, i, st)) return st;
    // A join or a second table: not one table's row.
    if (t.IsOp(i, ",") || t.Is(i, "JOIN") || t.Is(i, "INNER") || t.Is(i, "LEFT") || t.Is(i, "CROSS")) return st;
  } else {
    return st;
  }
  if (t.Is(i, "WHERE")) {
    st.whereOffset = t[i].offset;
    ReadWhere(t, i + 1, st);
  }
  st.ok = true;
  return st;
}

}  // namespace dralvo::sql
