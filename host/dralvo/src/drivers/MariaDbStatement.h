#pragma once
// One prepared MariaDB statement (the binary protocol): parameters travel
// bound, apart from the text; result values are fetched as text and typed by
// their column. Closed when the object goes.
#include <string>
#include <vector>

#include "Driver.h"

struct st_mysql;
struct st_mysql_stmt;
struct st_mysql_bind;

namespace dralvo {

class TMariaDbStatement {
 public:
  // False from Prepare leaves the server's message in Error().
  explicit TMariaDbStatement(st_mysql* conn);
  ~TMariaDbStatement();
  TMariaDbStatement(const TMariaDbStatement&) = delete;
  TMariaDbStatement& operator=(const TMariaDbStatement&) = delete;

  bool Prepare(const std::string& sql);
  // The result columns a prepared statement will give (none for a
  // statement without a result set).
  std::vector<TDVColumnDesc> Columns() const;
  // Binds `params` in order, runs and fetches every row; false on error.
  bool Run(const std::vector<db::TValue>& params, TDVResult& result);
  // Prepares `sql` and runs it with `params` in one exchange with the
  // server, then fetches as Run does.
  bool RunDirect(const std::string& sql, const std::vector<db::TValue>& params, TDVResult& result);

  // The steps of Run, for a caller that runs and fetches itself (a cursor):
  // the parameters bound (kept until the statement runs); after running,
  // the result buffers bound for `columns`; after each fetch that gave a
  // row, the row (false on error).
  bool BindParams(const std::vector<db::TValue>& params);
  bool BindResult(const std::vector<TDVColumnDesc>& columns);
  bool TakeRow(std::vector<db::TValue>& row);

  st_mysql_stmt* Handle() const { return stmt_; }
  std::string Error() const;
  unsigned ErrorNumber() const;

 private:
  struct TColumnBuffer;
  // What a statement that ran gives: its rows, or the rows it changed.
  bool Fetch(TDVResult& result);

  st_mysql_stmt* stmt_ = nullptr;
  std::string initError_;
  // The values bound to the parameters, and how.
  std::vector<int64_t> ints_;
  std::vector<double> floats_;
  std::vector<std::string> texts_;
  std::vector<st_mysql_bind> paramBinds_;
  // What each fetch fills: one buffer a result column, and its type.
  std::vector<db::TFieldType> types_;
  std::vector<TColumnBuffer> buffers_;
  std::vector<st_mysql_bind> resultBinds_;
};

}  // namespace dralvo
