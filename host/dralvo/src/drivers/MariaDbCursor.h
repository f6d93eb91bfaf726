#pragma once
// MariaDB's cursor: the statement prepared and run once, its rows read from
// the server one at a time as they are asked for (an unbuffered result of
// the binary protocol), so that the server sends them as they are read.
// The connection carries one such stream: before anything else runs on it,
// the open cursor reads its remaining rows ahead (Park). Opening and each
// read can be stopped through the interrupt (MariaDbWait.h).
#include <deque>
#include <memory>
#include <string>

#include "Cursor.h"

struct st_mysql;

namespace dralvo {

class TMariaDbConnection;
class TMariaDbStatement;

class TMariaDbCursor : public TDVCursor {
 public:
  // Prepares and runs the statement; its rows are read by Fetch. On a
  // read-only connection a statement without result columns is prepared
  // only.
  TMariaDbCursor(TMariaDbConnection& owner, const std::string& sql, const std::vector<db::TValue>& params,
                 std::shared_ptr<TDVInterrupt> interrupt);
  ~TMariaDbCursor() override;
  bool Fetch(int count, std::vector<std::vector<db::TValue>>& rows) override;
  // Reads every row left into memory, freeing the connection.
  void Park();
  // Forgets the connection's stream (the connection is going).
  void EndStream();

 private:
  // Reads the next row into `ahead_`; false at the end of the rows.
  bool ReadRow();
  // Runs one non-blocking call of the statement, stoppable.
  void Await(const std::function<int(int*)>& start, const std::function<int(int*, int)>& cont, int& result);
  // Raises the statement's error, or that it was stopped, after ending the
  // stream.
  [[noreturn]] void FailStatement();
  // Closes the statement; the client library reads and drops what the
  // server still sends.
  void Finish();

  TMariaDbConnection& owner_;
  st_mysql* conn_;
  std::shared_ptr<TDVInterrupt> interrupt_;
  std::unique_ptr<TMariaDbStatement> stmt_;  // null once finished
  std::deque<std::vector<db::TValue>> ahead_;  // read, not yet handed over
  bool streaming_ = false;
  bool stopSent_ = false;
  bool limitReached_ = false;
};

}  // namespace dralvo
