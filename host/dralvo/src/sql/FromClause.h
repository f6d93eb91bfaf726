#pragma once
// The FROM clause of one SELECT: its tables, joins, derived tables and table
// functions, each with the alias that the select list refers to it by.
#include <string>
#include <string_view>
#include <vector>

#include "sql/TokenList.h"

namespace dralvo::sql::detail {

struct FromItem {
  std::string text;                     // table as written, parts joined by "."
  std::vector<std::string_view> parts;  // the name's parts as written
  std::string_view alias;               // as written; empty when none
  bool real = false;                    // a stored table, not derived, a function or a WITH query
};

// Reads tokens [begin, end) of a FROM clause (after the keyword) into out,
// in order of appearance, nested join groups included. Reading stops at the
// first token that does not fit; what was read so far stays. withNames are
// the names of the statement's WITH queries, which are no stored tables.
void ReadFromClause(const TokenList& t, size_t begin, size_t end, const std::vector<std::string_view>& withNames,
                    std::vector<FromItem>& out);

// The item a qualifier (the parts before the column, as written) refers to,
// or null. Unqualified columns belong to the only item, when there is one.
const FromItem* ResolveQualifier(const std::vector<FromItem>& items, const std::vector<std::string_view>& qualifier);

}  // namespace dralvo::sql::detail
