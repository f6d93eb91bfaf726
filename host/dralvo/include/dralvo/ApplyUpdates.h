#pragma once
// Writes a dataset's cached updates (db::TDataSet::SetCachedUpdates)
// through its update object: each change runs its statement, with the
// record's new values and its OLD_ values as read, on a connection of its
// own, all in one transaction that is committed only when every statement
// touched exactly one row, and rolled back otherwise. After the commit the
// refresh statement reads each written record again, so that it shows what
// the server stored (defaults, triggers, generated columns).
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "db/Value.h"

namespace dralvo {

class TDVDataSet;

struct TDVAppliedStatement {
  std::string Statement;  // "modify", "insert", "delete", or "refresh" after the commit
  std::string Sql;        // as the update object holds it
  std::vector<std::pair<std::string, db::TValue>> Params;  // in the order the text names them
  int64_t Rows = -1;      // rows it touched; -1 when the server refused it
  std::string Problem;    // empty: it touched exactly one row
  std::string ServerMessage;
};

struct TDVApplyResult {
  std::vector<TDVAppliedStatement> Statements;  // as run, the one that failed last
  bool Committed = false;
  // Why nothing was written (a statement that touched no row or several, one
  // the server refused, a table a rollback would not restore, no update
  // object); empty when the changes were committed.
  std::string Refusal;
};

// Nothing pending: committed, no statement. The dataset keeps its changes
// when they were not committed, and forgets them (CommitUpdates) when they
// were.
TDVApplyResult ApplyCachedUpdates(TDVDataSet& dataSet);

}  // namespace dralvo
