#include "SQLiteCursor.h"

#include <sqlite3.h>

#include "../Errors.h"
#include "dralvo/Consts.h"

namespace dralvo {

namespace {
// The progress handler, not sqlite3_interrupt: that one stops every
// statement of the connection until none is running, and other datasets'
// statements stay open between their packets.
int StopWhenRequested(void* interrupt) { return static_cast<TDVInterrupt*>(interrupt)->Requested() ? 1 : 0; }

// Instructions between two looks at the interrupt.
constexpr int kProgressSteps = 1000;
}  // namespace

TSQLiteCursor::TSQLiteCursor(sqlite3* db, const std::string& file, const std::string& sql,
                             const std::vector<db::TValue>& params, std::shared_ptr<TDVInterrupt> interrupt)
    : db_(db), file_(file), stmt_(std::make_unique<TSQLiteStatement>(db, sql, file)), interrupt_(std::move(interrupt)) {
  stmt_->Bind(params);
  columns_ = stmt_->Columns(false);
  rowReady_ = Step();
  // Columns without a declared type take the type of the first value.
  TDVResult first;
  first.Columns = columns_;
  if (rowReady_) first.Rows.push_back(stmt_->Row());
  stmt_->FillMissingTypes(first);
  columns_ = std::move(first.Columns);
  if (!rowReady_) stmt_.reset();
}

bool TSQLiteCursor::Step() {
  sqlite3_progress_handler(db_, kProgressSteps, &StopWhenRequested, interrupt_.get());
  try {
    if (interrupt_->Requested()) RaiseDatabaseError(SServerError, {std::string("SQLite"), file_, std::string(SQueryCancelled)});
    const bool row = stmt_->Step();
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    return row;
  } catch (...) {
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    stmt_.reset();
    rowReady_ = false;
    if (interrupt_->Requested())
      RaiseDatabaseError(SServerError, {std::string("SQLite"), file_, std::string(SQueryCancelled)});
    throw;
  }
}

bool TSQLiteCursor::Fetch(int count, std::vector<std::vector<db::TValue>>& rows) {
  for (int n = 0; rowReady_ && (count < 1 || n < count); ++n) {
    rows.push_back(stmt_->Row());
    rowReady_ = Step();
  }
  // A finished statement gives its read lock back at once.
  if (!rowReady_) stmt_.reset();
  return rowReady_;
}

}  // namespace dralvo
