#pragma once
// Tries an update object's statements on one real row of its dataset. The
// row is read read-only; then, inside one transaction that is always rolled
// back and with the row's values bound, the refresh statement must read
// exactly that row, the modify statement (the row's own values) change
// exactly one row, the delete statement delete exactly one, the insert
// statement (the deleted values) insert exactly one, and the refresh
// statement read the same values again. Nothing is ever committed: a try
// that breaks off leaves its transaction to the rollback, or to the server
// (SQLite: its journal) when the connection or the process ends first.
#include <cstdint>
#include <string>
#include <vector>

namespace dralvo {

class TDVDataSetUpdateObject;

struct TDVTryStep {
  std::string Statement;  // "refresh", "modify", "delete", "insert", "refresh again"
  std::string Verb;       // what its rows were: "read", "changed", "deleted", "inserted"
  bool Ran = false;       // false: not run, the try broke off before (or at) it
  int64_t Rows = -1;      // rows read or written; -1 when the server refused it
  std::string Problem;    // what is wrong; empty when it held
  std::string ServerMessage;
};

struct TDVTryResult {
  std::vector<TDVTryStep> Steps;  // empty when the try could not begin
  // Why the try could not be made or broke off (no such row, a statement
  // missing, a table a rollback would not restore, a lock, the connection
  // lost); empty when every step ran.
  std::string NotTried;
};

// `row` counts from 1. The dataset and its database are closed afterwards.
TDVTryResult TryUpdateObject(TDVDataSetUpdateObject& update, int row);

}  // namespace dralvo
