#include "PgConnection.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <map>
#include <memory>

#include "../Errors.h"
#include "NameParts.h"
#include "PgCursor.h"
#include "PgTypes.h"
#include "dralvo/Consts.h"
#include "dralvo/SchemaInfo.h"
#include "dralvo/Secrets.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
using TPgResultPtr = std::unique_ptr<PGresult, decltype(&PQclear)>;

constexpr const char* kServer = "PostgreSQL";

bool IsUri(const std::string& t) { return t.rfind("postgresql://", 0) == 0 || t.rfind("postgres://", 0) == 0; }

std::string Int8(PGresult* res, int row, int col) { return PQgetvalue(res, row, col); }
}  // namespace

TPgConnection::TPgConnection(const TDVConnectParams& params) : shownTarget_(MaskPasswords(params.Target)) {
  std::vector<const char*> keys{"connect_timeout", "fallback_application_name", "client_encoding"};
  std::vector<const char*> values{"10", "Dralvo", "UTF8"};
  std::string target = rtl::Trim(params.Target), host, port, dbname;
  if (IsUri(target) || target.find('=') != std::string::npos) {
    keys.push_back("dbname");
    values.push_back(target.c_str());
  } else if (size_t slash = target.rfind('/'); slash != std::string::npos) {
    // host[:port]/database
    std::string hostPort = target.substr(0, slash);
    dbname = target.substr(slash + 1);
    size_t colon = hostPort.rfind(':');
    bool bracketed = !hostPort.empty() && hostPort[0] == '[';
    if (colon != std::string::npos && (!bracketed || hostPort.find(']') < colon)) {
      host = hostPort.substr(0, colon);
      port = hostPort.substr(colon + 1);
    } else {
      host = hostPort;
    }
    if (bracketed && host.size() >= 2 && host.back() == ']') host = host.substr(1, host.size() - 2);
    if (!host.empty()) keys.push_back("host"), values.push_back(host.c_str());
    if (!port.empty()) keys.push_back("port"), values.push_back(port.c_str());
    if (!dbname.empty()) keys.push_back("dbname"), values.push_back(dbname.c_str());
  } else if (!target.empty()) {
    keys.push_back("dbname");
    values.push_back(target.c_str());
  }
  if (!params.UserName.empty()) keys.push_back("user"), values.push_back(params.UserName.c_str());
  if (!params.Password.empty()) keys.push_back("password"), values.push_back(params.Password.c_str());
  keys.push_back(nullptr);
  values.push_back(nullptr);
  conn_ = PQconnectdbParams(keys.data(), values.data(), 1);
  if (conn_ == nullptr || PQstatus(conn_) != CONNECTION_OK) {
    std::string msg = conn_ != nullptr ? rtl::Trim(PQerrorMessage(conn_)) : "out of memory";
    PQfinish(conn_);
    conn_ = nullptr;
    RaiseDatabaseError(SConnectFailed, {std::string(kServer), shownTarget_.empty() ? "(default)" : shownTarget_, msg});
  }
}

TPgConnection::~TPgConnection() {
  // Cursors end before their connection; one left over only lets go.
  if (streaming_ != nullptr) streaming_->EndStream();
  PQfinish(conn_);
}

std::string TPgConnection::QuoteName(const std::string& name) const { return QuoteSqlName(name); }

void TPgConnection::Fail(PGresult* res) const {
  std::string msg = rtl::Trim(res != nullptr ? PQresultErrorMessage(res) : PQerrorMessage(conn_));
  if (msg.empty()) msg = rtl::Trim(PQerrorMessage(conn_));
  PQclear(res);
  Fail(msg);
}

void TPgConnection::Fail(const std::string& message) const {
  RaiseDatabaseError(SServerError,
                     {std::string(kServer), shownTarget_.empty() ? "(default)" : shownTarget_, rtl::Trim(message)});
}

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

