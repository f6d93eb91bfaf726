#pragma once
// Checks the stored statements of an update object against the live
// database of its dataset, without changing a row: each statement is
// prepared and never run, its parameters are matched to the dataset's
// fields, its table and columns looked up (they may have been renamed or
// dropped since the statement was written), and the where clause of the
// modify, delete and refresh statements must pin a key of the table, so
// that one statement reaches at most one row.
#include <string>
#include <vector>

namespace dralvo {

class TDVDataSetUpdateObject;

struct TDVCheckFinding {
  std::string Statement;      // "refresh", "modify", "insert", "delete"; empty: the object as a whole
  std::string Problem;        // what is wrong, names as written
  std::string ServerMessage;  // the server's own words, when it said any
  bool Unchecked = false;     // nothing could be checked (no dataset, no database, no connection)
};

struct TDVCheckResult {
  int Statements = 0;  // non-empty statements looked at
  std::vector<TDVCheckFinding> Findings;
};

TDVCheckResult CheckUpdateObject(TDVDataSetUpdateObject& update);

}  // namespace dralvo
