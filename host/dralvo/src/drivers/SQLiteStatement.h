#pragma once
// One prepared SQLite statement, finalized on every path out.
#include <string>
#include <vector>

#include "Driver.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dralvo {

// Whether the last error of `db` is a lock the busy time-out gave up on.
bool SQLiteWaitExpired(sqlite3* db);

// True when only blanks, comments and semicolons remain after a statement.
bool OnlyTrailer(const char* tail);

class TSQLiteStatement {
 public:
  // Prepares the one statement of `sql`; text after it other than blanks,
  // comments and semicolons is an error (one call runs one statement).
  TSQLiteStatement(sqlite3* db, const std::string& sql, const std::string& file);
  // Uses a statement prepared earlier and kept by its owner; it is reset,
  // not finalized, when done.
  TSQLiteStatement(sqlite3* db, sqlite3_stmt* kept, const std::string& file);
  ~TSQLiteStatement();
  // Prepares the one statement of `sql` for keeping (the caller finalizes).
  static sqlite3_stmt* PrepareKept(sqlite3* db, const std::string& sql, const std::string& file);
  TSQLiteStatement(const TSQLiteStatement&) = delete;
  TSQLiteStatement& operator=(const TSQLiteStatement&) = delete;

  void Bind(const std::vector<db::TValue>& params);
  bool Step();  // true: a row is ready
  bool ReadOnly() const;
  std::vector<TDVColumnDesc> Columns(bool withOrigins) const;
  std::vector<db::TValue> Row() const;
  // Columns without a declared type take the type of their first value.
  void FillMissingTypes(TDVResult& result) const;
  std::string Text(int column) const;
  int64_t Int(int column) const;

 private:
  [[noreturn]] void Fail(const std::string& what) const;
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
  std::string file_;
  bool kept_ = false;
};

// Field type of a declared column type, by SQLite's affinity rules.
db::TFieldType FieldTypeOfDecl(const std::string& declType);

}  // namespace dralvo
