#pragma once
// The module both `check` benchmarks check: one query with an update object
// of four statements per table, and the same statements as the server takes
// them, for preparing directly.
#include <string>
#include <vector>

#include "dralvo/Engine.h"

namespace dvbench {

struct TCheckedTables {
  std::vector<dralvo::TDVUpdateSQL*> Updates;
  std::vector<std::string> Statements;  // with "?" markers, four per table
};

// Adds, under `owner`, a query on each of the tables t0 .. t<count - 1>
// (id, code, name, qty, price) of the database named `database`.
TCheckedTables AddCheckedTables(rtl::TComponent* owner, const std::string& database, int count);

}  // namespace dvbench
