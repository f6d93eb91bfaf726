#pragma once
// A query whose records are read a packet at a time. The server's statement
// stays open between packets, so memory holds only what was fetched.
#include <atomic>
#include <vector>

#include "Driver.h"

namespace dralvo {

// Stops a running statement from another thread. A request stands until
// the dataset that made it resets it after its open or fetch, so one made
// just before the statement starts stops it too. Drivers look at it while
// they wait (SQLite's progress handler, PostgreSQL's and MariaDB's waits
// for an answer).
class TDVInterrupt {
 public:
  void Request() { requested_ = true; }
  bool Requested() const { return requested_; }
  void Reset() { requested_ = false; }

 private:
  std::atomic<bool> requested_{false};
};

class TDVCursor {
 public:
  TDVCursor() = default;
  TDVCursor(const TDVCursor&) = delete;
  TDVCursor& operator=(const TDVCursor&) = delete;
  virtual ~TDVCursor() = default;

  // The result columns (none: the statement gives no records).
  const std::vector<TDVColumnDesc>& Columns() const { return columns_; }
  // Appends up to `count` records (below 1: all); false once the last one
  // has been read, when the statement is finished on the server.
  virtual bool Fetch(int count, std::vector<std::vector<db::TValue>>& rows) = 0;

 protected:
  std::vector<TDVColumnDesc> columns_;
};

}  // namespace dralvo
