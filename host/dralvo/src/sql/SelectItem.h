#pragma once
// One item of a select list: a column reference, a star, a scalar subquery
// or any other expression, with its alias.
#include <string_view>
#include <vector>

#include "sql/TokenList.h"

namespace dralvo::sql::detail {

enum class ItemKind { Column, Expression, Subquery, Star };

struct SelectItem {
  ItemKind kind = ItemKind::Expression;
  std::vector<std::string_view> qualifier;  // parts before the column or star, as written
  std::string_view column;                  // Column: the column as written
  std::string_view alias;                   // as written (a string literal keeps its quotes); empty when none
};

// Reads the item made of tokens [begin, end); false when the range is empty.
bool ReadSelectItem(const TokenList& t, size_t begin, size_t end, SelectItem& item);

// A parenthesised query starts at i (leading brackets passed over).
bool StartsQuery(const TokenList& t, size_t i);

}  // namespace dralvo::sql::detail
