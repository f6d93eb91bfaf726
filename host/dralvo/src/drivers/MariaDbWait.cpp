#include "MariaDbWait.h"

#include <mysql.h>
#include <poll.h>

#include <cerrno>
#include <chrono>

namespace dralvo {

namespace {
// How often the wait looks at the interrupt.
constexpr int kSliceMs = 50;

short PollEvents(int status) {
  short events = 0;
  if ((status & MYSQL_WAIT_READ) != 0) events |= POLLIN;
  if ((status & MYSQL_WAIT_WRITE) != 0) events |= POLLOUT;
  if ((status & MYSQL_WAIT_EXCEPT) != 0) events |= POLLPRI;
  return events;
}

// What the library waited for and the socket now allows; a closed or
// broken socket counts as ready, so that the library meets the error.
int Happened(int status, short revents) {
  int happened = 0;
  if ((revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) != 0) happened |= status & MYSQL_WAIT_READ;
  if ((revents & (POLLOUT | POLLHUP | POLLERR | POLLNVAL)) != 0) happened |= status & MYSQL_WAIT_WRITE;
  if ((revents & POLLPRI) != 0) happened |= status & MYSQL_WAIT_EXCEPT;
  return happened;
}
}  // namespace

TMariaDbWait::TMariaDbWait(MYSQL* conn, const TDVInterrupt& interrupt, int limitMs, std::function<void()> stop)
    : conn_(conn), interrupt_(interrupt), limitMs_(limitMs), stop_(std::move(stop)) {}

void TMariaDbWait::Run(const std::function<int()>& start, const std::function<int(int)>& cont) {
  const auto began = std::chrono::steady_clock::now();
  int status = start();
  unsigned silentMs = 0;
  while (status != 0) {
    if (!stopSent_ && limitMs_ > 0 && std::chrono::steady_clock::now() - began >= std::chrono::milliseconds(limitMs_))
      limitReached_ = true;
    if (!stopSent_ && (limitReached_ || interrupt_.Requested())) {
      stopSent_ = true;
      stop_();
    }
    pollfd wait{mysql_get_socket(conn_), PollEvents(status), 0};
    const int ready = poll(&wait, 1, kSliceMs);
    int happened = 0;
    if (ready > 0) {
      happened = Happened(status, wait.revents);
      silentMs = 0;
    } else if (ready < 0 && errno != EINTR) {
      happened = status & (MYSQL_WAIT_READ | MYSQL_WAIT_WRITE);  // the library meets the error
    } else {
      silentMs += kSliceMs;
      if ((status & MYSQL_WAIT_TIMEOUT) == 0 || silentMs < mysql_get_timeout_value_ms(conn_)) continue;
      happened = MYSQL_WAIT_TIMEOUT;  // the library reports the time-out
    }
    if (happened == 0) continue;
    status = cont(happened);
  }
}

}  // namespace dralvo
