#pragma once
// The SQLite driver: one database file opened read-write (never created).
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "dralvo/Driver.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dralvo {

class TSQLiteConnection : public TDVConnection {
 public:
  // Raises EDatabaseError naming the file and SQLite's message.
  explicit TSQLiteConnection(const TDVConnectParams& params);
  ~TSQLiteConnection() override;

  TDVServerType ServerType() const override { return TDVServerType::stSQLite; }
  std::string Target() const override { return file_; }
  std::string ParamMarker(int n) const override { return "?" + std::to_string(n); }
  std::string QuoteName(const std::string& name) const override;

  TDVResult Execute(const std::string& sql, const std::vector<db::TValue>& params) override;
  std::unique_ptr<TDVCursor> OpenCursor(const std::string& sql, const std::vector<db::TValue>& params,
                                        std::shared_ptr<TDVInterrupt> interrupt) override;
  std::vector<TDVColumnDesc> Describe(const std::string& sql) override;
  std::string PrepareOnly(const std::string& sql) override;

  bool SupportsSchemas() const override { return false; }
  bool SupportsStoredProcs() const override { return false; }
  bool FindTable(const std::string& name, TDVTableRef& ref) override;
  void GetTableNames(const std::string& pattern, bool systemTables, std::vector<std::string>& names) override;
  void GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) override;
  bool FindFieldNames(const std::string& name, std::vector<std::string>& names, TDVTableRef* ref) override;
  void GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) override;
  void GetStoredProcNames(std::vector<std::string>& names) override { names.clear(); }
  bool DescribeStoredProc(const std::string&, TDVProcDesc&) override { return false; }
  void GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) override;
  void GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) override;

 protected:
  std::vector<std::string> ReservedWords() override;
  // Bare names are compared ignoring case, never folded.
  bool FoldsToLower() const override { return false; }

 private:
  [[noreturn]] void Fail(const std::string& what) const;
  bool TableExists(const std::string& schema, const std::string& name);
  bool SchemaExists(const std::string& schema);
  // Tries each way `name` can name a table, asking `exists` of each.
  bool ResolveTable(const std::string& name, TDVTableRef& ref,
                    const std::function<bool(const TDVTableRef&)>& exists);
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

}  // namespace dralvo
