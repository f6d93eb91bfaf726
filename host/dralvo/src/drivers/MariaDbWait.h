#pragma once
// A wait on the MariaDB server that a request to stop can end: one call of
// the client library's non-blocking API run to its end, the socket watched
// in short slices. When the dataset's interrupt is requested meanwhile, the
// server is asked to stop the statement (over a second connection, whose
// waits the connect and read time-outs bound); the call then ends with the
// server's "query execution was interrupted". A call that waits longer than `limitMs` is
// stopped the same way (a cursor's statement runs without the server's own
// limit, which would count a person's pauses between packets too). The
// library's read time-out still bounds a server that says nothing.
#include <functional>

#include "Cursor.h"

struct st_mysql;

namespace dralvo {

class TMariaDbWait {
 public:
  // `stop` asks the server to stop what `conn` runs. `limitMs` 0: no limit
  // of the wait's own.
  TMariaDbWait(st_mysql* conn, const TDVInterrupt& interrupt, int limitMs, std::function<void()> stop);
  TMariaDbWait(const TMariaDbWait&) = delete;
  TMariaDbWait& operator=(const TMariaDbWait&) = delete;

  // `start` begins the call and `cont` goes on with the events seen; each
  // returns the library's wait status, 0 once the call is done.
  void Run(const std::function<int()>& start, const std::function<int(int)>& cont);
  // Whether the server was asked to stop (the call's error is then the
  // stop), and whether because the wait reached its limit.
  bool StopSent() const { return stopSent_; }
  bool LimitReached() const { return limitReached_; }

 private:
  st_mysql* conn_;
  const TDVInterrupt& interrupt_;
  int limitMs_;
  std::function<void()> stop_;
  bool stopSent_ = false;
  bool limitReached_ = false;
};

}  // namespace dralvo
