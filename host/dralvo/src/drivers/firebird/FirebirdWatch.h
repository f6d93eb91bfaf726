#pragma once
// Firebird's client library waits in blocking calls, and Firebird 3 has no
// statement time-out of its own: a thread of the connection's watches each
// call that may wait and stops it through the client library's cancel
// operation when a dataset asks (TDVInterrupt) or the wait reaches its
// limit. A server that does not answer even the cancel has the connection
// closed under the call a few seconds later, so that no wait is endless.
#include <ibase.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace dralvo {

class TDVInterrupt;

class TFirebirdWatch {
 public:
  enum class TStop { None, Asked, Limit };

  // `db` is the attachment's handle; it outlives the watch.
  explicit TFirebirdWatch(isc_db_handle* db) : db_(db) {}
  ~TFirebirdWatch();
  TFirebirdWatch(const TFirebirdWatch&) = delete;
  TFirebirdWatch& operator=(const TFirebirdWatch&) = delete;

  // Watches one call while it lives: `interrupt` may be null, a limit of
  // 0 ms is none.
  class TScope {
   public:
    TScope(TFirebirdWatch& watch, const TDVInterrupt* interrupt, int limitMs);
    ~TScope();
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;

   private:
    TFirebirdWatch& watch_;
  };

  // Why the call watched now was stopped (None outside a watched call).
  TStop LastStop() const;

 private:
  using TClock = std::chrono::steady_clock;
  void Run();

  isc_db_handle* db_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::thread thread_;  // started by the first call that needs it
  bool armed_ = false;
  bool quit_ = false;
  const TDVInterrupt* interrupt_ = nullptr;
  bool hasDeadline_ = false;
  TClock::time_point deadline_;
  TStop stop_ = TStop::None;
  TClock::time_point stoppedAt_;
  bool closed_ = false;
};

}  // namespace dralvo
