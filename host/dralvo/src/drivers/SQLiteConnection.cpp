#include "SQLiteConnection.h"

#include <sqlite3.h>

#include <algorithm>

#include "../Errors.h"
#include "SQLiteCursor.h"
#include "SQLiteStatement.h"
#include "dralvo/Consts.h"
#include "dralvo/SchemaInfo.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

TSQLiteConnection::TSQLiteConnection(const TDVConnectParams& params)
    : TDVConnection(DialectOf(TDVServerType::stSQLite), params.Target), file_(params.Target) {
  if (rtl::Trim(file_).empty()) RaiseDatabaseError(SRemoteDatabaseMissing, {std::string("SQLite")});
  // Read-write only: a missing file is an error, never a new empty database.
  int rc = sqlite3_open_v2(file_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    RaiseConnectFailed(msg);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, params.Waits.LockMs);
  // A file that is not a database fails only on first read; find out now.
  try {
    Execute("select count(*) from sqlite_schema", {});
  } catch (const rtl::EDatabaseError&) {
    std::string msg = sqlite3_errmsg(db_);
    sqlite3_close(db_);
    db_ = nullptr;
    RaiseConnectFailed(msg);
  }
}

TSQLiteConnection::~TSQLiteConnection() {
  for (auto& [sql, stmt] : kept_) sqlite3_finalize(stmt);
  sqlite3_close_v2(db_);
}

sqlite3_stmt* TSQLiteConnection::Kept(const std::string& sql) {
  auto it = kept_.find(sql);
  if (it != kept_.end()) return it->second;
  sqlite3_stmt* stmt = TSQLiteStatement::PrepareKept(db_, sql, file_);
  kept_.emplace(sql, stmt);
  return stmt;
}

void TSQLiteConnection::Fail(const std::string& what) const {
  RaiseServerError(what + sqlite3_errmsg(db_), SQLiteWaitExpired(db_));
}

TDVResult TSQLiteConnection::Execute(const std::string& sql, const std::vector<db::TValue>& params) {
  TSQLiteStatement stmt(db_, sql, file_);
  stmt.Bind(params);
  TDVResult result;
  result.Columns = stmt.Columns(false);
  bool readOnly = stmt.ReadOnly();
  while (stmt.Step()) result.Rows.push_back(stmt.Row());
  stmt.FillMissingTypes(result);
  result.RowsAffected = readOnly ? 0 : sqlite3_changes64(db_);
  return result;
}

std::unique_ptr<TDVCursor> TSQLiteConnection::OpenCursor(const std::string& sql,
                                                         const std::vector<db::TValue>& params,
                                                         std::shared_ptr<TDVInterrupt> interrupt) {
  return std::make_unique<TSQLiteCursor>(db_, file_, sql, params, std::move(interrupt));
}

std::vector<TDVColumnDesc> TSQLiteConnection::Describe(const std::string& sql) {
  TSQLiteStatement stmt(db_, sql, file_);
  return stmt.Columns(true);
}

std::string TSQLiteConnection::PrepareOnly(const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  const char* tail = nullptr;
  // The terminating nul counted, SQLite reads the text in place instead of
  // copying it first.
  int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size() + 1), &stmt, &tail);
  std::string message = rc == SQLITE_OK ? "" : sqlite3_errmsg(db_);
  if (rc != SQLITE_OK && SQLiteWaitExpired(db_)) {
    sqlite3_finalize(stmt);
    RaiseServerError(message, true);
  }
  if (rc == SQLITE_OK && stmt == nullptr) message = SNoSQLStatement;
  // The runtime runs one statement a call: more would be refused there.
  if (rc == SQLITE_OK && stmt != nullptr && tail != nullptr && !OnlyTrailer(tail))
    message = "more than one statement in one call";
  sqlite3_finalize(stmt);
  return message;
}

std::string TSQLiteConnection::ServerVersion() { return sqlite3_libversion(); }

std::vector<std::string> SQLiteKeywords() {
  std::vector<std::string> words;
  for (int i = 0, n = sqlite3_keyword_count(); i < n; ++i) {
    const char* word = nullptr;
    int size = 0;
    if (sqlite3_keyword_name(i, &word, &size) == SQLITE_OK) words.emplace_back(word, static_cast<size_t>(size));
  }
  return words;
}

void TSQLiteConnection::TableInfoNames(const TDVTableRef& table, std::string query,
                                       std::vector<std::string>& names) {
  const std::string info = table.Schema.empty() ? "pragma_table_info(?1)" : "pragma_table_info(?1, ?2)";
  const std::string marker = "$info";
  for (size_t at = query.find(marker); at != std::string::npos; at = query.find(marker, at + info.size()))
    query.replace(at, marker.size(), info);
  TSQLiteStatement stmt(db_, Kept(query), file_);
  std::vector<db::TValue> args{db::TValue(table.Name)};
  if (!table.Schema.empty()) args.emplace_back(table.Schema);
  stmt.Bind(args);
  names.clear();
  while (stmt.Step()) names.push_back(stmt.Text(0));
}

void TSQLiteConnection::GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) {
  // An INTEGER PRIMARY KEY is the rowid, which is never null.
  TableInfoNames(table,
                 "select name from $info where \"notnull\" or (pk = 1 and upper(type) = 'INTEGER'"
                 " and (select count(*) from $info where pk > 0) = 1) order by cid",
                 names);
}

