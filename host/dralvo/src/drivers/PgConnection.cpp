#include "PgConnection.h"

#include <libpq-fe.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>

#include "../ConnectionText.h"
#include "../Errors.h"
#include "NameParts.h"
#include "PgCursor.h"
#include "PgTypes.h"
#include "dralvo/Consts.h"
#include "dralvo/Hooks.h"
#include "dralvo/SchemaInfo.h"
#include "dralvo/Secrets.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
using TPgResultPtr = std::unique_ptr<PGresult, decltype(&PQclear)>;

// Lock time-out and query cancelled (the statement time-out).
bool WaitExpired(const char* sqlState) {
  return sqlState != nullptr && (std::string(sqlState) == "55P03" || std::string(sqlState) == "57014");
}

std::string Int8(PGresult* res, int row, int col) { return PQgetvalue(res, row, col); }
}  // namespace

TPgConnection::TPgConnection(const TDVConnectParams& params)
    : TDVConnection(DialectOf(TDVServerType::stPostgreSQL), MaskPasswords(params.Target)) {
  // libpq takes whole seconds from 2 up; 0 would wait without end.
  const std::string connectTimeout = std::to_string(std::max(params.Waits.ConnectSeconds, 2));
  // The target is read here, as the masking of its password reads it (a URI
  // or a keyword list), and libpq is given each keyword on its own.
  std::vector<std::pair<std::string, std::string>> items{
      {"connect_timeout", connectTimeout}, {"fallback_application_name", "Dralvo"}, {"client_encoding", "UTF8"}};
  const std::string target = rtl::Trim(params.Target);
  const TConnectionText read = ReadConnectionText(target);
  if (!read.Error.empty()) RaiseConnectFailed("the remote database text " + read.Error);
  if (read.Form != TConnectionForm::Plain) {
    for (const TConnectionItem& item : read.Items) items.emplace_back(item.Key, item.Value);
  } else if (size_t slash = target.rfind('/'); slash != std::string::npos) {
    // host[:port]/database
    std::string_view host, port;
    if (!SplitHostPort(std::string_view(target).substr(0, slash), host, port))
      RaiseConnectFailed("the remote database text has an unclosed \"[\" in its host");
    items.emplace_back("host", std::string(host));
    items.emplace_back("port", std::string(port));
    items.emplace_back("dbname", target.substr(slash + 1));
  } else {
    items.emplace_back("dbname", target);
  }
  items.emplace_back("user", params.UserName);
  items.emplace_back("password", params.Password);
  // Empty values are left to libpq's defaults; a later keyword wins.
  std::vector<const char*> keys, values;
  for (const auto& [key, value] : items) {
    if (value.empty()) continue;
    keys.push_back(key.c_str());
    values.push_back(value.c_str());
  }
  keys.push_back(nullptr);
  values.push_back(nullptr);
  conn_ = PQconnectdbParams(keys.data(), values.data(), 0);
  if (conn_ == nullptr || PQstatus(conn_) != CONNECTION_OK) {
    std::string msg = conn_ != nullptr ? rtl::Trim(PQerrorMessage(conn_)) : "out of memory";
    PQfinish(conn_);
    conn_ = nullptr;
    RaiseConnectFailed(msg);
  }
  // Notices and warnings go to whoever shows server messages, not raw to
  // standard error as libpq would write them.
  PQsetNoticeReceiver(
      conn_, [](void*, const PGresult* res) { ServerNotice("PostgreSQL", rtl::Trim(PQresultErrorMessage(res))); },
      nullptr);
  // Every later wait is bounded on the server's side: a lock another
  // session holds, and any one statement.
  statementMs_ = params.Waits.StatementMs;
  silenceMs_ = std::max(params.Waits.ConnectSeconds, 2) * 1000;
  try {
    PQclear(Run("select set_config('lock_timeout', $1, false), set_config('statement_timeout', $2, false)",
                {db::TValue(std::to_string(params.Waits.LockMs)), db::TValue(std::to_string(params.Waits.StatementMs))}));
  } catch (...) {
    PQfinish(conn_);
    conn_ = nullptr;
    throw;
  }
}

