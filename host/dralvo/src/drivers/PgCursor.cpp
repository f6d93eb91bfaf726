#include "PgCursor.h"

#include <libpq-fe.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "../Errors.h"
#include "PgConnection.h"
#include "PgTypes.h"
#include "dralvo/Consts.h"

namespace dralvo {

namespace {
// How long the server may say nothing at all before the connection is
// given up: a silent server must not hold the designer for ever.
constexpr int kAnswerTimeoutMs = 60000;
// How often the wait looks at the interrupt.
constexpr int kSliceMs = 50;

// The cancel request opens a connection of its own and may itself wait on
// a server that does not answer, so it is sent from a thread of its own.
void SendCancel(PGconn* conn) {
  PGcancel* cancel = PQgetCancel(conn);
  if (cancel == nullptr) return;
  std::thread([cancel] {
    char error[256];
    PQcancel(cancel, error, sizeof error);
    PQfreeCancel(cancel);
  }).detach();
}
}  // namespace

TPgCursor::TPgCursor(TPgConnection& owner, const std::string& sql, const std::vector<db::TValue>& params,
                     std::shared_ptr<TDVInterrupt> interrupt)
    : owner_(owner), conn_(owner.conn_), interrupt_(std::move(interrupt)) {
  owner_.ParkStream();
  if (interrupt_->Requested()) owner_.Fail(SQueryCancelled);
  owner_.LiftStatementLimit();
  std::vector<std::string> texts;
  std::vector<const char*> values;
  owner_.ParamTexts(params, texts, values);
  if (PQsendQueryParams(conn_, sql.c_str(), static_cast<int>(params.size()), nullptr, values.data(), nullptr, nullptr,
                        0) == 0)
    owner_.Fail(static_cast<pg_result*>(nullptr));
  PQsetSingleRowMode(conn_);
  streaming_ = true;
  owner_.streaming_ = this;
  PGresult* first = NextResult();
  if (first == nullptr) {
    EndStream();
    return;
  }
  const ExecStatusType status = PQresultStatus(first);
  if (status == PGRES_COPY_OUT || status == PGRES_COPY_IN || status == PGRES_COPY_BOTH) {
    EndCopy(first);  // no columns: no result set
    return;
  }
  for (int c = 0; c < PQnfields(first); ++c) {
    TDVColumnDesc col;
    const char* name = PQfname(first, c);
    col.Name = name != nullptr ? name : "";
    col.DataType = FieldTypeOfPgType(PQftype(first, c));
    columns_.push_back(std::move(col));
  }
  Take(first);
}

TPgCursor::~TPgCursor() {
  if (!streaming_) return;
  // Rows nobody will read: the server is asked to stop sending them.
  try {
    SendCancel(conn_);
    cancelSent_ = true;
    Drain();
  } catch (...) {
    EndStream();
  }
}

bool TPgCursor::AwaitInput(std::chrono::steady_clock::time_point began, int& silentMs) {
  const int limitMs = owner_.statementMs_;
  if (!cancelSent_ && limitMs > 0 && std::chrono::steady_clock::now() - began >= std::chrono::milliseconds(limitMs))
    limitReached_ = true;
  if (!cancelSent_ && (limitReached_ || interrupt_->Requested())) {
    SendCancel(conn_);
    cancelSent_ = true;
  }
  pollfd wait{PQsocket(conn_), POLLIN, 0};
  const int ready = poll(&wait, 1, kSliceMs);
  if (ready < 0 && errno != EINTR) return false;
  if (ready > 0) {
    silentMs = 0;
    return PQconsumeInput(conn_) != 0;
  }
  silentMs += kSliceMs;
  if (silentMs >= kAnswerTimeoutMs) {
    // Closing the socket ends the stream: libpq then reports the
    // connection lost, now and to every later call.
    shutdown(PQsocket(conn_), SHUT_RDWR);
    EndStream();
    owner_.Fail(rtl::Format(SServerSilent, {int64_t{kAnswerTimeoutMs / 1000}}));
  }
  return true;
}

PGresult* TPgCursor::NextResult() {
  const auto began = std::chrono::steady_clock::now();
  int silentMs = 0;
  while (PQisBusy(conn_) != 0)
    if (!AwaitInput(began, silentMs)) break;  // the connection broke: PQgetResult says how
  return PQgetResult(conn_);
}

void TPgCursor::EndCopy(PGresult* copy) {
  const ExecStatusType status = PQresultStatus(copy);
  PQclear(copy);
  if (status == PGRES_COPY_IN) {
    PQputCopyEnd(conn_, "not a query");
  } else {
    // Read rather than cancelled: a cancel arriving late would stop the
    // connection's next statement. A stop asked for, or the statement
    // limit, still cancels it.
    const auto began = std::chrono::steady_clock::now();
    int silentMs = 0;
    for (;;) {
      char* data = nullptr;
      const int got = PQgetCopyData(conn_, &data, 1);
      PQfreemem(data);
      if (got > 0 || (got == 0 && AwaitInput(began, silentMs))) continue;
      break;  // the end of the data, or a broken connection
    }
  }
  Drain();
}

bool TPgCursor::Take(PGresult* res) {
  const ExecStatusType status = PQresultStatus(res);
  if (status == PGRES_SINGLE_TUPLE) {
    const int fields = PQnfields(res);
    std::vector<db::TValue> row;
    row.reserve(static_cast<size_t>(fields));
    for (int c = 0; c < fields; ++c) {
      if (PQgetisnull(res, 0, c) != 0)
        row.emplace_back();
      else
        row.push_back(PgValue(PQftype(res, c), PQgetvalue(res, 0, c), static_cast<size_t>(PQgetlength(res, 0, c))));
    }
    ahead_.push_back(std::move(row));
    PQclear(res);
    return true;
  }
  if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK) {
    PQclear(res);
    Drain();
    return false;
  }
  // An error: the stream is read to its end before the message is raised,
  // so that the connection can take the next statement; a wait that ran
  // out says so as every statement's does.
  Drain();
  if (limitReached_) {
    PQclear(res);
    owner_.RaiseServerError(rtl::Format(SWaitLimitReached, {int64_t{owner_.statementMs_}}), true);
  }
  if (cancelSent_) {
    PQclear(res);
    owner_.Fail(SQueryCancelled);
  }
  owner_.Fail(res);
}

void TPgCursor::Drain() {
  while (streaming_) {
    PGresult* res = NextResult();
    if (res == nullptr) break;
    PQclear(res);
  }
  EndStream();
}

void TPgCursor::EndStream() {
  streaming_ = false;
  if (owner_.streaming_ == this) owner_.streaming_ = nullptr;
}

bool TPgCursor::Fetch(int count, std::vector<std::vector<db::TValue>>& rows) {
  for (int n = 0; count < 1 || n < count;) {
    if (!ahead_.empty()) {
      rows.push_back(std::move(ahead_.front()));
      ahead_.pop_front();
      ++n;
      continue;
    }
    if (!streaming_) break;
    PGresult* res = NextResult();
    if (res == nullptr) {
      EndStream();
      break;
    }
    Take(res);
  }
  return !ahead_.empty() || streaming_;
}

void TPgCursor::Park() {
  while (streaming_) {
    PGresult* res = NextResult();
    if (res == nullptr) {
      EndStream();
      break;
    }
    Take(res);
  }
}

}  // namespace dralvo