void TSQLiteConnection::GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) {
  TableInfoNames(table, "select name from $info where pk > 0 order by pk", names);
}

bool TSQLiteConnection::TableExists(const std::string& schema, const std::string& name) {
  // Tables without a catalog query (views answer only to the query below).
  if (sqlite3_table_column_metadata(db_, schema.empty() ? nullptr : schema.c_str(), name.c_str(), nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr) == SQLITE_OK)
    return true;
  // The pragma functions look the name up in the schema's hash table and
  // ignore letter case, as SQLite itself does.
  TSQLiteStatement stmt(db_,
                        Kept(schema.empty() ? "select 1 from pragma_table_info(?1) limit 1"
                                            : "select 1 from pragma_table_info(?1, ?2) limit 1"),
                        file_);
  std::vector<db::TValue> args{db::TValue(name)};
  if (!schema.empty()) args.emplace_back(schema);
  stmt.Bind(args);
  return stmt.Step();
}

bool TSQLiteConnection::SchemaExists(const std::string& schema) {
  TSQLiteStatement stmt(db_, Kept("select 1 from pragma_database_list where name = ?1 collate nocase"), file_);
  stmt.Bind({db::TValue(schema)});
  return stmt.Step();
}

// "a.b" names table b of attached database a only when there is one.
bool TSQLiteConnection::LookupTable(const std::string& schema, const std::string& name, TDVTableRef& ref) {
  if ((!schema.empty() && !SchemaExists(schema)) || !TableExists(schema, name)) return false;
  ref = TableRef(schema, name);
  return true;
}

// Every table and view has at least one column, so the column query itself
// tells whether the name was found: one catalog question instead of two.
bool TSQLiteConnection::FindFieldNames(const std::string& name, std::vector<std::string>& names, TDVTableRef* ref) {
  TDVTableRef found;
  names.clear();
  bool ok = ResolveName(name, [&](const std::string& schema, const std::string& table) {
    if (!schema.empty() && !SchemaExists(schema)) return false;
    found = TableRef(schema, table);
    GetFieldNames(found, names);
    return !names.empty();
  });
  if (ok && ref != nullptr) *ref = std::move(found);
  return ok;
}

void TSQLiteConnection::GetTableNames(const std::string& pattern, bool systemTables, std::vector<std::string>& names) {
  std::string sql = "select name from sqlite_schema where type in ('table', 'view')";
  if (!pattern.empty()) sql += " and name like ?1";
  if (!systemTables) sql += " and name not like 'sqlite\\_%' escape '\\'";
  sql += " order by name";
  TSQLiteStatement stmt(db_, Kept(sql), file_);
  if (!pattern.empty()) stmt.Bind({db::TValue(pattern)});
  names.clear();
  while (stmt.Step()) names.push_back(stmt.Text(0));
}

void TSQLiteConnection::GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) {
  TableInfoNames(table, "select name from $info order by cid", names);
}

void TSQLiteConnection::GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) {
  // One statement: the declared indexes with their key columns, and the
  // primary-key columns of the table itself, which are the only trace of a
  // rowid-alias key (it has no index of its own).
  const std::string schemaArg = table.Schema.empty() ? "" : ", ?2";
  std::string sql =
      "select 0, il.seq, il.name, il.\"unique\", il.origin, il.partial, ix.name, ix.seqno"
      " from pragma_index_list(?1" + schemaArg + ") il, pragma_index_xinfo(il.name" + schemaArg + ") ix"
      " where ix.key"
      " union all select 1, 0, null, 1, 'pk', 0, ti.name, ti.pk - 1 from pragma_table_info(?1" + schemaArg + ") ti"
      " where ti.pk > 0"
      " order by 1, 2, 8";
  TSQLiteStatement stmt(db_, Kept(sql), file_);
  std::vector<db::TValue> args{db::TValue(table.Name)};
  if (!table.Schema.empty()) args.emplace_back(table.Schema);
  stmt.Bind(args);
  rows.clear();
  std::vector<TDVIndexColumn> tablePk;
  bool pkIndexSeen = false;
  while (stmt.Step()) {
    TDVIndexColumn row;
    bool fromTable = stmt.Int(0) == 1;
    bool unique = stmt.Int(3) != 0;
    std::string origin = stmt.Text(4);
    bool partial = stmt.Int(5) != 0;
    row.IndexName = fromTable ? std::string(SPrimary) : stmt.Text(2);
    row.ColumnName = stmt.Text(6);
    row.Position = static_cast<int>(stmt.Int(7)) + 1;
    // A partial unique index does not make its columns a key.
    if (origin == "pk")
      row.IndexType = IndexTypePrimary | IndexTypeUnique;
    else if (unique && !partial)
      row.IndexType = IndexTypeUnique;
    if (fromTable) {
      tablePk.push_back(std::move(row));
    } else {
      pkIndexSeen = pkIndexSeen || origin == "pk";
      rows.push_back(std::move(row));
    }
  }
  // The table's own key columns stand for the rowid alias only when no
  // primary-key index exists; it leads, as the primary index.
  if (!pkIndexSeen && !tablePk.empty()) rows.insert(rows.begin(), tablePk.begin(), tablePk.end());
}

}  // namespace dralvo
