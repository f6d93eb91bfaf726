#pragma once
// PostgreSQL's cursor: the query sent once and its rows read one at a time
// (libpq's single-row mode), so the server streams them as they are asked
// for. The connection carries one such stream: before anything else runs on
// it, the open cursor reads its remaining rows ahead (Park).
#include <chrono>
#include <deque>
#include <memory>
#include <string>

#include "Cursor.h"

struct pg_conn;
struct pg_result;

namespace dralvo {

class TPgConnection;

class TPgCursor : public TDVCursor {
 public:
  // Sends the query and waits for its first row or its end.
  TPgCursor(TPgConnection& owner, const std::string& sql, const std::vector<db::TValue>& params,
            std::shared_ptr<TDVInterrupt> interrupt);
  ~TPgCursor() override;
  bool Fetch(int count, std::vector<std::vector<db::TValue>>& rows) override;
  // Reads every row left into memory, freeing the connection.
  void Park();
  // Forgets the connection's stream (the connection is going).
  void EndStream();

 private:
  // The next result, waiting at most kAnswerTimeoutMs for the server to say
  // anything and sending a cancel request when the interrupt asks or the
  // wait reaches the statement limit (the statement runs without the
  // server's own, which would count a person's pauses between packets).
  pg_result* NextResult();
  // One slice of that wait, from `began`; false when the connection broke.
  bool AwaitInput(std::chrono::steady_clock::time_point began, int& silentMs);
  // A COPY answers with data, not rows: its input is ended, or its output
  // read to its end, so that the connection takes the next statement.
  void EndCopy(pg_result* copy);
  // Takes one result of the stream; false at its end.
  bool Take(pg_result* res);
  // Reads the stream to its end (the server has stopped or was cancelled).
  void Drain();

  TPgConnection& owner_;
  pg_conn* conn_;
  std::shared_ptr<TDVInterrupt> interrupt_;
  std::deque<std::vector<db::TValue>> ahead_;  // read, not yet handed over
  bool streaming_ = false;
  bool cancelSent_ = false;
  bool limitReached_ = false;  // a wait reached the statement limit
};

}  // namespace dralvo
