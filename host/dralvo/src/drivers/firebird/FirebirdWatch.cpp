#include "FirebirdWatch.h"

#include "../Cursor.h"

namespace dralvo {

namespace {
// How often an armed watch looks at the interrupt and the clock.
constexpr auto kSlice = std::chrono::milliseconds(50);
// How long a stopped call may take to return before its connection is
// closed under it.
constexpr auto kCloseAfter = std::chrono::seconds(5);
}  // namespace

TFirebirdWatch::~TFirebirdWatch() {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    quit_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
}

TFirebirdWatch::TScope::TScope(TFirebirdWatch& watch, const TDVInterrupt* interrupt, int limitMs) : watch_(watch) {
  std::lock_guard<std::mutex> guard(watch_.mutex_);
  watch_.closed_ = false;
  if (interrupt == nullptr && limitMs <= 0) return;
  watch_.armed_ = true;
  watch_.interrupt_ = interrupt;
  watch_.hasDeadline_ = limitMs > 0;
  watch_.deadline_ = TClock::now() + std::chrono::milliseconds(limitMs);
  if (!watch_.thread_.joinable()) watch_.thread_ = std::thread([w = &watch_] { w->Run(); });
  watch_.wake_.notify_one();
}

TFirebirdWatch::TScope::~TScope() {
  // Under the lock, so that no cancel reaches the attachment after the
  // watched call; a failure after it is no longer the stop's.
  std::lock_guard<std::mutex> guard(watch_.mutex_);
  watch_.armed_ = false;
  watch_.interrupt_ = nullptr;
  watch_.stop_ = TStop::None;
}

TFirebirdWatch::TStop TFirebirdWatch::LastStop() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return stop_;
}

void TFirebirdWatch::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!quit_) {
    if (!armed_ || closed_) {
      wake_.wait(lock);
      continue;
    }
    wake_.wait_for(lock, kSlice);
    if (!armed_ || quit_) continue;
    const TClock::time_point now = TClock::now();
    ISC_STATUS_ARRAY status;
    if (stop_ == TStop::None) {
      if (interrupt_ != nullptr && interrupt_->Requested())
        stop_ = TStop::Asked;
      else if (hasDeadline_ && now >= deadline_)
        stop_ = TStop::Limit;
      if (stop_ == TStop::None) continue;
      stoppedAt_ = now;
      fb_cancel_operation(status, db_, fb_cancel_raise);
    } else if (now - stoppedAt_ >= kCloseAfter) {
      closed_ = true;
      fb_cancel_operation(status, db_, fb_cancel_abort);
    }
  }
}

}  // namespace dralvo
