#include "MariaDbCursor.h"

#include <mysql.h>
#include <mysqld_error.h>

#include "MariaDbConnection.h"
#include "MariaDbStatement.h"
#include "MariaDbWait.h"
#include "dralvo/Consts.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

TMariaDbCursor::TMariaDbCursor(TMariaDbConnection& owner, const std::string& sql,
                               const std::vector<db::TValue>& params, std::shared_ptr<TDVInterrupt> interrupt)
    : owner_(owner), conn_(owner.conn_), interrupt_(std::move(interrupt)) {
  owner_.ParkStream();
  if (interrupt_->Requested()) owner_.Fail(SQueryCancelled, 0);
  stmt_ = std::make_unique<TMariaDbStatement>(conn_);
  MYSQL_STMT* stmt = stmt_->Handle();
  if (stmt == nullptr) FailStatement();
  // The statement limit bounds each wait for the server instead (Await),
  // so that a person may read the first packet as long as they like.
  const std::string text = owner_.waits_.StatementMs > 0 ? "set statement max_statement_time = 0 for " + sql : sql;
  int rc = 0;
  Await([&](int* r) { return mysql_stmt_prepare_start(r, stmt, text.data(), text.size()); },
        [&](int* r, int events) { return mysql_stmt_prepare_cont(r, stmt, events); }, rc);
  if (rc != 0 || !stmt_->BindParams(params)) FailStatement();
  // The server's own reading of the statement, before it runs: on a
  // read-only connection one that gives no rows (a select into a file, a
  // call) is not run.
  if (owner_.ReadOnly() && stmt_->Columns().empty()) {
    Finish();
    return;
  }
  Await([&](int* r) { return mysql_stmt_execute_start(r, stmt); },
        [&](int* r, int events) { return mysql_stmt_execute_cont(r, stmt, events); }, rc);
  if (rc != 0) FailStatement();
  columns_ = stmt_->Columns();
  if (columns_.empty()) {
    Finish();
    return;
  }
  if (!stmt_->BindResult(columns_)) FailStatement();
  streaming_ = true;
  owner_.streaming_ = this;
}

TMariaDbCursor::~TMariaDbCursor() {
  // Rows nobody will read: the server is asked to stop sending them, and
  // closing reads what it sent meanwhile.
  if (streaming_) owner_.StopRunning()();
  EndStream();
  stmt_.reset();
}

void TMariaDbCursor::Await(const std::function<int(int*)>& start, const std::function<int(int*, int)>& cont,
                           int& result) {
  TMariaDbWait wait(conn_, *interrupt_, owner_.waits_.StatementMs, owner_.StopRunning());
  wait.Run([&] { return start(&result); }, [&](int events) { return cont(&result, events); });
  stopSent_ = stopSent_ || wait.StopSent();
  limitReached_ = limitReached_ || wait.LimitReached();
}

void TMariaDbCursor::FailStatement() {
  std::string message = stmt_ != nullptr ? stmt_->Error() : std::string("out of memory");
  unsigned error = stmt_ != nullptr ? stmt_->ErrorNumber() : 0;
  // An error while reading rows is left on the connection, not the statement.
  if (error == 0 && mysql_errno(conn_) != 0) {
    message = mysql_error(conn_);
    error = mysql_errno(conn_);
  }
  EndStream();
  stmt_.reset();
  // The server's own time-out interrupts a statement too; only a stop that
  // was asked for is a cancel.
  if (error == ER_QUERY_INTERRUPTED && limitReached_)
    owner_.RaiseServerError(rtl::Format(SWaitLimitReached, {int64_t{owner_.waits_.StatementMs}}), true);
  if (error == ER_QUERY_INTERRUPTED && (stopSent_ || interrupt_->Requested())) owner_.Fail(SQueryCancelled, 0);
  owner_.Fail(message, error);
}

void TMariaDbCursor::Finish() {
  EndStream();
  if (stmt_ == nullptr) return;
  // A CALL's further results (its status at least) are read and dropped.
  MYSQL_STMT* stmt = stmt_->Handle();
  while (mysql_stmt_more_results(stmt) && mysql_stmt_next_result(stmt) == 0) mysql_stmt_free_result(stmt);
  stmt_.reset();
}

void TMariaDbCursor::EndStream() {
  streaming_ = false;
  if (owner_.streaming_ == this) owner_.streaming_ = nullptr;
}

bool TMariaDbCursor::ReadRow() {
  MYSQL_STMT* stmt = stmt_->Handle();
  int rc = 0;
  Await([&](int* r) { return mysql_stmt_fetch_start(r, stmt); },
        [&](int* r, int events) { return mysql_stmt_fetch_cont(r, stmt, events); }, rc);
  if (rc == 0 || rc == MYSQL_DATA_TRUNCATED) {
    ahead_.emplace_back();
    if (!stmt_->TakeRow(ahead_.back())) FailStatement();
    return true;
  }
  if (rc == MYSQL_NO_DATA) {
    Finish();
    return false;
  }
  FailStatement();
}

bool TMariaDbCursor::Fetch(int count, std::vector<std::vector<db::TValue>>& rows) {
  for (int n = 0; count < 1 || n < count; ++n) {
    if (ahead_.empty() && !(streaming_ && ReadRow())) break;
    rows.push_back(std::move(ahead_.front()));
    ahead_.pop_front();
  }
  return !ahead_.empty() || streaming_;
}

void TMariaDbCursor::Park() {
  while (streaming_ && ReadRow()) {
  }
}

}  // namespace dralvo
