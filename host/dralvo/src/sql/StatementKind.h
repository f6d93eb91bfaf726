#pragma once
// What kind of statement a text holds, read from its words alone, so that a
// slot meant for one update, say, is not given a drop or a script.
#include <string>
#include <string_view>
#include <vector>

#include "dralvo/SqlParser.h"

namespace dralvo::sql {

struct StatementKind {
  // The verb of the first statement in lower case: "select", "insert",
  // "update", "delete", or its first word otherwise ("drop", "do",
  // "pragma"...). A WITH takes the verb of the statement it leads to, or
  // the verb of a query inside it that changes rows; a select that writes
  // its rows into a new table is "select into". Empty for no words.
  std::string verb;
  int statements = 0;  // statements holding words; ";" at the top separates them
};

StatementKind ReadStatementKind(std::string_view sql, const std::vector<Token>& tokens);
StatementKind ReadStatementKind(std::string_view sql, const LexicalRules& rules = {});

}  // namespace dralvo::sql
