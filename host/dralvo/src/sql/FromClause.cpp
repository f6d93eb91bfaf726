#include "sql/FromClause.h"

#include <algorithm>

#include "sql/SelectItem.h"

namespace dralvo::sql::detail {

namespace {

constexpr int kMaxDepth = 64;  // nested join groups; deeper text is not read
constexpr size_t kNone = static_cast<size_t>(-1);

class FromReader {
 public:
  FromReader(const TokenList& t, const std::vector<std::string_view>& withNames, std::vector<FromItem>& out)
      : t_(t), withNames_(withNames), out_(out) {}

  // A list of table references joined by commas or JOIN; returns where it stopped.
  size_t List(size_t i, size_t end, int depth) {
    i = Ref(i, end, depth);
    while (i < end) {
      if (t_.IsOp(i, ",")) {
        i = Ref(i + 1, end, depth);
      } else if (size_t j = JoinWords(i); j != kNone) {
        i = Condition(Ref(j, end, depth), end);
      } else {
        break;
      }
    }
    return i;
  }

 private:
  // Index after the words that introduce a join, or kNone when none start at i.
  size_t JoinWords(size_t i) const {
    if (t_.Is(i, "STRAIGHT_JOIN") || t_.Is(i, "JOIN")) return i + 1;
    if ((t_.Is(i, "CROSS") || t_.Is(i, "OUTER")) && t_.Is(i + 1, "APPLY")) return i + 2;
    size_t j = i;
    if (t_.Is(j, "NATURAL")) ++j;
    if (t_.Is(j, "INNER") || t_.Is(j, "CROSS")) {
      ++j;
    } else if (t_.Is(j, "LEFT") || t_.Is(j, "RIGHT") || t_.Is(j, "FULL")) {
      ++j;
      if (t_.Is(j, "OUTER")) ++j;
    }
    return t_.Is(j, "JOIN") ? j + 1 : kNone;
  }

  size_t Condition(size_t i, size_t end) const {
    if (t_.Is(i, "ON")) {
      ++i;
      while (i < end && !t_.IsOp(i, ",") && JoinWords(i) == kNone) i = t_.After(i);
    } else if (t_.Is(i, "USING") && t_.IsOp(i + 1, "(")) {
      i = t_.After(i + 1);
    }
    return std::min(i, end);
  }

  // One table reference with its alias; returns end when it does not fit.
  size_t Ref(size_t i, size_t end, int depth) {
    if (i >= end || depth > kMaxDepth) return end;
    while ((t_.Is(i, "LATERAL") || t_.Is(i, "ONLY")) && i + 1 < end) ++i;
    FromItem item;
    bool group = false;
    if (t_.IsOp(i, "(")) {
      size_t after = std::min(t_.After(i), end);
      if (!StartsQuery(t_, i + 1)) {
        group = true;
        size_t innerEnd = t_.IsOp(after - 1, ")") && after - 1 > i ? after - 1 : after;
        List(i + 1, innerEnd, depth + 1);
      }
      i = after;
    } else if (t_[i].kind == TokenKind::QuotedIdentifier || (IsName(t_[i]) && !IsReservedWord(t_[i].text))) {
      i = Name(i, end, item);
    } else {
      return end;
    }
    i = Alias(i, end, item);
    if (!group) out_.push_back(std::move(item));
    return Hints(i, end);
  }

  size_t Name(size_t i, size_t end, FromItem& item) {
    item.parts.push_back(t_[i].text);
    ++i;
    while (i + 1 < end && t_.IsOp(i, ".") && IsName(t_[i + 1])) {
      item.parts.push_back(t_[i + 1].text);
      i += 2;
    }
    for (size_t p = 0; p < item.parts.size(); ++p) {
      if (p > 0) item.text += '.';
      item.text += item.parts[p];
    }
    if (t_.IsOp(i, "(")) return std::min(t_.After(i), end);  // table function
    item.real = !(item.parts.size() == 1 && std::any_of(withNames_.begin(), withNames_.end(), [&](std::string_view w) {
                    return SameName(w, item.parts[0]);
                  }));
    if (t_.IsOp(i, "*") && i < end) ++i;  // inheritance marker "t *"
    return i;
  }

  size_t Alias(size_t i, size_t end, FromItem& item) const {
    if (i + 1 < end && t_.Is(i, "AS") && IsName(t_[i + 1])) {
      item.alias = t_[i + 1].text;
      i += 2;
    } else if (i < end && IsPlainName(t_[i])) {
      item.alias = t_[i].text;
      ++i;
    } else {
      return i;
    }
    if (i < end && t_.IsOp(i, "(")) i = std::min(t_.After(i), end);  // column aliases
    return i;
  }

  // Table hints and sampling clauses that may follow a table.
  size_t Hints(size_t i, size_t end) const {
    for (;;) {
      size_t j = i;
      if ((t_.Is(j, "WITH") || t_.Is(j, "PARTITION")) && t_.IsOp(j + 1, "(")) {
        j = t_.After(j + 1);
      } else if (t_.Is(j, "INDEXED") && t_.Is(j + 1, "BY")) {
        j += 3;
      } else if (t_.Is(j, "NOT") && t_.Is(j + 1, "INDEXED")) {
        j += 2;
      } else if (t_.Is(j, "TABLESAMPLE") && t_.IsOp(j + 2, "(")) {
        j = t_.After(j + 2);
        if (t_.Is(j, "REPEATABLE") && t_.IsOp(j + 1, "(")) j = t_.After(j + 1);
      } else if ((t_.Is(j, "USE") || t_.Is(j, "FORCE") || t_.Is(j, "IGNORE")) &&
                 (t_.Is(j + 1, "INDEX") || t_.Is(j + 1, "KEY")) && t_.IsOp(j + 2, "(")) {
        j = t_.After(j + 2);
      }
      if (j == i || j > end) return std::min(j, end);
      i = j;
    }
  }

  const TokenList& t_;
  const std::vector<std::string_view>& withNames_;
  std::vector<FromItem>& out_;
};

bool TailMatches(const FromItem& item, const std::vector<std::string_view>& qualifier) {
  if (qualifier.size() > item.parts.size()) return false;
  size_t skip = item.parts.size() - qualifier.size();
  for (size_t k = 0; k < qualifier.size(); ++k)
    if (!SameName(item.parts[skip + k], qualifier[k])) return false;
  return true;
}

}  // namespace

void ReadFromClause(const TokenList& t, size_t begin, size_t end, const std::vector<std::string_view>& withNames,
                    std::vector<FromItem>& out) {
  FromReader(t, withNames, out).List(begin, std::min(end, t.Size()), 0);
}

const FromItem* ResolveQualifier(const std::vector<FromItem>& items, const std::vector<std::string_view>& qualifier) {
  if (qualifier.empty()) return items.size() == 1 ? &items.front() : nullptr;
  for (const FromItem& item : items) {
    bool hit = item.alias.empty() ? TailMatches(item, qualifier)
                                  : qualifier.size() == 1 && SameName(item.alias, qualifier[0]);
    if (hit) return &item;
  }
  return nullptr;
}

}  // namespace dralvo::sql::detail
