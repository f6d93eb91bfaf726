#pragma once
// What applying a dataset's edits ran, one line a statement, as the Data
// view shows it: the statement, the rows it touched (or what went wrong),
// its text on one line and each parameter with its value.
#include <string>
#include <vector>

#include "dralvo/ApplyUpdates.h"

namespace designer {

// "modify: 1 row changed: update orders set note = :note where id = :OLD_id
// (:note = 'x', :OLD_id = 7)".
std::vector<std::string> AppliedStatementLines(const dralvo::TDVApplyResult& result);

}  // namespace designer
