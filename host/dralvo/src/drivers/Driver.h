#pragma once
// The driver seam, private to the runtime: one connection class per server
// type on one base. The base owns what every server shares: reading a
// dotted name the way the server would, quoting, the server's naming rules,
// turning ":name" parameters into the server's markers, and raising errors
// in one form (server, target, message; a wait that ran out apart). A
// driver supplies the primitives: run, describe, prepare only, and the
// catalog look-ups for one already split name. Every name given by a person
// reaches the server as a bound parameter or quoted by QuoteName.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Dialect.h"
#include "db/FieldType.h"
#include "db/Value.h"
#include "dralvo/NameRules.h"
#include "dralvo/Result.h"
#include "rtl/system/Exceptions.h"

namespace dralvo {

class TDVCursor;
class TDVInterrupt;

// A wait bounded by TDVWaitLimits ran out (a lock held elsewhere, a
// statement too long): nothing was decided about the statement.
class EDVWaitExpired : public rtl::EDatabaseError {
 public:
  using rtl::EDatabaseError::EDatabaseError;
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
  bool ScalarFunction = false;  // called in a select list: "select f(...)"
  // Run as "execute procedure p(inputs)", its outputs one row (Firebird).
  bool ExecuteProcedure = false;
  std::vector<TDVProcParam> Params;
};

// A table name resolved the way the server would find it.
struct TDVTableRef {
  std::string Schema;     // empty: the default
  std::string Name;       // the name as stored
  std::string Quoted;     // quoted (and qualified when needed) for SQL text
  uint32_t Oid = 0;       // server's object id, where it has one
};

class TDVConnection {
 public:
  // shownTarget: the target as messages show it (passwords masked).
  TDVConnection(const TDVDialect& dialect, std::string shownTarget);
  TDVConnection(const TDVConnection&) = delete;
  TDVConnection& operator=(const TDVConnection&) = delete;
  virtual ~TDVConnection() = default;

  const TDVDialect& Dialect() const { return dialect_; }
  TDVServerType ServerType() const { return dialect_.Type; }
  // The connection target as shown in messages (never the password).
  const std::string& Target() const { return target_; }
  std::string QuoteName(const std::string& name) const;
  // How this server reads bare names; its reserved words are asked once.
  std::shared_ptr<const TDVNameRules> NameRules();
  // How this session's reader splits SQL text: the dialect's rules, with
  // double quotes around names wherever the session quotes names with them.
  virtual sql::LexicalRules Lexis() const;
  // ":name" parameters as this server marks them, with the names in order.
  sql::PositionalSql Positional(const std::string& text) const;

  // Runs one statement with positional parameters.
  virtual TDVResult Execute(const std::string& sql, const std::vector<db::TValue>& params) = 0;
  // From now on until the connection closes nothing run on it changes
  // anything: SQLite prepares statements that read alone, PostgreSQL and
  // MariaDB work in a read-only session and transaction (a MariaDB cursor
  // does not run a statement the server says gives no rows). Called again,
  // it starts a read-only transaction where the last one ended (rolling
  // back one that failed).
  virtual void StartReadOnly() = 0;
  bool ReadOnly() const { return readOnly_; }
  // Runs a query whose records are then fetched a packet at a time
  // (Cursor.h); `interrupt` stops it from another thread.
  virtual std::unique_ptr<TDVCursor> OpenCursor(const std::string& sql, const std::vector<db::TValue>& params,
                                                std::shared_ptr<TDVInterrupt> interrupt) = 0;
  // Describes the result columns of a statement without running it.
  virtual std::vector<TDVColumnDesc> Describe(const std::string& sql) = 0;
  // Prepares a statement with positional parameters and drops it, never
  // running it (nothing is changed). The server's own message when it does
  // not accept the statement; empty when it does. A wait that ran out
  // raises EDVWaitExpired instead.
  virtual std::string PrepareOnly(const std::string& sql) = 0;
  virtual std::string ServerVersion() = 0;

  virtual bool SupportsSchemas() const = 0;
  virtual bool SupportsStoredProcs() const = 0;
  // The table (or view) a person means by `name`: as the server would
  // read it, then as typed.
  bool FindTable(const std::string& name, TDVTableRef& ref);
  virtual void GetTableNames(const std::string& pattern, bool systemTables, std::vector<std::string>& names) = 0;
  virtual void GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) = 0;
  // FindTable then GetFieldNames, for drivers that can do both in one
  // question; false (and no names) when there is no such table. The table
  // found goes to `ref` when given.
  virtual bool FindFieldNames(const std::string& name, std::vector<std::string>& names, TDVTableRef* ref);
  virtual void GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) = 0;
  virtual void GetStoredProcNames(std::vector<std::string>& names) { names.clear(); }
  // False when there is no such procedure; the name is read as FindTable does.
  bool DescribeStoredProc(const std::string& name, TDVProcDesc& desc);
  // Columns that cannot hold null.
  virtual void GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) = 0;
  // The primary key's columns in key order; none without a primary key.
  virtual void GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) = 0;
  // Why a rollback might leave changes to the table named `name` in place
  // (a MariaDB table whose engine has no transactions); empty when it
  // undoes them, as on every server whose tables are all transactional.
  virtual std::string WhyNotRolledBack(const std::string& /*name*/) { return {}; }
  // Whether a statement this connection is still reading keeps another
  // connection from committing (SQLite's file locks): its rows are then
  // read ahead before another connection writes.
  virtual bool ReadingHoldsOffWriters() const { return false; }

 protected:
  // The words this server does not take as bare names; the dialect's list
  // unless the driver asks the server.
  virtual std::vector<std::string> ReservedWords() { return dialect_.ReservedWords(); }
  // The character that encloses a name in this session.
  virtual char QuoteChar() const { return dialect_.Quote; }
  // One catalog look-up of a split name (schema empty: the default).
  virtual bool LookupTable(const std::string& schema, const std::string& name, TDVTableRef& ref) = 0;
  virtual bool LookupStoredProc(const std::string& /*schema*/, const std::string& /*name*/, TDVProcDesc& /*desc*/) {
    return false;
  }
  // Tries each way `name` can name an object, as the server would read it
  // (each part quoted exactly, or bare as the dialect folds it, then as
  // typed), then the whole text as one name, until `lookup` finds one.
  bool ResolveName(const std::string& name,
                   const std::function<bool(const std::string& schema, const std::string& name)>& lookup) const;
  // A table reference for a name as stored, quoted and qualified.
  TDVTableRef TableRef(const std::string& schema, const std::string& name) const;
  [[noreturn]] void RaiseServerError(const std::string& message, bool waitExpired = false) const;
  [[noreturn]] void RaiseConnectFailed(const std::string& message) const;
  void SetReadOnly() { readOnly_ = true; }

 private:
  const TDVDialect& dialect_;
  std::string target_;
  std::shared_ptr<const TDVNameRules> nameRules_;
  std::vector<std::string> reservedWords_;
  bool reservedWordsRead_ = false;
  bool readOnly_ = false;
};

}  // namespace dralvo
