#pragma once
// The SQLite driver: one database file opened read-write (never created).
#include <map>
#include <memory>
#include <string>

#include "Driver.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dralvo {

class TSQLiteConnection : public TDVConnection {
 public:
  // Raises EDatabaseError naming the file and SQLite's message.
  explicit TSQLiteConnection(const TDVConnectParams& params);
  ~TSQLiteConnection() override;

  TDVResult Execute(const std::string& sql, const std::vector<db::TValue>& params) override;
  void StartReadOnly() override;
  std::unique_ptr<TDVCursor> OpenCursor(const std::string& sql, const std::vector<db::TValue>& params,
                                        std::shared_ptr<TDVInterrupt> interrupt) override;
  std::vector<TDVColumnDesc> Describe(const std::string& sql) override;
  std::string PrepareOnly(const std::string& sql) override;
  std::string ServerVersion() override;

  bool SupportsSchemas() const override { return false; }
  bool SupportsStoredProcs() const override { return false; }
  bool ReadingHoldsOffWriters() const override { return true; }
  void GetTableNames(const std::string& pattern, bool systemTables, std::vector<std::string>& names) override;
  void GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) override;
  bool FindFieldNames(const std::string& name, std::vector<std::string>& names, TDVTableRef* ref) override;
  void GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) override;
  void GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) override;
  void GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) override;

 protected:
  bool LookupTable(const std::string& schema, const std::string& name, TDVTableRef& ref) override;

 private:
  [[noreturn]] void Fail(const std::string& what) const;
  bool TableExists(const std::string& schema, const std::string& name);
  bool SchemaExists(const std::string& schema);
  // Catalog statements are fixed texts: prepared once, kept for the
  // connection's life.
  sqlite3_stmt* Kept(const std::string& sql);
  // The first column of `query` over the table's column list, which the
  // query names "$info" (the schema's list when the table names one).
  void TableInfoNames(const TDVTableRef& table, std::string query, std::vector<std::string>& names);

  std::string file_;
  sqlite3* db_ = nullptr;
  std::map<std::string, sqlite3_stmt*> kept_;
};

// The keywords of the linked library.
std::vector<std::string> SQLiteKeywords();

}  // namespace dralvo