TPgConnection::~TPgConnection() {
  // Cursors end before their connection; one left over only lets go.
  if (streaming_ != nullptr) streaming_->EndStream();
  PQfinish(conn_);
}

void TPgConnection::Fail(PGresult* res) const {
  std::string msg = rtl::Trim(res != nullptr ? PQresultErrorMessage(res) : PQerrorMessage(conn_));
  if (msg.empty()) msg = rtl::Trim(PQerrorMessage(conn_));
  const bool expired = res != nullptr && WaitExpired(PQresultErrorField(res, PG_DIAG_SQLSTATE));
  if (expired) msg = ExpiredMessage(res);
  PQclear(res);
  RaiseServerError(msg, expired);
}

// The server's one line and the locks held elsewhere, which say what the
// statement waited for.
std::string TPgConnection::ExpiredMessage(const pg_result* res) const {
  const char* primary = PQresultErrorField(res, PG_DIAG_MESSAGE_PRIMARY);
  std::string msg = primary != nullptr ? primary : "the wait ran out";
  std::string locks = LocksHeldElsewhere();
  return locks.empty() ? msg : msg + " (held by other sessions: " + locks + ")";
}

std::string TPgConnection::LocksHeldElsewhere() const {
  // Asked only outside a transaction: a failed one answers nothing more.
  if (PQtransactionStatus(conn_) != PQTRANS_IDLE) return {};
  TPgResultPtr res(Answer(PQsendQuery(conn_,
                          "select string_agg(distinct c.relname || ' ' || l.mode, ', ')"
                          " from pg_locks l join pg_class c on c.oid = l.relation"
                          " where l.granted and l.pid <> pg_backend_pid()"
                          " and l.database = (select oid from pg_database where datname = current_database())"
                          " and l.mode in ('ShareLock', 'ShareRowExclusiveLock', 'ExclusiveLock',"
                          " 'AccessExclusiveLock')")),
                   &PQclear);
  if (PQresultStatus(res.get()) != PGRES_TUPLES_OK || PQntuples(res.get()) != 1) return {};
  return PQgetvalue(res.get(), 0, 0);
}

pg_result* TPgConnection::Answer(int sent) const {
  if (sent == 0) return nullptr;  // not sent: the connection's own error says why
  using Clock = std::chrono::steady_clock;
  const auto silence = std::chrono::milliseconds(statementMs_ + silenceMs_);
  auto deadline = Clock::now() + silence;
  while (PQisBusy(conn_) != 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      // Closing the socket ends the exchange: libpq reports the connection
      // lost to every later call.
      shutdown(PQsocket(conn_), SHUT_RDWR);
      while (PGresult* stale = PQgetResult(conn_)) PQclear(stale);
      Fail(rtl::Format(SServerSilent, {static_cast<int64_t>(silence.count() / 1000)}));
    }
    pollfd wait{PQsocket(conn_), POLLIN, 0};
    const int ready = poll(&wait, 1, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) break;
    if (ready > 0) {
      if (PQconsumeInput(conn_) == 0) break;  // the connection broke: the result says how
      deadline = Clock::now() + silence;
    }
  }
  // One command, one result; an error among several is the one to keep.
  PGresult* kept = nullptr;
  while (PGresult* res = PQgetResult(conn_)) {
    const bool failed = PQresultStatus(res) == PGRES_FATAL_ERROR;
    if (kept != nullptr && PQresultStatus(kept) == PGRES_FATAL_ERROR && !failed) {
      PQclear(res);
      continue;
    }
    PQclear(kept);
    kept = res;
  }
  return kept;
}

void TPgConnection::Fail(const std::string& message) const { RaiseServerError(rtl::Trim(message)); }

void TPgConnection::ParamTexts(const std::vector<db::TValue>& params, std::vector<std::string>& texts,
                               std::vector<const char*>& values) {
  texts.assign(params.size(), std::string());
  values.assign(params.size(), nullptr);
  for (size_t i = 0; i < params.size(); ++i) {
    if (params[i].IsNull()) continue;
    texts[i] = params[i].IsFloat() ? PgFloatText(params[i].AsFloat()) : params[i].AsString();
    values[i] = texts[i].c_str();
  }
}

