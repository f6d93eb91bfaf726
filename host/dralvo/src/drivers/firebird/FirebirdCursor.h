#pragma once
// Firebird's cursor: the statement prepared and run once, its rows fetched
// from the engine or server as they are asked for. Outside a transaction
// the database started, it reads in a read-only transaction of its own,
// ended with it, so that looking at rows never changes them. Each wait can
// be stopped through the interrupt and lasts at most STATEMENT TIMEOUT
// (FirebirdWatch.h).
#include <ibase.h>

#include <deque>
#include <memory>
#include <string>

#include "../Cursor.h"

namespace dralvo {

class TFirebirdConnection;
class TFirebirdStatement;

class TFirebirdCursor : public TDVCursor {
 public:
  TFirebirdCursor(TFirebirdConnection& owner, const std::string& sql, const std::vector<db::TValue>& params,
                  std::shared_ptr<TDVInterrupt> interrupt);
  ~TFirebirdCursor() override;
  bool Fetch(int count, std::vector<std::vector<db::TValue>>& rows) override;
  // Reads every row left into memory: the transaction it reads in ends.
  void Park();

 private:
  // Reads the next row into `ahead_`; false after the last one.
  bool ReadRow();
  // Drops the statement and ends the cursor's own transaction.
  void Finish();
  [[noreturn]] void FailStatement();

  TFirebirdConnection& owner_;
  std::shared_ptr<TDVInterrupt> interrupt_;
  isc_tr_handle own_ = 0;           // the cursor's own transaction, if any
  isc_tr_handle* tr_ = nullptr;     // the transaction it reads in
  std::unique_ptr<TFirebirdStatement> stmt_;  // null once finished
  std::deque<std::vector<db::TValue>> ahead_;  // read, not yet handed over
};

}  // namespace dralvo
