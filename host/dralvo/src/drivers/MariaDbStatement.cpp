#include "MariaDbStatement.h"

#include <mysql.h>

#include <memory>

#include "MariaDbTypes.h"

namespace dralvo {

namespace {
using TMetaPtr = std::unique_ptr<MYSQL_RES, decltype(&mysql_free_result)>;

// Room for most values on the first fetch; longer ones are fetched again.
constexpr unsigned long kFirstBuffer = 256;
}  // namespace

struct TMariaDbStatement::TColumnBuffer {
  std::string bytes;
  unsigned long length = 0;
  my_bool isNull = 0;
  my_bool error = 0;
};

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

bool TMariaDbStatement::BindParams(const std::vector<db::TValue>& params) {
  if (stmt_ == nullptr) return false;
  const size_t n = params.size();
  paramBinds_.assign(n, MYSQL_BIND{});
  ints_.assign(n, 0);
  floats_.assign(n, 0);
  texts_.assign(n, std::string());
  for (size_t i = 0; i < n; ++i) {
    MYSQL_BIND& b = paramBinds_[i];
    const db::TValue& v = params[i];
    if (v.IsNull()) {
      b.buffer_type = MYSQL_TYPE_NULL;
    } else if (v.IsInteger()) {
      ints_[i] = v.AsInteger();
      b.buffer_type = MYSQL_TYPE_LONGLONG;
      b.buffer = &ints_[i];
    } else if (v.IsFloat()) {
      floats_[i] = v.AsFloat();
      b.buffer_type = MYSQL_TYPE_DOUBLE;
      b.buffer = &floats_[i];
    } else {
      texts_[i] = v.AsString();
      b.buffer_type = MYSQL_TYPE_STRING;
      b.buffer = texts_[i].data();
      b.buffer_length = texts_[i].size();
    }
  }
  return paramBinds_.empty() || mysql_stmt_bind_param(stmt_, paramBinds_.data()) == 0;
}

bool TMariaDbStatement::Run(const std::vector<db::TValue>& params, TDVResult& result) {
  return BindParams(params) && mysql_stmt_execute(stmt_) == 0 && Fetch(result);
}

bool TMariaDbStatement::RunDirect(const std::string& sql, const std::vector<db::TValue>& params, TDVResult& result) {
  if (stmt_ == nullptr) return false;
  unsigned int count = static_cast<unsigned int>(params.size());
  return mysql_stmt_attr_set(stmt_, STMT_ATTR_PREBIND_PARAMS, &count) == 0 && BindParams(params) &&
         mariadb_stmt_execute_direct(stmt_, sql.data(), sql.size()) == 0 && Fetch(result);
}

bool TMariaDbStatement::Fetch(TDVResult& result) {
  result = TDVResult{};
  result.Columns = Columns();
  if (result.Columns.empty()) {
    my_ulonglong n = mysql_stmt_affected_rows(stmt_);
    result.RowsAffected = n == static_cast<my_ulonglong>(-1) ? 0 : static_cast<int64_t>(n);
  } else {
    if (mysql_stmt_store_result(stmt_) != 0 || !BindResult(result.Columns)) return false;
    result.Rows.reserve(static_cast<size_t>(mysql_stmt_num_rows(stmt_)));
    for (;;) {
      const int rc = mysql_stmt_fetch(stmt_);
      if (rc == MYSQL_NO_DATA) break;
      if (rc == 1) return false;
      result.Rows.emplace_back();
      if (!TakeRow(result.Rows.back())) return false;
    }
    result.RowsAffected = static_cast<int64_t>(result.Rows.size());
  }
  // A CALL's further results (its status at least) are read and dropped.
  int more = 0;
  while ((more = mysql_stmt_next_result(stmt_)) == 0) mysql_stmt_free_result(stmt_);
  return more < 0;
}

bool TMariaDbStatement::BindResult(const std::vector<TDVColumnDesc>& columns) {
  const size_t n = columns.size();
  types_.clear();
  for (const TDVColumnDesc& col : columns) types_.push_back(col.DataType);
  buffers_.assign(n, TColumnBuffer{});
  resultBinds_.assign(n, MYSQL_BIND{});
  for (size_t c = 0; c < n; ++c) {
    buffers_[c].bytes.resize(kFirstBuffer);
    resultBinds_[c].buffer_type = MYSQL_TYPE_STRING;
    resultBinds_[c].buffer = buffers_[c].bytes.data();
    resultBinds_[c].buffer_length = kFirstBuffer;
    resultBinds_[c].length = &buffers_[c].length;
    resultBinds_[c].is_null = &buffers_[c].isNull;
    resultBinds_[c].error = &buffers_[c].error;
  }
  return mysql_stmt_bind_result(stmt_, resultBinds_.data()) == 0;
}

bool TMariaDbStatement::TakeRow(std::vector<db::TValue>& row) {
  const size_t n = buffers_.size();
  row.reserve(n);
  for (size_t c = 0; c < n; ++c) {
    TColumnBuffer& b = buffers_[c];
    if (b.isNull) {
      row.emplace_back();
      continue;
    }
    if (b.length <= kFirstBuffer) {
      row.push_back(MariaDbValue(types_[c], b.bytes.data(), b.length));
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
    row.push_back(MariaDbValue(types_[c], whole.data(), length));
  }
  return true;
}

}  // namespace dralvo
