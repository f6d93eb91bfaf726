#include "sql/SelectItem.h"

namespace dralvo::sql::detail {

namespace {

// The token can end an operand, so a name after it is an implicit alias.
bool EndsOperand(const Sig& s) {
  switch (s.kind) {
    case TokenKind::Identifier: return !IsReservedWord(s.text) || IsValueKeyword(s.text);
    case TokenKind::QuotedIdentifier:
    case TokenKind::String:
    case TokenKind::Number:
    case TokenKind::Param: return true;
    case TokenKind::Operator: return s.text == ")" || s.text == "]";
    default: return false;
  }
}

// Cuts the alias off the end of [begin, end) and returns the new end.
size_t TakeAlias(const TokenList& t, size_t begin, size_t end, SelectItem& item) {
  size_t n = end - begin;
  const Sig& last = t[end - 1];
  if (n >= 3 && t.Is(end - 2, "AS") && (IsName(last) || last.kind == TokenKind::String)) {
    item.alias = last.text;
    return end - 2;
  }
  if (n >= 2 && IsPlainName(last) && EndsOperand(t[end - 2])) {
    item.alias = last.text;
    return end - 1;
  }
  return end;
}

void Classify(const TokenList& t, size_t begin, size_t end, SelectItem& item) {
  if (end - begin == 1 && t.IsOp(begin, "*")) {
    item.kind = ItemKind::Star;
    return;
  }
  if (IsName(t[begin])) {
    std::vector<std::string_view> parts{t[begin].text};
    size_t j = begin;
    while (j + 2 < end && t.IsOp(j + 1, ".") && IsName(t[j + 2])) {
      parts.push_back(t[j + 2].text);
      j += 2;
    }
    if (j + 1 == end) {
      const Sig& first = t[begin];
      if (parts.size() == 1 && first.kind == TokenKind::Identifier && IsValueKeyword(first.text)) return;
      item.kind = ItemKind::Column;
      item.column = parts.back();
      parts.pop_back();
      item.qualifier = std::move(parts);
      return;
    }
    if (j + 3 == end && t.IsOp(j + 1, ".") && t.IsOp(j + 2, "*")) {
      item.kind = ItemKind::Star;
      item.qualifier = std::move(parts);
      return;
    }
  }
  if (t.IsOp(begin, "(") && t.After(begin) == end && StartsQuery(t, begin + 1)) item.kind = ItemKind::Subquery;
}

}  // namespace

bool StartsQuery(const TokenList& t, size_t i) {
  while (t.IsOp(i, "(")) ++i;
  return t.Is(i, "SELECT") || t.Is(i, "WITH") || t.Is(i, "VALUES") || t.Is(i, "TABLE");
}

bool ReadSelectItem(const TokenList& t, size_t begin, size_t end, SelectItem& item) {
  if (begin >= end) return false;
  item = SelectItem{};
  Classify(t, begin, TakeAlias(t, begin, end, item), item);
  return true;
}

}  // namespace dralvo::sql::detail