void TPgConnection::ParkStream() {
  if (streaming_ != nullptr) streaming_->Park();
}

void TPgConnection::ReadyForStatement() {
  ParkStream();
  if (!statementLimitLifted_) return;
  statementLimitLifted_ = false;
  PQclear(Run("select set_config('statement_timeout', $1, false)", {db::TValue(std::to_string(statementMs_))}));
}

void TPgConnection::LiftStatementLimit() {
  if (statementMs_ <= 0 || statementLimitLifted_) return;
  PQclear(Run("set statement_timeout = 0", {}));
  statementLimitLifted_ = true;
}

std::unique_ptr<TDVCursor> TPgConnection::OpenCursor(const std::string& sql, const std::vector<db::TValue>& params,
                                                     std::shared_ptr<TDVInterrupt> interrupt) {
  return std::make_unique<TPgCursor>(*this, sql, params, std::move(interrupt));
}

PGresult* TPgConnection::Run(const std::string& sql, const std::vector<db::TValue>& params) {
  ReadyForStatement();
  std::vector<std::string> texts;
  std::vector<const char*> ptrs;
  ParamTexts(params, texts, ptrs);
  PGresult* res = Answer(PQsendQueryParams(conn_, sql.c_str(), static_cast<int>(params.size()), nullptr, ptrs.data(),
                                            nullptr, nullptr, 0));
  ExecStatusType st = res != nullptr ? PQresultStatus(res) : PGRES_FATAL_ERROR;
  if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK) Fail(res);
  return res;
}

std::vector<std::string> TPgConnection::Column(const std::string& sql, const std::vector<db::TValue>& params) {
  TPgResultPtr res(Run(sql, params), &PQclear);
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(PQntuples(res.get())));
  for (int r = 0; r < PQntuples(res.get()); ++r) out.emplace_back(PQgetvalue(res.get(), r, 0));
  return out;
}

TDVResult TPgConnection::Execute(const std::string& sql, const std::vector<db::TValue>& params) {
  TPgResultPtr res(Run(sql, params), &PQclear);
  TDVResult result;
  int nf = PQnfields(res.get());
  for (int c = 0; c < nf; ++c) {
    TDVColumnDesc col;
    col.Name = PQfname(res.get(), c);
    col.DataType = FieldTypeOfPgType(PQftype(res.get(), c));
    result.Columns.push_back(std::move(col));
  }
  int nt = PQntuples(res.get());
  result.Rows.reserve(static_cast<size_t>(nt));
  for (int r = 0; r < nt; ++r) {
    std::vector<db::TValue> row;
    row.reserve(static_cast<size_t>(nf));
    for (int c = 0; c < nf; ++c) {
      if (PQgetisnull(res.get(), r, c)) {
        row.emplace_back();
        continue;
      }
      row.push_back(PgValue(PQftype(res.get(), c), PQgetvalue(res.get(), r, c),
                            static_cast<size_t>(PQgetlength(res.get(), r, c))));
    }
    result.Rows.push_back(std::move(row));
  }
  const char* tuples = PQcmdTuples(res.get());
  result.RowsAffected = (tuples != nullptr && *tuples != 0) ? std::strtoll(tuples, nullptr, 10) : 0;
  return result;
}

