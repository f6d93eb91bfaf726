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

// What a finding is about; each kind has a stable rule id (FindingRuleId)
// for output that programs read.
enum class TDVFindingKind {
  NotChecked,             // nothing could be checked (no dataset, no database, no connection, a wait ran out)
  DataSetNotDescribed,    // the dataset's own SQL: its fields cannot be matched
  WrongStatementKind,     // another kind of statement than the slot runs, or several
  NotAccepted,            // the server refuses the statement, and no table or column explains why
  UnknownTable,
  UnknownColumn,
  ParameterWithoutField,  // a parameter no field of the dataset gives a value
  WhereWithoutKey,        // the where clause may reach more than one row
};

// "not-checked", "dataset-not-described", "wrong-statement-kind",
// "not-accepted", "unknown-table", "unknown-column",
// "parameter-without-field", "where-without-key".
const char* FindingRuleId(TDVFindingKind kind);

struct TDVCheckFinding {
  TDVFindingKind Kind = TDVFindingKind::NotChecked;
  std::string Statement;      // "refresh", "modify", "insert", "delete"; empty: the object as a whole
  std::string Problem;        // what is wrong, names as written (the text output's words)
  std::string ServerMessage;  // the server's own words, when it said any
  // The parameter, column or table the finding is about, as the statement
  // writes it (":name", "\"Order Id\"", "dbo.orders"); empty when it is
  // about the whole statement or object.
  std::string Subject;
  // Where in the statement's text: 1-based line and column (characters) of
  // the subject; of the WHERE for a where clause that pins no key (of the
  // table when there is none); 1, 1 for the whole statement; 0, 0 for
  // the object as a whole.
  int Line = 0;
  int Column = 0;

  bool Unchecked() const { return Kind == TDVFindingKind::NotChecked; }
};

struct TDVCheckResult {
  int Statements = 0;  // non-empty statements looked at
  std::vector<TDVCheckFinding> Findings;
};

TDVCheckResult CheckUpdateObject(TDVDataSetUpdateObject& update);

}  // namespace dralvo