std::unique_ptr<TDVCursor> TPgConnection::OpenCursor(const std::string& sql, const std::vector<db::TValue>& params,
                                                     std::shared_ptr<TDVInterrupt> interrupt) {
  return std::make_unique<TPgCursor>(*this, sql, params, std::move(interrupt));
}

PGresult* TPgConnection::Run(const std::string& sql, const std::vector<db::TValue>& params) {
  ParkStream();
  std::vector<std::string> texts;
  std::vector<const char*> ptrs;
  ParamTexts(params, texts, ptrs);
  PGresult* res = PQexecParams(conn_, sql.c_str(), static_cast<int>(params.size()), nullptr, ptrs.data(), nullptr,
                               nullptr, 0);
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
  ParkStream();
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
  TPgResultPtr prep(PQprepare(conn_, "dv_prepare_only", sql.c_str(), 0, nullptr), &PQclear);
  if (PQresultStatus(prep.get()) != PGRES_COMMAND_OK) {
    message = rtl::Trim(prep != nullptr ? PQresultErrorMessage(prep.get()) : PQerrorMessage(conn_));
    if (message.empty()) message = "the statement could not be prepared";
  } else {
    TPgResultPtr desc(PQdescribePrepared(conn_, "dv_prepare_only"), &PQclear);
    if (PQresultStatus(desc.get()) != PGRES_COMMAND_OK) message = rtl::Trim(PQresultErrorMessage(desc.get()));
    PQclear(PQexec(conn_, "deallocate dv_prepare_only"));
  }
  TPgResultPtr rollback(Run("rollback", {}), &PQclear);
  return message.rfind("ERROR:", 0) == 0 ? rtl::Trim(message.substr(6)) : message;
}

// Unreserved words may stand bare anywhere; every other kind may not in
// some place a name stands in an update statement.
std::vector<std::string> TPgConnection::ReservedWords() {
  return Column("select word from pg_get_keywords() where catcode <> 'U'", {});
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

bool TPgConnection::FindRelation(const std::string& schema, const std::string& name, TDVTableRef& ref) {
  static const std::string kSelect =
      "select c.oid::int8, n.nspname, c.relname from pg_class c join pg_namespace n on n.oid = c.relnamespace"
      " where c.relkind in ('r', 'v', 'm', 'f', 'p') and ";
  TPgResultPtr res(schema.empty() ? Run(kSelect + "c.relname = $1 and pg_table_is_visible(c.oid) limit 1",
                                        {db::TValue(name)})
                                  : Run(kSelect + "n.nspname = $1 and c.relname = $2 limit 1",
                                        {db::TValue(schema), db::TValue(name)}),
                   &PQclear);
  if (PQntuples(res.get()) == 0) return false;
  ref = TDVTableRef{};
  ref.Oid = static_cast<uint32_t>(std::strtoul(PQgetvalue(res.get(), 0, 0), nullptr, 10));
  ref.Schema = PQgetvalue(res.get(), 0, 1);
  ref.Name = PQgetvalue(res.get(), 0, 2);
  ref.Quoted = QuoteSqlName(ref.Schema) + "." + QuoteSqlName(ref.Name);
  return true;
}

bool TPgConnection::FindTable(const std::string& name, TDVTableRef& ref) {
  // As the server would resolve the name (bare parts fold to lower case),
  // then as typed, so that a name a person types without the quotes it
  // needs is still found.
  std::vector<TNamePart> parts = SplitObjectName(name);
  if (parts.size() == 1)
    for (const std::string& t : PartCandidates(parts[0], true))
      if (FindRelation("", t, ref)) return true;
  if (parts.size() == 2)
    for (const std::string& s : PartCandidates(parts[0], true))
      for (const std::string& t : PartCandidates(parts[1], true))
        if (FindRelation(s, t, ref)) return true;
  std::string whole = rtl::Trim(name);
  if (!whole.empty() && (parts.size() != 1 || parts[0].Text != whole)) return FindRelation("", whole, ref);
  return false;
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
