#include "MariaDbConnection.h"

#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>

#include <algorithm>
#include <memory>

#include "../Errors.h"
#include "MariaDbCursor.h"
#include "MariaDbOpen.h"
#include "MariaDbStatement.h"
#include "MariaDbTypes.h"
#include "dralvo/Secrets.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
using TResPtr = std::unique_ptr<MYSQL_RES, decltype(&mysql_free_result)>;

// How long the server waits for the designer to read the next rows of a
// dataset it is sending: as long as a person may look at the first ones.
constexpr int kReadingPaceSeconds = 3600;
}  // namespace

TMariaDbConnection::TMariaDbConnection(const TDVConnectParams& params)
    : TDVConnection(DialectOf(TDVServerType::stMariaDB), MaskPasswords(params.Target)),
      target_(ParseMariaDbTarget(params.Target)),
      waits_(params.Waits) {
  if (!params.UserName.empty()) target_.User = params.UserName;
  if (!params.Password.empty()) target_.Password = params.Password;
  std::string error;
  conn_ = ConnectMariaDb(target_, waits_, error);
  if (conn_ == nullptr) RaiseConnectFailed(error);
  try {
    // Lock waits and a statement's run time are bounded on the server; 0
    // (no limit) leaves the server's own setting. The server waits for the
    // designer to read the next rows of an open dataset at a person's pace
    // (net_write_timeout), not the default minute.
    std::string set = "net_write_timeout = " + std::to_string(kReadingPaceSeconds);
    if (unsigned lock = MariaDbSeconds(waits_.LockMs); lock != 0)
      set += ", lock_wait_timeout = " + std::to_string(lock) + ", innodb_lock_wait_timeout = " + std::to_string(lock);
    if (waits_.StatementMs > 0) set += ", max_statement_time = " + std::to_string(waits_.StatementMs / 1000.0);
    Query("set session " + set);
    ReadSessionModes();
  } catch (...) {
    mysql_close(conn_);
    conn_ = nullptr;
    throw;
  }
}

TMariaDbConnection::~TMariaDbConnection() {
  // Cursors end before their connection; one left over only lets go.
  if (streaming_ != nullptr) streaming_->EndStream();
  mysql_close(conn_);
}

void TMariaDbConnection::ParkStream() {
  if (streaming_ != nullptr) streaming_->Park();
}

std::function<void()> TMariaDbConnection::StopRunning() const {
  return [target = target_, waits = waits_, id = mysql_thread_id(conn_)] { KillMariaDbQuery(target, waits, id); };
}

void TMariaDbConnection::ReadSessionModes() {
  TDVResult r = Query("select @@sql_mode, @@lower_case_table_names");
  if (r.Rows.empty()) return;
  std::string mode = "," + rtl::UpperCase(r.Rows[0][0].AsString()) + ",";
  ansiQuotes_ = mode.find(",ANSI_QUOTES,") != std::string::npos || mode.find(",ANSI,") != std::string::npos;
  noBackslashEscapes_ = mode.find(",NO_BACKSLASH_ESCAPES,") != std::string::npos;
  caseBlindTables_ = r.Rows[0][1].AsString() != "0";
}

void TMariaDbConnection::Fail(const std::string& message, unsigned errorNumber) const {
  std::string msg = message.empty() ? "unknown error" : message;
  if (errorNumber == ER_LOCK_WAIT_TIMEOUT)
    RaiseServerError(msg + " (waited " + std::to_string(MariaDbSeconds(waits_.LockMs)) +
                         " s for a lock held by another session)", true);
  if (errorNumber == ER_STATEMENT_TIMEOUT)
    RaiseServerError(msg + " (the limit is " + std::to_string(waits_.StatementMs) + " ms)", true);
  unsigned rw = MariaDbSeconds(waits_.StatementMs);
  RaiseServerError(ExplainedMariaDbError(errorNumber, msg, "the server", rw == 0 ? 0 : rw + 15));
}

sql::LexicalRules TMariaDbConnection::Lexis() const {
  sql::LexicalRules rules = TDVConnection::Lexis();
  rules.backslashEscapes = !noBackslashEscapes_;
  return rules;
}

std::string TMariaDbConnection::ServerVersion() { return mysql_get_server_info(conn_); }

