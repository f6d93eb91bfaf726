#pragma once
// Drivers: one per server type, behind one interface. The components never
// know which server they talk to. Every name given by a person reaches the
// server as a bound parameter or quoted by QuoteName.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/FieldType.h"
#include "db/Value.h"
#include "dralvo/NameRules.h"
#include "dralvo/ServerTypes.h"

namespace dralvo {

class TDVCursor;
class TDVInterrupt;

struct TDVConnectParams {
  std::string Target;    // SQLite file, or PostgreSQL URI / key=value / host[:port]/db
  std::string UserName;
  std::string Password;  // never shown in messages
};

struct TDVColumnDesc {
  std::string Name;           // result column name
  db::TFieldType DataType = db::TFieldType::ftUnknown;
  std::string Table;          // origin table, empty for expressions
  std::string Column;         // origin column, empty for expressions
};

struct TDVResult {
  std::vector<TDVColumnDesc> Columns;
  std::vector<std::vector<db::TValue>> Rows;
  int64_t RowsAffected = 0;
};

// One row of the index schema.
struct TDVIndexColumn {
  std::string IndexName;
  std::string ColumnName;  // empty for an expression
  int IndexType = 0;       // IndexTypePrimary | IndexTypeUnique; 0: plain
  int Position = 0;        // 1-based key position
};

struct TDVProcParam {
  std::string Name;
  db::TFieldType DataType = db::TFieldType::ftUnknown;
  db::TParamType ParamType = db::TParamType::ptInput;
};

struct TDVProcDesc {
  std::string CallName;    // quoted, qualified name to call
  bool IsProcedure = false;  // CALL rather than SELECT
  bool ReturnsSet = false;
  std::vector<TDVProcParam> Params;
};

// A table name resolved the way the server would find it.
struct TDVTableRef {
  std::string Schema;     // empty: the default
  std::string Name;       // the name as stored
  std::string Quoted;     // quoted (and qualified when needed) for SQL text
  uint32_t Oid = 0;       // PostgreSQL object id
};

class TDVConnection {
 public:
  TDVConnection() = default;
  TDVConnection(const TDVConnection&) = delete;
  TDVConnection& operator=(const TDVConnection&) = delete;
  virtual ~TDVConnection() = default;

  virtual TDVServerType ServerType() const = 0;
  // The connection target as shown in messages (never the password).
  virtual std::string Target() const = 0;
  // The marker of the n-th (1-based) positional parameter ("?1", "$1").
  virtual std::string ParamMarker(int n) const = 0;
  virtual std::string QuoteName(const std::string& name) const = 0;
  // How this server reads bare names; its reserved words are asked once.
  std::shared_ptr<const TDVNameRules> NameRules();

  // Runs one statement with positional parameters.
  virtual TDVResult Execute(const std::string& sql, const std::vector<db::TValue>& params) = 0;
  // Runs a query whose records are then fetched a packet at a time
  // (drivers/Cursor.h); `interrupt` stops it from another thread.
  virtual std::unique_ptr<TDVCursor> OpenCursor(const std::string& sql, const std::vector<db::TValue>& params,
                                                std::shared_ptr<TDVInterrupt> interrupt) = 0;
  // Describes the result columns of a statement without running it.
  virtual std::vector<TDVColumnDesc> Describe(const std::string& sql) = 0;
  // Prepares a statement with positional parameters and drops it, never
  // running it (nothing is changed). The server's own message when it does
  // not accept the statement; empty when it does.
  virtual std::string PrepareOnly(const std::string& sql) = 0;

  virtual bool SupportsSchemas() const = 0;
  virtual bool SupportsStoredProcs() const = 0;
  virtual bool FindTable(const std::string& name, TDVTableRef& ref) = 0;
  virtual void GetTableNames(const std::string& pattern, bool systemTables, std::vector<std::string>& names) = 0;
  virtual void GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) = 0;
  // FindTable then GetFieldNames, for drivers that can do both in one
  // question; false (and no names) when there is no such table. The table
  // found goes to `ref` when given.
  virtual bool FindFieldNames(const std::string& name, std::vector<std::string>& names, TDVTableRef* ref);
  virtual void GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) = 0;
  virtual void GetStoredProcNames(std::vector<std::string>& names) = 0;
  // False when there is no such procedure.
  virtual bool DescribeStoredProc(const std::string& name, TDVProcDesc& desc) = 0;
  // Columns that cannot hold null.
  virtual void GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) = 0;
  // The primary key's columns in key order; none without a primary key.
  virtual void GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) = 0;

 protected:
  // The words this server does not take as bare names, from the server.
  virtual std::vector<std::string> ReservedWords() = 0;
  virtual bool FoldsToLower() const = 0;

 private:
  std::shared_ptr<const TDVNameRules> nameRules_;
};

// Connects with the driver of `type`; raises EDatabaseError naming the
// server type, the target and the server's message.
std::unique_ptr<TDVConnection> ConnectDriver(TDVServerType type, const TDVConnectParams& params);

}  // namespace dralvo
