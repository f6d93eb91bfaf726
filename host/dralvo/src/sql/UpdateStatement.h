#pragma once
// What an update object's statement names: its table, the columns it reads
// or writes, and the columns its where clause pins to one value each. Read
// from the text alone, for checking a stored statement against the server.
#include <string>
#include <vector>

namespace dralvo::sql {

struct WrittenName {
  std::string name;     // quotes removed, doubled quotes undone
  bool quoted = false;  // written in quotes: the server takes it exactly
};

struct UpdateStatement {
  bool ok = false;      // an update, insert, delete or select of one table was read
  std::string table;    // as written, owner and quotes included
  std::vector<WrittenName> columns;  // set targets, insert list, select list, where
  // Columns compared with "=" in terms of the where clause joined by AND
  // alone; empty when an OR at the top joins them (no term then holds
  // for every row changed).
  std::vector<WrittenName> pinned;
  bool hasWhere = false;
};

UpdateStatement ReadUpdateStatement(const std::string& sql);

}  // namespace dralvo::sql