TDVResult TMariaDbConnection::Query(const std::string& sql) {
  ParkStream();
  if (mysql_real_query(conn_, sql.data(), sql.size()) != 0) Fail(mysql_error(conn_), mysql_errno(conn_));
  TDVResult result = StoredResult();
  for (int more = mysql_next_result(conn_); more == 0; more = mysql_next_result(conn_))
    mysql_free_result(mysql_store_result(conn_));
  if (mysql_errno(conn_) != 0) Fail(mysql_error(conn_), mysql_errno(conn_));
  return result;
}

TDVResult TMariaDbConnection::StoredResult() {
  TDVResult result;
  TResPtr res(mysql_store_result(conn_), &mysql_free_result);
  if (res == nullptr) {
    if (mysql_field_count(conn_) != 0) Fail(mysql_error(conn_), mysql_errno(conn_));
    my_ulonglong n = mysql_affected_rows(conn_);
    result.RowsAffected = n == static_cast<my_ulonglong>(-1) ? 0 : static_cast<int64_t>(n);
    return result;
  }
  unsigned nf = mysql_num_fields(res.get());
  MYSQL_FIELD* fields = mysql_fetch_fields(res.get());
  for (unsigned c = 0; c < nf; ++c) {
    TDVColumnDesc col;
    col.Name.assign(fields[c].name, fields[c].name_length);
    col.DataType = FieldTypeOfMariaDbField(fields[c]);
    col.Table.assign(fields[c].org_table, fields[c].org_table_length);
    col.Column.assign(fields[c].org_name, fields[c].org_name_length);
    result.Columns.push_back(std::move(col));
  }
  result.Rows.reserve(static_cast<size_t>(mysql_num_rows(res.get())));
  while (MYSQL_ROW row = mysql_fetch_row(res.get())) {
    unsigned long* lengths = mysql_fetch_lengths(res.get());
    std::vector<db::TValue> values;
    values.reserve(nf);
    for (unsigned c = 0; c < nf; ++c) values.push_back(MariaDbValue(result.Columns[c].DataType, row[c], lengths[c]));
    result.Rows.push_back(std::move(values));
  }
  result.RowsAffected = static_cast<int64_t>(result.Rows.size());
  return result;
}

TDVResult TMariaDbConnection::Execute(const std::string& sql, const std::vector<db::TValue>& params) {
  if (params.empty()) {
    TDVResult result = Query(sql);
    // A SET may change how the session reads "..." names.
    if (rtl::SameText(rtl::Trim(sql).substr(0, 4), "set ")) ReadSessionModes();
    return result;
  }
  // Prepared and run in one exchange: a catalog look-up costs one round trip.
  ParkStream();
  TMariaDbStatement st(conn_);
  TDVResult result;
  if (!st.RunDirect(sql, params, result)) Fail(st.Error(), st.ErrorNumber());
  return result;
}

std::unique_ptr<TDVCursor> TMariaDbConnection::OpenCursor(const std::string& sql,
                                                          const std::vector<db::TValue>& params,
                                                          std::shared_ptr<TDVInterrupt> interrupt) {
  return std::make_unique<TMariaDbCursor>(*this, sql, params, std::move(interrupt));
}

std::vector<TDVColumnDesc> TMariaDbConnection::Describe(const std::string& sql) {
  ParkStream();
  TMariaDbStatement st(conn_);
  if (!st.Prepare(sql)) Fail(st.Error(), st.ErrorNumber());
  return st.Columns();
}

std::string TMariaDbConnection::PrepareOnly(const std::string& sql) {
  // A prepared statement is only parsed and resolved; nothing runs.
  ParkStream();
  TMariaDbStatement st(conn_);
  if (st.Prepare(sql)) return {};
  // A lock wait that ran out, or a lost server, is no verdict on the
  // statement: the check cannot go on.
  unsigned e = st.ErrorNumber();
  if (e == ER_LOCK_WAIT_TIMEOUT || e == ER_STATEMENT_TIMEOUT || e >= CR_MIN_ERROR) Fail(st.Error(), e);
  std::string msg = st.Error();
  return msg.empty() ? "the statement could not be prepared" : msg;
}

std::vector<std::string> TMariaDbConnection::Column(const std::string& sql, const std::vector<db::TValue>& params) {
  TDVResult r = Execute(sql, params);
  std::vector<std::string> out;
  out.reserve(r.Rows.size());
  for (auto& row : r.Rows) out.push_back(row[0].AsString());
  return out;
}

}  // namespace dralvo