std::vector<TDVColumnDesc> TPgConnection::Describe(const std::string& sql) {
  ReadyForStatement();
  TPgResultPtr prep(PQprepare(conn_, "", sql.c_str(), 0, nullptr), &PQclear);
  if (PQresultStatus(prep.get()) != PGRES_COMMAND_OK) Fail(prep.release());
  TPgResultPtr desc(PQdescribePrepared(conn_, ""), &PQclear);
  if (PQresultStatus(desc.get()) != PGRES_COMMAND_OK) Fail(desc.release());
  std::vector<TDVColumnDesc> cols;
  std::string oids;
  for (int c = 0; c < PQnfields(desc.get()); ++c) {
    TDVColumnDesc col;
    col.Name = PQfname(desc.get(), c);
    col.DataType = FieldTypeOfPgType(PQftype(desc.get(), c));
    cols.push_back(std::move(col));
    if (Oid t = PQftable(desc.get(), c); t != InvalidOid) oids += (oids.empty() ? "" : ",") + std::to_string(t);
  }
  if (oids.empty()) return cols;
  // Origin tables and columns of the result, named as the server shows them.
  TPgResultPtr res(Run("select c.oid::int8, case when pg_table_is_visible(c.oid) then quote_ident(c.relname)"
                       " else quote_ident(n.nspname) || '.' || quote_ident(c.relname) end, a.attnum, a.attname"
                       " from pg_class c join pg_namespace n on n.oid = c.relnamespace"
                       " join pg_attribute a on a.attrelid = c.oid"
                       " where c.oid = any($1::oid[]) and a.attnum > 0",
                       {db::TValue("{" + oids + "}")}),
                   &PQclear);
  // Rows by (table, column number): one pass each way, also for a result
  // of thousands of columns.
  std::map<std::pair<std::string, std::string>, int> rowOf;
  for (int r = 0; r < PQntuples(res.get()); ++r) rowOf.emplace(std::make_pair(Int8(res.get(), r, 0), Int8(res.get(), r, 2)), r);
  for (int c = 0; c < PQnfields(desc.get()); ++c) {
    auto it = rowOf.find({std::to_string(PQftable(desc.get(), c)), std::to_string(PQftablecol(desc.get(), c))});
    if (it == rowOf.end()) continue;
    cols[static_cast<size_t>(c)].Table = PQgetvalue(res.get(), it->second, 1);
    cols[static_cast<size_t>(c)].Column = PQgetvalue(res.get(), it->second, 3);
  }
  return cols;
}

std::string TPgConnection::PrepareOnly(const std::string& sql) {
  // Inside a transaction that is rolled back, so that not even a prepared
  // statement outlives the check.
  TPgResultPtr begin(Run("begin", {}), &PQclear);
  std::string message;
  bool expired = false;
  TPgResultPtr prep(Answer(PQsendPrepare(conn_, "dv_prepare_only", sql.c_str(), 0, nullptr)), &PQclear);
  if (PQresultStatus(prep.get()) != PGRES_COMMAND_OK) {
    message = rtl::Trim(prep != nullptr ? PQresultErrorMessage(prep.get()) : PQerrorMessage(conn_));
    if (message.empty()) message = "the statement could not be prepared";
    expired = prep != nullptr && WaitExpired(PQresultErrorField(prep.get(), PG_DIAG_SQLSTATE));
  } else {
    TPgResultPtr desc(Answer(PQsendDescribePrepared(conn_, "dv_prepare_only")), &PQclear);
    if (PQresultStatus(desc.get()) != PGRES_COMMAND_OK) message = rtl::Trim(PQresultErrorMessage(desc.get()));
    PQclear(Answer(PQsendQuery(conn_, "deallocate dv_prepare_only")));
  }
  TPgResultPtr rollback(Run("rollback", {}), &PQclear);
  if (expired) RaiseServerError(ExpiredMessage(prep.get()), true);
  return message.rfind("ERROR:", 0) == 0 ? rtl::Trim(message.substr(6)) : message;
}

// Unreserved words and those that may name a column stand bare wherever an
// update statement puts a table or column name; reserved words and those
// that may name only a type or function do not.
std::vector<std::string> TPgConnection::ReservedWords() {
  return Column("select word from pg_get_keywords() where catcode in ('R', 'T')", {});
}

std::string TPgConnection::ServerVersion() {
  std::vector<std::string> v = Column("show server_version", {});
  return v.empty() ? std::string() : v[0];
}

void TPgConnection::GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) {
  names = Column(
      "select attname from pg_attribute where attrelid = $1::oid and attnum > 0 and not attisdropped"
      " and attnotnull order by attnum",
      {db::TValue(static_cast<int64_t>(table.Oid))});
}

void TPgConnection::GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) {
  names = Column(
      "select a.attname from pg_index x cross join lateral unnest(x.indkey::int2[]) with ordinality as k(attnum, ord)"
      " join pg_attribute a on a.attrelid = x.indrelid and a.attnum = k.attnum"
      " where x.indrelid = $1::oid and x.indisprimary order by k.ord",
      {db::TValue(static_cast<int64_t>(table.Oid))});
}

