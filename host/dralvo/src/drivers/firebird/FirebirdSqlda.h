#pragma once
// An XSQLDA (the client library's description of a statement's parameters
// or result columns) with room for its values, and the values turned into
// the runtime's and back. Blobs are read and written whole through the
// attachment and transaction given.
#include <ibase.h>

#include <memory>
#include <string>
#include <vector>

#include "db/Value.h"
#include "dralvo/Result.h"

namespace dralvo {

class TFirebirdStatus;

class TFirebirdSqlda {
 public:
  explicit TFirebirdSqlda(int count = 1);

  XSQLDA* Get() { return sqlda_.get(); }
  // Entries the statement has (may exceed the room, see Fits).
  int Count() const { return sqlda_->sqld; }
  // Whether the room covers every entry; else the caller makes room for
  // Count() entries and describes again.
  bool Fits() const { return sqlda_->sqld <= sqlda_->sqln; }

  // The result columns as the runtime describes them.
  std::vector<TDVColumnDesc> Columns() const;
  // Room for one row of the described columns.
  void MakeRoom();
  // The values of the row just fetched; false with `status` set when a
  // blob could not be read.
  bool Row(isc_db_handle* db, isc_tr_handle* tr, std::vector<db::TValue>& row, TFirebirdStatus& status) const;
  // Each parameter set from `values` (as many as Count()): null, a whole
  // number, a float, or text the server converts to the parameter's type;
  // text for a blob is written into a new blob first. False with `status`
  // set when a blob could not be written.
  bool Bind(const std::vector<db::TValue>& values, isc_db_handle* db, isc_tr_handle* tr, TFirebirdStatus& status);

 private:
  struct TDeleter {
    void operator()(XSQLDA* p) const { ::operator delete(p); }
  };
  // Room for `bytes` in the block, aligned for any value.
  char* Slot(size_t entry, size_t bytes);

  std::unique_ptr<XSQLDA, TDeleter> sqlda_;
  std::vector<std::unique_ptr<int64_t[]>> slots_;  // one per entry
  std::vector<short> nulls_;
  std::vector<std::string> texts_;  // bound text, alive until the statement runs
};

}  // namespace dralvo
