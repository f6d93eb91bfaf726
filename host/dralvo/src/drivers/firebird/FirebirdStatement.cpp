#include "FirebirdStatement.h"

namespace dralvo {

namespace {
constexpr unsigned short kDialect = SQL_DIALECT_V6;
constexpr ISC_STATUS kNoMoreRows = 100;
}  // namespace

TFirebirdStatement::TFirebirdStatement(isc_db_handle* db) : db_(db) {}

TFirebirdStatement::~TFirebirdStatement() {
  if (stmt_ == 0) return;
  TFirebirdStatus dropping;
  isc_dsql_free_statement(dropping.Vector(), &stmt_, DSQL_drop);
}

bool TFirebirdStatement::Prepare(isc_tr_handle* tr, const std::string& sql) {
  if (isc_dsql_allocate_statement(status_.Vector(), db_, &stmt_) != 0) return false;
  // Length 0: the text ends at its terminating zero, however long it is.
  if (isc_dsql_prepare(status_.Vector(), tr, &stmt_, 0, sql.c_str(), kDialect, columns_.Get()) != 0) return false;
  if (!columns_.Fits()) {
    columns_ = TFirebirdSqlda(columns_.Count());
    if (isc_dsql_describe(status_.Vector(), &stmt_, kDialect, columns_.Get()) != 0) return false;
  }
  columns_.MakeRoom();
  if (isc_dsql_describe_bind(status_.Vector(), &stmt_, kDialect, params_.Get()) != 0) return false;
  if (!params_.Fits()) {
    params_ = TFirebirdSqlda(params_.Count());
    if (isc_dsql_describe_bind(status_.Vector(), &stmt_, kDialect, params_.Get()) != 0) return false;
  }
  std::vector<char> answer;
  if (!Info(isc_info_sql_stmt_type, answer)) return false;
  if (answer.size() > 3 && answer[0] == isc_info_sql_stmt_type) {
    const short length = static_cast<short>(isc_vax_integer(answer.data() + 1, 2));
    type_ = static_cast<int>(isc_vax_integer(answer.data() + 3, length));
  }
  return true;
}

bool TFirebirdStatement::Info(char item, std::vector<char>& answer) {
  answer.assign(64, 0);
  return isc_dsql_sql_info(status_.Vector(), &stmt_, 1, &item, static_cast<short>(answer.size()), answer.data()) == 0;
}

bool TFirebirdStatement::Bind(isc_tr_handle* tr, const std::vector<db::TValue>& values) {
  return params_.Bind(values, db_, tr, status_);
}

bool TFirebirdStatement::Execute(isc_tr_handle* tr) {
  CloseCursor();
  XSQLDA* in = params_.Count() > 0 ? params_.Get() : nullptr;
  if (type_ == isc_info_sql_stmt_exec_procedure && columns_.Count() > 0) {
    procedureRow_ = isc_dsql_execute2(status_.Vector(), tr, &stmt_, kDialect, in, columns_.Get()) == 0;
    return procedureRow_;
  }
  if (isc_dsql_execute(status_.Vector(), tr, &stmt_, kDialect, in) != 0) return false;
  cursorOpen_ = HasRows();
  return true;
}

int TFirebirdStatement::Fetch(isc_tr_handle* tr, std::vector<db::TValue>& row) {
  if (procedureRow_) {
    procedureRow_ = false;
    return columns_.Row(db_, tr, row, status_) ? 1 : -1;
  }
  if (!cursorOpen_) return 0;
  const ISC_STATUS rc = isc_dsql_fetch(status_.Vector(), &stmt_, kDialect, columns_.Get());
  if (rc == kNoMoreRows) {
    CloseCursor();
    return 0;
  }
  if (rc != 0) return -1;
  return columns_.Row(db_, tr, row, status_) ? 1 : -1;
}

int64_t TFirebirdStatement::RowsChanged() {
  std::vector<char> answer;
  if (!Info(isc_info_sql_records, answer) || answer[0] != isc_info_sql_records) return 0;
  // Counts of each kind: item, two bytes of length, the value.
  int64_t changed = 0;
  for (size_t at = 3; at + 3 <= answer.size() && answer[at] != isc_info_end;) {
    const char kind = answer[at];
    const auto length = static_cast<short>(isc_vax_integer(answer.data() + at + 1, 2));
    const ISC_LONG count = isc_vax_integer(answer.data() + at + 3, length);
    if (kind == isc_info_req_insert_count || kind == isc_info_req_update_count || kind == isc_info_req_delete_count)
      changed += count;
    at += 3 + static_cast<size_t>(length);
  }
  return changed;
}

void TFirebirdStatement::CloseCursor() {
  procedureRow_ = false;
  if (!cursorOpen_) return;
  cursorOpen_ = false;
  TFirebirdStatus closing;
  isc_dsql_free_statement(closing.Vector(), &stmt_, DSQL_close);
}

}  // namespace dralvo
