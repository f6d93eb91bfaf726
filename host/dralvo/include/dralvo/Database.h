#pragma once
// TDVDatabase: one connection to a server, named by DatabaseName within a
// session.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/DataSet.h"
#include "db/Params.h"
#include "dralvo/NameRules.h"
#include "dralvo/Result.h"
#include "dralvo/ServerTypes.h"
#include "dralvo/SchemaInfo.h"
#include "rtl/objects/Component.h"
#include "rtl/text/Strings.h"

namespace dralvo {

class TDVConnection;
struct TDVConnectParams;
class TDVCursor;
class TDVDataSet;
class TDVInterrupt;
class TDVSession;
struct TDVSessionEntry;
struct TDVTableRef;
namespace sql {
struct LexicalRules;  // dralvo/SqlParser.h
}

enum TDVDesignDBOption : unsigned { ddoIsDefaultDatabase = 1u << 0, ddoStoreConnected = 1u << 1 };
using TDVDesignDBOptions = unsigned;
const rtl::TTypeInfo& TypeInfoDesignDBOptions();

class TDVDatabase : public rtl::TComponent {
  RTL_CLASS(TDVDatabase)
 public:
  explicit TDVDatabase(rtl::TComponent* owner);
  ~TDVDatabase() override;

  const std::string& DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const std::string& name);  // raises when connected
  const std::string& SessionName() const { return sessionName_; }
  void SetSessionName(const std::string& name);   // raises when connected
  const std::string& RemoteDatabase() const { return remoteDatabase_; }
  void SetRemoteDatabase(const std::string& value);  // raises when connected
  TDVServerType ServerType() const { return serverType_; }
  void SetServerType(TDVServerType type);           // raises when connected
  rtl::TStrings* Params() const { return params_.get(); }
  void SetParams(const rtl::TStrings* params);
  const std::string& ParamsFileName() const { return paramsFileName_; }
  void SetParamsFileName(const std::string& fileName) { paramsFileName_ = fileName; }
  bool KeepConnection() const { return keepConnection_; }
  void SetKeepConnection(bool keep);
  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool prompt) { loginPrompt_ = prompt; }
  TDVDesignDBOptions DesignOptions() const { return designOptions_; }
  void SetDesignOptions(TDVDesignDBOptions options) { designOptions_ = options; }

  void Open();
  // A connection of its own to the same database, for writing beside the
  // one this component reads through (a designer's edits are applied so);
  // asks for the password as Open does. The runtime's own type.
  std::unique_ptr<TDVConnection> OpenAnother() const;
  void Close();
  bool Connected() const { return connection_ != nullptr; }
  void SetConnected(bool connected);
  // The session of SessionName; raises when there is none.
  TDVSession* Session() const;
  // The open connection (the runtime's own: TDVConnection is private to
  // it); raises when not connected.
  TDVConnection& Connection() const;
  // How the server reads bare names: the connection's own list when
  // connected, else the server type's (ServerNameRules). Never connects.
  std::shared_ptr<const TDVNameRules> NameRules() const;
  // `name` quoted for this database's server. Never connects.
  std::string QuoteName(const std::string& name) const;
  // How the server reads SQL text: the session's rules when connected, else
  // the server type's (ServerLexicalRules). Never connects.
  sql::LexicalRules LexicalRules() const;
  // RemoteDatabase as the driver gets it (relative SQLite files resolved).
  std::string ResolvedTarget() const;

  // Resolves a table name as the server would, then as typed; raises a
  // database error naming the server, the target and the server's own
  // message when there is no such table.
  TDVTableRef FindTableOrRaise(const std::string& name);

  // Runs a statement with ":name" parameters bound from params (may be null).
  TDVResult Execute(const std::string& sql, const db::TParams* params);
  void StartTransaction();
  // Connects, and from now on until it is closed no statement changes
  // anything: SQLite answers reads alone, PostgreSQL and MariaDB work in a
  // read-only session and transaction that closing rolls back. Called
  // again, it starts a new read-only transaction where the last one ended.
  void StartReadOnly();
  void Commit();
  void Rollback();
  bool InTransaction() const { return inTransaction_; }

  // Schema rows of one kind for one object (opened, on its first row), or
  // null when the kind is not answered or the table or procedure named by
  // `object` does not exist. Connects when needed.
  std::unique_ptr<db::TDataSet> GetSchemaInfo(TDVSchemaType kind, const std::string& object);

  // Datasets using the connection (bookkeeping for Close and KeepConnection).
  void RegisterDataSet(TDVDataSet* dataSet);
  void UnregisterDataSet(TDVDataSet* dataSet);

  void Loaded() override;

 private:
  class TLookCursor;
  friend class TDVSessionList;
  friend class TDVCatalogSource;
  friend class TDVDataSet;
  // What Open hands the driver, before any login prompt: the target and the
  // account of Params and the parameter file. For a second connection of
  // the same database (a catalog read beside the designer's work).
  TDVConnectParams ConnectParams() const;
  // ConnectParams, the password asked for when the server wants one.
  TDVConnectParams LoginParams() const;
  void CheckInactive() const;
  void ReadParamsFile(rtl::TStrings& into) const;
  // For datasets: runs a query whose records are fetched a packet at a
  // time; `interrupt` stops it from another thread. A parameter named in
  // the text that was never given a value or a type is refused, naming
  // `owner`. `looking` (a dataset being designed): the text must be one
  // statement that only reads, refused before anything is sent otherwise,
  // and it runs read-only (StartReadOnly).
  std::unique_ptr<TDVCursor> OpenCursor(const std::string& owner, const std::string& sql, const db::TParams* params,
                                        std::shared_ptr<TDVInterrupt> interrupt, bool looking);
  // Told as a look's cursor ends (or a look fails): the last one ends the
  // read-only transaction, so that no lock outlives the rows read.
  void LookEnded() noexcept;
  // The text with positional markers, and the values bound to them.
  std::string Positional(const std::string& sql, const db::TParams* params, std::vector<db::TValue>& values,
                         const std::string* owner);

  std::string databaseName_;
  std::string sessionName_;
  std::string remoteDatabase_;
  TDVServerType serverType_;
  std::unique_ptr<rtl::TStringList> params_;
  std::string paramsFileName_;
  bool keepConnection_ = true;
  bool loginPrompt_ = true;
  TDVDesignDBOptions designOptions_ = 0;
  bool streamedConnected_ = false;
  bool inTransaction_ = false;
  int looks_ = 0;  // looks' cursors open
  std::unique_ptr<TDVConnection> connection_;
  std::vector<TDVDataSet*> dataSets_;  // not owned
  // Where the session list files this database: its place in creation
  // order and the entry of the session name it is filed under.
  uint64_t listOrder_ = 0;
  TDVSessionEntry* listEntry_ = nullptr;
};

}  // namespace dralvo
