#pragma once
// The Firebird driver, through Firebird's client library: the embedded
// engine for a bare database file, a server for a firebird:// URL
// (FirebirdTarget.h). Every statement runs in a transaction: one the
// database started ("begin", "start transaction [read only]"), or else one
// of its own, committed when it succeeds. A dataset's query reads in a
// read-only transaction of its own. Lock waits are bounded by the
// transaction's lock time-out; Firebird 3 has no statement time-out, so
// the driver stops a statement that runs past STATEMENT TIMEOUT itself
// (FirebirdWatch.h).
#include <ibase.h>

#include <memory>
#include <string>
#include <vector>

#include "../Driver.h"
#include "FirebirdTarget.h"

namespace dralvo {

class TFirebirdCursor;
class TFirebirdStatement;
class TFirebirdStatus;
class TFirebirdWatch;

class TFirebirdConnection : public TDVConnection {
 public:
  // User and password given apart win over the target's.
  explicit TFirebirdConnection(const TDVConnectParams& params);
  ~TFirebirdConnection() override;

  TDVResult Execute(const std::string& sql, const std::vector<db::TValue>& params) override;
  std::unique_ptr<TDVCursor> OpenCursor(const std::string& sql, const std::vector<db::TValue>& params,
                                        std::shared_ptr<TDVInterrupt> interrupt) override;
  std::vector<TDVColumnDesc> Describe(const std::string& sql) override;
  std::string PrepareOnly(const std::string& sql) override;
  std::string ServerVersion() override;

  bool SupportsSchemas() const override { return false; }
  bool SupportsStoredProcs() const override { return true; }
  void GetTableNames(const std::string& pattern, bool systemTables, std::vector<std::string>& names) override;
  void GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) override;
  void GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) override;
  void GetStoredProcNames(std::vector<std::string>& names) override;
  void GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) override;
  void GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) override;

 protected:
  bool LookupTable(const std::string& schema, const std::string& name, TDVTableRef& ref) override;
  bool LookupStoredProc(const std::string& schema, const std::string& name, TDVProcDesc& desc) override;

 private:
  friend class TFirebirdCursor;
  // Raises the status's error: a lock wait or a statement stopped at its
  // limit as a wait that ran out, a stop that was asked for as cancelled.
  [[noreturn]] void Fail(const TFirebirdStatus& status) const;
  // "begin", "start transaction [read only | read write]", "commit",
  // "rollback" and "set transaction ...": false for any other statement.
  bool ControlTransaction(const std::string& sql);
  isc_tr_handle Start(bool readOnly);
  // Commits (or rolls back) and forgets the transaction; raises on failure
  // when `raise`.
  void End(isc_tr_handle& tr, bool commit, bool raise = true);
  // The transaction a statement runs in, and whether it is the statement's
  // own, to be ended after it.
  isc_tr_handle* StatementTransaction(isc_tr_handle& own, bool readOnly);
  TDVResult Run(isc_tr_handle* tr, const std::string& sql, const std::vector<db::TValue>& params);
  // Runs a statement in the database's transaction, or else in one of its
  // own, ended after it.
  TDVResult RunInTransaction(const std::string& sql, const std::vector<db::TValue>& params, bool readOnly);
  // A catalog query: read-only when it has a transaction of its own.
  TDVResult Read(const std::string& sql, const std::vector<db::TValue>& params);
  // Prepares without running, in a read-only transaction when none is open.
  std::vector<TDVColumnDesc> Prepared(const std::string& sql, std::string* refused);
  // The first column of each row of a catalog query.
  std::vector<std::string> Column(const std::string& sql, const std::vector<db::TValue>& params);
  // Reads the rows of every open cursor of the database's transaction
  // ahead, before that transaction ends.
  void ParkCursors();

  TFirebirdTarget target_;
  TDVWaitLimits waits_;
  isc_db_handle db_ = 0;
  isc_tr_handle tr_ = 0;  // the transaction the database started, if any
  std::unique_ptr<TFirebirdWatch> watch_;
  std::vector<TFirebirdCursor*> onTransaction_;  // cursors reading in tr_
};

}  // namespace dralvo
