#pragma once
// What an update object's statement names: its table, the columns it reads
// or writes, and the columns its where clause pins to one value each. Read
// from the text alone, for checking a stored statement against the server.
#include <string>
#include <string_view>
#include <vector>

#include "dralvo/SqlParser.h"

namespace dralvo::sql {

struct WrittenName {
  std::string name;     // quotes removed, doubled quotes undone
  bool quoted = false;  // written in quotes: the server takes it exactly
  std::string_view written;  // as written, quotes included (points into the text read)
  size_t offset = 0;    // byte offset of the name in the text
};

struct UpdateStatement {
  bool ok = false;      // an update, insert, delete or select of one table was read
  std::string table;    // as written, owner and quotes included
  size_t tableOffset = 0;
  std::vector<WrittenName> columns;  // set targets, insert list, select list, where
  // Columns compared with "=" in terms of the where clause joined by AND
  // alone; empty when an OR at the top joins them (no term then holds
  // for every row changed).
  std::vector<WrittenName> pinned;
  bool hasWhere = false;
  size_t whereOffset = 0;  // byte offset of WHERE
};

// From the text's tokens (Tokenize), read already.
UpdateStatement ReadUpdateStatement(std::string_view sql, const std::vector<Token>& tokens);

}  // namespace dralvo::sql