bool TPgConnection::LookupTable(const std::string& schema, const std::string& name, TDVTableRef& ref) {
  static const std::string kSelect =
      "select c.oid::int8, n.nspname, c.relname from pg_class c join pg_namespace n on n.oid = c.relnamespace"
      " where c.relkind in ('r', 'v', 'm', 'f', 'p') and ";
  TPgResultPtr res(schema.empty() ? Run(kSelect + "c.relname = $1 and pg_table_is_visible(c.oid) limit 1",
                                        {db::TValue(name)})
                                  : Run(kSelect + "n.nspname = $1 and c.relname = $2 limit 1",
                                        {db::TValue(schema), db::TValue(name)}),
                   &PQclear);
  if (PQntuples(res.get()) == 0) return false;
  ref = TableRef(PQgetvalue(res.get(), 0, 1), PQgetvalue(res.get(), 0, 2));
  ref.Oid = static_cast<uint32_t>(std::strtoul(PQgetvalue(res.get(), 0, 0), nullptr, 10));
  return true;
}

void TPgConnection::GetTableNames(const std::string& pattern, bool systemTables, std::vector<std::string>& names) {
  std::string sql =
      "select case when pg_table_is_visible(c.oid) then quote_ident(c.relname)"
      " else quote_ident(n.nspname) || '.' || quote_ident(c.relname) end"
      " from pg_class c join pg_namespace n on n.oid = c.relnamespace"
      " where c.relkind in ('r', 'v', 'm', 'f', 'p')";
  if (!systemTables) sql += " and n.nspname <> 'information_schema' and n.nspname not like 'pg\\_%'";
  std::vector<db::TValue> args;
  if (!pattern.empty()) {
    sql += " and c.relname like $1";
    args.emplace_back(pattern);
  }
  sql += " order by 1";
  names = Column(sql, args);
}

void TPgConnection::GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) {
  names = Column(
      "select attname from pg_attribute where attrelid = $1::oid and attnum > 0 and not attisdropped order by attnum",
      {db::TValue(static_cast<int64_t>(table.Oid))});
}

void TPgConnection::GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) {
  TPgResultPtr res(
      Run("select i.relname, x.indisprimary, x.indisunique, x.indpred is not null, coalesce(a.attname, ''), k.ord"
          " from pg_index x join pg_class i on i.oid = x.indexrelid"
          " cross join lateral unnest(x.indkey::int2[]) with ordinality as k(attnum, ord)"
          " left join pg_attribute a on a.attrelid = x.indrelid and a.attnum = k.attnum and k.attnum > 0"
          " where x.indrelid = $1::oid and k.ord <= x.indnkeyatts"
          " order by x.indexrelid, k.ord",
          {db::TValue(static_cast<int64_t>(table.Oid))}),
      &PQclear);
  rows.clear();
  for (int r = 0; r < PQntuples(res.get()); ++r) {
    TDVIndexColumn row;
    row.IndexName = PQgetvalue(res.get(), r, 0);
    bool primary = PQgetvalue(res.get(), r, 1)[0] == 't';
    bool unique = PQgetvalue(res.get(), r, 2)[0] == 't';
    bool partial = PQgetvalue(res.get(), r, 3)[0] == 't';
    row.ColumnName = PQgetvalue(res.get(), r, 4);
    row.Position = std::atoi(PQgetvalue(res.get(), r, 5));
    if (primary)
      row.IndexType = IndexTypePrimary | IndexTypeUnique;
    else if (unique && !partial)
      row.IndexType = IndexTypeUnique;
    rows.push_back(std::move(row));
  }
}

void TPgConnection::GetStoredProcNames(std::vector<std::string>& names) {
  names = Column(
      "select distinct case when pg_function_is_visible(p.oid) then quote_ident(p.proname)"
      " else quote_ident(n.nspname) || '.' || quote_ident(p.proname) end"
      " from pg_proc p join pg_namespace n on n.oid = p.pronamespace"
      " where p.prokind in ('f', 'p') and n.nspname <> 'information_schema' and n.nspname not like 'pg\\_%'"
      " order by 1",
      {});
}

}  // namespace dralvo
