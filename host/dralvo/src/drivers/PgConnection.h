#pragma once
// The PostgreSQL driver, through libpq. Parameters always travel apart from
// the statement text (PQexecParams).
#include <string>

#include "dralvo/Driver.h"

struct pg_conn;
struct pg_result;

namespace dralvo {

class TPgCursor;

class TPgConnection : public TDVConnection {
 public:
  // Target: a URI (postgresql://...), a key=value string, host[:port]/db,
  // a bare database name, or empty for libpq's environment defaults.
  explicit TPgConnection(const TDVConnectParams& params);
  ~TPgConnection() override;

  TDVServerType ServerType() const override { return TDVServerType::stPostgreSQL; }
  std::string Target() const override { return shownTarget_; }
  std::string ParamMarker(int n) const override { return "$" + std::to_string(n); }
  std::string QuoteName(const std::string& name) const override;

  TDVResult Execute(const std::string& sql, const std::vector<db::TValue>& params) override;
  std::unique_ptr<TDVCursor> OpenCursor(const std::string& sql, const std::vector<db::TValue>& params,
                                        std::shared_ptr<TDVInterrupt> interrupt) override;
  std::vector<TDVColumnDesc> Describe(const std::string& sql) override;
  std::string PrepareOnly(const std::string& sql) override;

  bool SupportsSchemas() const override { return true; }
  bool SupportsStoredProcs() const override { return true; }
  bool FindTable(const std::string& name, TDVTableRef& ref) override;
  void GetTableNames(const std::string& pattern, bool systemTables, std::vector<std::string>& names) override;
  void GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) override;
  void GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) override;
  void GetStoredProcNames(std::vector<std::string>& names) override;
  bool DescribeStoredProc(const std::string& name, TDVProcDesc& desc) override;
  void GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) override;
  void GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) override;

 protected:
  std::vector<std::string> ReservedWords() override;
  bool FoldsToLower() const override { return true; }

 private:
  friend class TPgCursor;
  [[noreturn]] void Fail(pg_result* res) const;
  [[noreturn]] void Fail(const std::string& message) const;
  // Parameter values as text for libpq (null stays a null pointer).
  static void ParamTexts(const std::vector<db::TValue>& params, std::vector<std::string>& texts,
                         std::vector<const char*>& values);
  // Lets the cursor streaming on this connection read its rows ahead, so
  // that another statement can run.
  void ParkStream();
  pg_result* Run(const std::string& sql, const std::vector<db::TValue>& params);
  std::vector<std::string> Column(const std::string& sql, const std::vector<db::TValue>& params);
  bool FindRelation(const std::string& schema, const std::string& name, TDVTableRef& ref);

  pg_conn* conn_ = nullptr;
  std::string shownTarget_;
  TPgCursor* streaming_ = nullptr;
};

}  // namespace dralvo
