#pragma once
// One prepared MariaDB statement (the binary protocol): parameters travel
// bound, apart from the text; result values are fetched as text and typed by
// their column. Closed when the object goes.
#include <string>
#include <vector>

#include "Driver.h"

struct st_mysql;
struct st_mysql_stmt;

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

  std::string Error() const;
  unsigned ErrorNumber() const;

 private:
  bool Fetch(TDVResult& result);

  st_mysql_stmt* stmt_ = nullptr;
  std::string initError_;
};

}  // namespace dralvo
