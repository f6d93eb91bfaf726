#include "SQLiteStatement.h"

#include <sqlite3.h>

#include <cstring>

#include "../Errors.h"
#include "dralvo/Consts.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

bool OnlyTrailer(const char* tail) {
  while (*tail != 0) {
    char c = *tail;
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';') {
      ++tail;
    } else if (c == '-' && tail[1] == '-') {
      while (*tail != 0 && *tail != '\n') ++tail;
    } else if (c == '/' && tail[1] == '*') {
      const char* end = std::strstr(tail + 2, "*/");
      if (end == nullptr) return true;
      tail = end + 2;
    } else {
      return false;
    }
  }
  return true;
}

TSQLiteStatement::TSQLiteStatement(sqlite3* db, const std::string& sql, const std::string& file)
    : db_(db), file_(file) {
  const char* tail = nullptr;
  // The nul counted: the text is read in place (PrepareOnly says why).
  if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size() + 1), &stmt_, &tail) != SQLITE_OK) Fail("");
  if (stmt_ == nullptr) RaiseDatabaseError(SServerError, {std::string("SQLite"), file_, std::string(SNoSQLStatement)});
  if (tail != nullptr && !OnlyTrailer(tail)) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    RaiseDatabaseError(SServerError,
                       {std::string("SQLite"), file_, std::string("more than one statement in one call")});
  }
}

TSQLiteStatement::TSQLiteStatement(sqlite3* db, sqlite3_stmt* kept, const std::string& file)
    : db_(db), stmt_(kept), file_(file), kept_(true) {}

TSQLiteStatement::~TSQLiteStatement() {
  if (!kept_) {
    sqlite3_finalize(stmt_);
    return;
  }
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

sqlite3_stmt* TSQLiteStatement::PrepareKept(sqlite3* db, const std::string& sql, const std::string& file) {
  TSQLiteStatement stmt(db, sql, file);
  sqlite3_stmt* kept = stmt.stmt_;
  stmt.stmt_ = nullptr;
  return kept;
}

bool SQLiteWaitExpired(sqlite3* db) {
  const int code = sqlite3_errcode(db) & 0xff;
  return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

void TSQLiteStatement::Fail(const std::string& what) const {
  const std::string message = what + sqlite3_errmsg(db_);
  if (SQLiteWaitExpired(db_))
    throw EDVWaitExpired(MaskPasswords(rtl::Format(SServerError, {std::string("SQLite"), file_, message})));
  RaiseDatabaseError(SServerError, {std::string("SQLite"), file_, message});
}

void TSQLiteStatement::Bind(const std::vector<db::TValue>& params) {
  int expected = sqlite3_bind_parameter_count(stmt_);
  if (expected != static_cast<int>(params.size()))
    RaiseDatabaseError(SServerError, {std::string("SQLite"), file_,
                                      rtl::Format("the statement takes %d parameters, %d given",
                                                  {int64_t{expected}, static_cast<int64_t>(params.size())})});
  for (int i = 0; i < expected; ++i) {
    const db::TValue& v = params[static_cast<size_t>(i)];
    int rc;
    if (v.IsNull())
      rc = sqlite3_bind_null(stmt_, i + 1);
    else if (v.IsInteger())
      rc = sqlite3_bind_int64(stmt_, i + 1, v.AsInteger());
    else if (v.IsFloat())
      rc = sqlite3_bind_double(stmt_, i + 1, v.AsFloat());
    else {
      std::string s = v.AsString();
      rc = sqlite3_bind_text(stmt_, i + 1, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) Fail("binding parameter " + std::to_string(i + 1) + ": ");
  }
}

bool TSQLiteStatement::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  Fail("");
}

bool TSQLiteStatement::ReadOnly() const { return sqlite3_stmt_readonly(stmt_) != 0; }

std::vector<TDVColumnDesc> TSQLiteStatement::Columns(bool withOrigins) const {
  std::vector<TDVColumnDesc> cols;
  int n = sqlite3_column_count(stmt_);
  for (int i = 0; i < n; ++i) {
    TDVColumnDesc c;
    const char* name = sqlite3_column_name(stmt_, i);
    c.Name = name != nullptr ? name : "";
    const char* decl = sqlite3_column_decltype(stmt_, i);
    c.DataType = decl != nullptr ? FieldTypeOfDecl(decl) : db::TFieldType::ftUnknown;
    if (withOrigins) {
      const char* table = sqlite3_column_table_name(stmt_, i);
      const char* column = sqlite3_column_origin_name(stmt_, i);
      c.Table = table != nullptr ? table : "";
      c.Column = column != nullptr ? column : "";
    }
    cols.push_back(std::move(c));
  }
  return cols;
}

std::vector<db::TValue> TSQLiteStatement::Row() const {
  int n = sqlite3_column_count(stmt_);
  std::vector<db::TValue> row;
  row.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    switch (sqlite3_column_type(stmt_, i)) {
      case SQLITE_INTEGER:
        row.emplace_back(static_cast<int64_t>(sqlite3_column_int64(stmt_, i)));
        break;
      case SQLITE_FLOAT:
        row.emplace_back(sqlite3_column_double(stmt_, i));
        break;
      case SQLITE_NULL:
        row.emplace_back();
        break;
      default: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
        int len = sqlite3_column_bytes(stmt_, i);
        row.emplace_back(p != nullptr ? std::string(p, static_cast<size_t>(len)) : std::string());
      }
    }
  }
  return row;
}

void TSQLiteStatement::FillMissingTypes(TDVResult& result) const {
  for (size_t c = 0; c < result.Columns.size(); ++c) {
    if (result.Columns[c].DataType != db::TFieldType::ftUnknown) continue;
    db::TFieldType type = db::TFieldType::ftString;
    for (const auto& row : result.Rows) {
      const db::TValue& v = row[c];
      if (v.IsNull()) continue;
      type = v.IsInteger() ? db::TFieldType::ftLargeint : v.IsFloat() ? db::TFieldType::ftFloat : db::TFieldType::ftString;
      break;
    }
    result.Columns[c].DataType = type;
  }
}

std::string TSQLiteStatement::Text(int column) const {
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  return p != nullptr ? std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, column))) : std::string();
}

int64_t TSQLiteStatement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

db::TFieldType FieldTypeOfDecl(const std::string& declType) {
  std::string t = rtl::UpperCase(declType);
  auto has = [&](const char* s) { return t.find(s) != std::string::npos; };
  if (has("INT")) return db::TFieldType::ftLargeint;
  if (has("BOOL")) return db::TFieldType::ftBoolean;
  if (has("CHAR") || has("CLOB") || has("TEXT")) return db::TFieldType::ftString;
  if (has("BLOB") || t.empty()) return db::TFieldType::ftBlob;
  if (has("REAL") || has("FLOA") || has("DOUB")) return db::TFieldType::ftFloat;
  if (has("DATE") || has("TIME")) return db::TFieldType::ftDateTime;
  return db::TFieldType::ftFloat;  // NUMERIC affinity
}

}  // namespace dralvo
