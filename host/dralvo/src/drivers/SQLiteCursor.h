#pragma once
// SQLite's cursor: the prepared statement stepped a packet at a time.
#include <memory>
#include <string>

#include "Cursor.h"
#include "SQLiteStatement.h"

namespace dralvo {

class TSQLiteCursor : public TDVCursor {
 public:
  // Runs the statement up to its first record.
  TSQLiteCursor(sqlite3* db, const std::string& file, const std::string& sql, const std::vector<db::TValue>& params,
                std::shared_ptr<TDVInterrupt> interrupt);
  bool Fetch(int count, std::vector<std::vector<db::TValue>>& rows) override;

 private:
  // Steps once, stopping when the interrupt is requested.
  bool Step();

  sqlite3* db_;
  std::string file_;
  std::unique_ptr<TSQLiteStatement> stmt_;  // null once finished
  std::shared_ptr<TDVInterrupt> interrupt_;
  bool rowReady_ = false;
};

}  // namespace dralvo
