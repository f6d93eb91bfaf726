#include "MariaDbStatement.h"

#include <mysql.h>

#include <memory>

#include "MariaDbTypes.h"

namespace dralvo {

namespace {
using TMetaPtr = std::unique_ptr<MYSQL_RES, decltype(&mysql_free_result)>;

// Room for most values on the first fetch; longer ones are fetched again.
constexpr unsigned long kFirstBuffer = 256;

struct TColumnBuffer {
  std::string bytes;
  unsigned long length = 0;
  my_bool isNull = 0;
  my_bool error = 0;
};
}  // namespace

TMariaDbStatement::TMariaDbStatement(MYSQL* conn) : stmt_(mysql_stmt_init(conn)) {
  if (stmt_ == nullptr) initError_ = "out of memory";
}

TMariaDbStatement::~TMariaDbStatement() {
  if (stmt_ != nullptr) mysql_stmt_close(stmt_);
}

std::string TMariaDbStatement::Error() const { return stmt_ != nullptr ? mysql_stmt_error(stmt_) : initError_; }
unsigned TMariaDbStatement::ErrorNumber() const { return stmt_ != nullptr ? mysql_stmt_errno(stmt_) : 0; }

bool TMariaDbStatement::Prepare(const std::string& sql) {
  return stmt_ != nullptr && mysql_stmt_prepare(stmt_, sql.data(), sql.size()) == 0;
}

std::vector<TDVColumnDesc> TMariaDbStatement::Columns() const {
  std::vector<TDVColumnDesc> cols;
  TMetaPtr meta(mysql_stmt_result_metadata(stmt_), &mysql_free_result);
  if (meta == nullptr) return cols;
  MYSQL_FIELD* fields = mysql_fetch_fields(meta.get());
  for (unsigned i = 0; i < mysql_num_fields(meta.get()); ++i) {
    TDVColumnDesc col;
    col.Name.assign(fields[i].name, fields[i].name_length);
    col.DataType = FieldTypeOfMariaDbField(fields[i]);
    col.Table.assign(fields[i].org_table, fields[i].org_table_length);
    col.Column.assign(fields[i].org_name, fields[i].org_name_length);
    cols.push_back(std::move(col));
  }
  return cols;
}

bool TMariaDbStatement::Run(const std::vector<db::TValue>& params, TDVResult& result) {
  if (stmt_ == nullptr) return false;
  std::vector<MYSQL_BIND> binds(params.size());
  std::vector<int64_t> ints(params.size());
  std::vector<double> floats(params.size());
  std::vector<std::string> texts(params.size());
  for (size_t i = 0; i < params.size(); ++i) {
    MYSQL_BIND& b = binds[i];
    const db::TValue& v = params[i];
    if (v.IsNull()) {
      b.buffer_type = MYSQL_TYPE_NULL;
    } else if (v.IsInteger()) {
      ints[i] = v.AsInteger();
      b.buffer_type = MYSQL_TYPE_LONGLONG;
      b.buffer = &ints[i];
    } else if (v.IsFloat()) {
      floats[i] = v.AsFloat();
      b.buffer_type = MYSQL_TYPE_DOUBLE;
      b.buffer = &floats[i];
    } else {
      texts[i] = v.AsString();
      b.buffer_type = MYSQL_TYPE_STRING;
      b.buffer = texts[i].data();
      b.buffer_length = texts[i].size();
    }
  }
  if (!binds.empty() && mysql_stmt_bind_param(stmt_, binds.data()) != 0) return false;
  if (mysql_stmt_execute(stmt_) != 0) return false;
  result = TDVResult{};
  result.Columns = Columns();
  if (result.Columns.empty()) {
    my_ulonglong n = mysql_stmt_affected_rows(stmt_);
    result.RowsAffected = n == static_cast<my_ulonglong>(-1) ? 0 : static_cast<int64_t>(n);
  } else if (!Fetch(result)) {
    return false;
  }
  // A CALL's further results (its status at least) are read and dropped.
  int more = 0;
  while ((more = mysql_stmt_next_result(stmt_)) == 0) mysql_stmt_free_result(stmt_);
  return more < 0;
}

bool TMariaDbStatement::Fetch(TDVResult& result) {
  if (mysql_stmt_store_result(stmt_) != 0) return false;
  const size_t n = result.Columns.size();
  std::vector<TColumnBuffer> buffers(n);
  std::vector<MYSQL_BIND> binds(n);
  for (size_t c = 0; c < n; ++c) {
    buffers[c].bytes.resize(kFirstBuffer);
    binds[c].buffer_type = MYSQL_TYPE_STRING;
    binds[c].buffer = buffers[c].bytes.data();
    binds[c].buffer_length = kFirstBuffer;
    binds[c].length = &buffers[c].length;
    binds[c].is_null = &buffers[c].isNull;
    binds[c].error = &buffers[c].error;
  }
  if (mysql_stmt_bind_result(stmt_, binds.data()) != 0) return false;
  result.Rows.reserve(static_cast<size_t>(mysql_stmt_num_rows(stmt_)));
  for (;;) {
    int rc = mysql_stmt_fetch(stmt_);
    if (rc == MYSQL_NO_DATA) break;
    if (rc == 1) return false;
    std::vector<db::TValue> row;
    row.reserve(n);
    for (size_t c = 0; c < n; ++c) {
      TColumnBuffer& b = buffers[c];
      if (b.isNull) {
        row.emplace_back();
        continue;
      }
      if (b.length <= kFirstBuffer) {
        row.push_back(MariaDbValue(result.Columns[c].DataType, b.bytes.data(), b.length));
        continue;
      }
      // Longer than the first buffer: fetch this column again, whole.
      std::string whole(b.length, '\0');
      MYSQL_BIND again{};
      unsigned long length = 0;
      again.buffer_type = MYSQL_TYPE_STRING;
      again.buffer = whole.data();
      again.buffer_length = b.length;
      again.length = &length;
      if (mysql_stmt_fetch_column(stmt_, &again, static_cast<unsigned>(c), 0) != 0) return false;
      row.push_back(MariaDbValue(result.Columns[c].DataType, whole.data(), length));
    }
    result.Rows.push_back(std::move(row));
  }
  result.RowsAffected = static_cast<int64_t>(result.Rows.size());
  return true;
}

}  // namespace dralvo
