#pragma once
// One statement of a Firebird attachment: prepared in a transaction, its
// parameters bound, run, and its rows fetched one at a time. Failures come
// back as the client library's status for the connection to raise.
#include <ibase.h>

#include <string>
#include <vector>

#include "FirebirdSqlda.h"
#include "FirebirdStatus.h"

namespace dralvo {

class TFirebirdStatement {
 public:
  explicit TFirebirdStatement(isc_db_handle* db);
  ~TFirebirdStatement();
  TFirebirdStatement(const TFirebirdStatement&) = delete;
  TFirebirdStatement& operator=(const TFirebirdStatement&) = delete;

  TFirebirdStatus& Status() { return status_; }
  // Prepares `sql` (dialect 3) and describes its parameters and columns.
  bool Prepare(isc_tr_handle* tr, const std::string& sql);
  // isc_info_sql_stmt_select, ..._exec_procedure, ...
  int Type() const { return type_; }
  int ParamCount() const { return params_.Count(); }
  std::vector<TDVColumnDesc> Columns() const { return columns_.Columns(); }
  bool HasRows() const { return type_ == isc_info_sql_stmt_select || type_ == isc_info_sql_stmt_select_for_upd; }
  bool Bind(isc_tr_handle* tr, const std::vector<db::TValue>& values);
  // Runs it; a procedure's output comes back as the one row to read.
  bool Execute(isc_tr_handle* tr);
  // The next row into `row`: 1, or 0 after the last one, or -1 on failure.
  int Fetch(isc_tr_handle* tr, std::vector<db::TValue>& row);
  // Rows inserted, updated or deleted by the last run.
  int64_t RowsChanged();
  // Ends an open result, keeping the statement prepared.
  void CloseCursor();

 private:
  bool Info(char item, std::vector<char>& answer);

  isc_db_handle* db_;
  isc_stmt_handle stmt_ = 0;
  TFirebirdStatus status_;
  TFirebirdSqlda params_;
  TFirebirdSqlda columns_;
  int type_ = 0;
  bool cursorOpen_ = false;
  bool procedureRow_ = false;  // a procedure's output waiting to be read
};

}  // namespace dralvo
