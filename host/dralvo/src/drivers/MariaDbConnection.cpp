#include "MariaDbConnection.h"

#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>

#include <algorithm>
#include <memory>

#include "../Errors.h"
#include "Cursor.h"
#include "MariaDbTarget.h"
#include "MariaDbStatement.h"
#include "MariaDbTypes.h"
#include "dralvo/Secrets.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
using TResPtr = std::unique_ptr<MYSQL_RES, decltype(&mysql_free_result)>;

// Seconds of a wait limit given in milliseconds; 0 (no limit) stays 0.
unsigned Seconds(int ms) { return ms <= 0 ? 0 : static_cast<unsigned>((ms + 999) / 1000); }

// The client library's message, with the time it waited when the server
// did not answer, naming where it was waiting.
std::string ExplainedError(unsigned errorNumber, const std::string& message, const std::string& where, unsigned seconds) {
  if (errorNumber == CR_SERVER_LOST || message.find("timed out") != std::string::npos ||
      message.find("(110)") != std::string::npos)
    return message + " (no answer from " + where + " within " + std::to_string(seconds) + " s)";
  return message;
}
}  // namespace

TMariaDbConnection::TMariaDbConnection(const TDVConnectParams& params)
    : TDVConnection(DialectOf(TDVServerType::stMariaDB), MaskPasswords(params.Target)), waits_(params.Waits) {
  TMariaDbTarget t = ParseMariaDbTarget(params.Target);
  if (!params.UserName.empty()) t.User = params.UserName;
  if (!params.Password.empty()) t.Password = params.Password;
  std::string where = !t.Socket.empty() ? "socket " + t.Socket
                                         : (t.Host.empty() ? "localhost" : t.Host) + ":" +
                                               std::to_string(t.Port != 0 ? t.Port : MYSQL_PORT);
  conn_ = mysql_init(nullptr);
  if (conn_ == nullptr) RaiseConnectFailed("out of memory");
  // Connecting (the server's greeting included) gives up after the connect
  // time-out; each read or write after the statement time-out and a margin,
  // so that the server's own time-out, which names the statement, comes first.
  unsigned connectTimeout = std::max(static_cast<unsigned>(waits_.ConnectSeconds), 1u);
  unsigned statementSeconds = Seconds(waits_.StatementMs);
  unsigned rwTimeout = statementSeconds == 0 ? 0 : statementSeconds + 15;
  mysql_options(conn_, MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeout);
  mysql_options(conn_, MYSQL_OPT_READ_TIMEOUT, &rwTimeout);
  mysql_options(conn_, MYSQL_OPT_WRITE_TIMEOUT, &rwTimeout);
  mysql_options(conn_, MYSQL_SET_CHARSET_NAME, "utf8mb4");
  unsigned localInfile = 0;
  mysql_options(conn_, MYSQL_OPT_LOCAL_INFILE, &localInfile);
  if (!t.Socket.empty()) {
    unsigned protocol = MYSQL_PROTOCOL_SOCKET;
    mysql_options(conn_, MYSQL_OPT_PROTOCOL, &protocol);
  }
  // Rows found, not rows changed, count as affected: an update that writes
  // the values a row already holds still found its row. A CALL answers
  // with several results: the first is taken, the others read and dropped.
  if (mysql_real_connect(conn_, t.Host.empty() ? nullptr : t.Host.c_str(), t.User.empty() ? nullptr : t.User.c_str(),
                         t.Password.c_str(), t.Database.empty() ? nullptr : t.Database.c_str(), t.Port,
                         t.Socket.empty() ? nullptr : t.Socket.c_str(), CLIENT_FOUND_ROWS | CLIENT_MULTI_RESULTS) == nullptr) {
    std::string msg = ExplainedError(mysql_errno(conn_), mysql_error(conn_), where, connectTimeout);
    mysql_close(conn_);
    conn_ = nullptr;
    RaiseConnectFailed(msg);
  }
  try {
    // Lock waits and a statement's run time are bounded on the server; 0
    // (no limit) leaves the server's own setting.
    std::string set;
    if (unsigned lock = Seconds(waits_.LockMs); lock != 0)
      set += "lock_wait_timeout = " + std::to_string(lock) + ", innodb_lock_wait_timeout = " + std::to_string(lock);
    if (statementSeconds != 0)
      set += std::string(set.empty() ? "" : ", ") + "max_statement_time = " + std::to_string(waits_.StatementMs / 1000.0);
    if (!set.empty()) Query("set session " + set);
    ReadSessionModes();
  } catch (...) {
    mysql_close(conn_);
    conn_ = nullptr;
    throw;
  }
}

TMariaDbConnection::~TMariaDbConnection() { mysql_close(conn_); }

void TMariaDbConnection::ReadSessionModes() {
  TDVResult r = Query("select @@sql_mode, @@lower_case_table_names");
  if (r.Rows.empty()) return;
  std::string mode = "," + rtl::UpperCase(r.Rows[0][0].AsString()) + ",";
  ansiQuotes_ = mode.find(",ANSI_QUOTES,") != std::string::npos || mode.find(",ANSI,") != std::string::npos;
  caseBlindTables_ = r.Rows[0][1].AsString() != "0";
}

void TMariaDbConnection::Fail(const std::string& message, unsigned errorNumber) const {
  std::string msg = message.empty() ? "unknown error" : message;
  if (errorNumber == ER_LOCK_WAIT_TIMEOUT)
    RaiseServerError(msg + " (waited " + std::to_string(Seconds(waits_.LockMs)) +
                         " s for a lock held by another session)", true);
  if (errorNumber == ER_STATEMENT_TIMEOUT)
    RaiseServerError(msg + " (the limit is " + std::to_string(waits_.StatementMs) + " ms)", true);
  unsigned rw = Seconds(waits_.StatementMs);
  RaiseServerError(ExplainedError(errorNumber, msg, "the server", rw == 0 ? 0 : rw + 15));
}

std::string TMariaDbConnection::ServerVersion() { return mysql_get_server_info(conn_); }

TDVResult TMariaDbConnection::Query(const std::string& sql) {
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
  TMariaDbStatement st(conn_);
  TDVResult result;
  if (!st.Prepare(sql) || !st.Run(params, result)) Fail(st.Error(), st.ErrorNumber());
  return result;
}

namespace {
// The whole result read at once, handed out a packet at a time.
class TReadCursor : public TDVCursor {
 public:
  explicit TReadCursor(TDVResult result) : rows_(std::move(result.Rows)) { columns_ = std::move(result.Columns); }
  bool Fetch(int count, std::vector<std::vector<db::TValue>>& rows) override {
    for (int n = 0; next_ < rows_.size() && (count < 1 || n < count); ++n) rows.push_back(std::move(rows_[next_++]));
    return next_ < rows_.size();
  }

 private:
  std::vector<std::vector<db::TValue>> rows_;
  size_t next_ = 0;
};
}  // namespace

std::unique_ptr<TDVCursor> TMariaDbConnection::OpenCursor(const std::string& sql,
                                                          const std::vector<db::TValue>& params,
                                                          std::shared_ptr<TDVInterrupt> /*interrupt*/) {
  return std::make_unique<TReadCursor>(Execute(sql, params));
}

std::vector<TDVColumnDesc> TMariaDbConnection::Describe(const std::string& sql) {
  TMariaDbStatement st(conn_);
  if (!st.Prepare(sql)) Fail(st.Error(), st.ErrorNumber());
  return st.Columns();
}

std::string TMariaDbConnection::PrepareOnly(const std::string& sql) {
  // A prepared statement is only parsed and resolved; nothing runs.
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
