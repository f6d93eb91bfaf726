#include "FirebirdCursor.h"

#include <algorithm>

#include "FirebirdConnection.h"
#include "FirebirdStatement.h"
#include "FirebirdWatch.h"
#include "dralvo/Consts.h"

namespace dralvo {

TFirebirdCursor::TFirebirdCursor(TFirebirdConnection& owner, const std::string& sql,
                                 const std::vector<db::TValue>& params, std::shared_ptr<TDVInterrupt> interrupt)
    : owner_(owner), interrupt_(std::move(interrupt)) {
  if (interrupt_->Requested()) owner_.RaiseServerError(SQueryCancelled);
  tr_ = owner_.StatementTransaction(own_, true);
  if (tr_ == &owner_.tr_) owner_.onTransaction_.push_back(this);
  try {
    stmt_ = std::make_unique<TFirebirdStatement>(&owner_.db_);
    TFirebirdWatch::TScope watched(*owner_.watch_, interrupt_.get(), owner_.waits_.StatementMs);
    if (!stmt_->Prepare(tr_, sql)) FailStatement();
    if (stmt_->ParamCount() != static_cast<int>(params.size()))
      owner_.RaiseServerError("the statement takes " + std::to_string(stmt_->ParamCount()) + " parameters, " +
                              std::to_string(params.size()) + " given");
    if (!stmt_->Bind(tr_, params) || !stmt_->Execute(tr_)) FailStatement();
    columns_ = stmt_->Columns();
  } catch (...) {
    Finish();
    throw;
  }
}

TFirebirdCursor::~TFirebirdCursor() { Finish(); }

void TFirebirdCursor::Finish() {
  stmt_.reset();
  std::erase(owner_.onTransaction_, this);
  owner_.End(own_, true, false);
  tr_ = nullptr;
}

void TFirebirdCursor::FailStatement() {
  // The status outlives the statement it came from.
  const TFirebirdStatus status = stmt_->Status();
  Finish();
  owner_.Fail(status);
}

bool TFirebirdCursor::ReadRow() {
  ahead_.emplace_back();
  const int got = stmt_->Fetch(tr_, ahead_.back());
  if (got > 0) return true;
  ahead_.pop_back();
  if (got < 0) FailStatement();
  Finish();
  return false;
}

bool TFirebirdCursor::Fetch(int count, std::vector<std::vector<db::TValue>>& rows) {
  if (stmt_ != nullptr && (count < 1 || static_cast<size_t>(count) > ahead_.size())) {
    // One watched wait for the packet.
    TFirebirdWatch::TScope watched(*owner_.watch_, interrupt_.get(), owner_.waits_.StatementMs);
    while (stmt_ != nullptr && (count < 1 || static_cast<size_t>(count) > ahead_.size()) && ReadRow()) {
    }
  }
  for (int n = 0; (count < 1 || n < count) && !ahead_.empty(); ++n) {
    rows.push_back(std::move(ahead_.front()));
    ahead_.pop_front();
  }
  return !ahead_.empty() || stmt_ != nullptr;
}

void TFirebirdCursor::Park() {
  if (stmt_ == nullptr) return;
  TFirebirdWatch::TScope watched(*owner_.watch_, interrupt_.get(), owner_.waits_.StatementMs);
  while (stmt_ != nullptr && ReadRow()) {
  }
}

}  // namespace dralvo
