#include "dralvo/Database.h"

#include <algorithm>

#include "Errors.h"
#include "dralvo/Consts.h"
#include "dralvo/DataSet.h"
#include "drivers/Driver.h"
#include "dralvo/Hooks.h"
#include "dralvo/Monitor.h"
#include "dralvo/Servers.h"
#include "dralvo/Session.h"
#include "dralvo/SqlParser.h"
#include "drivers/Cursor.h"
#include "rtl/objects/ClassBuilder.h"

namespace dralvo {

const rtl::TTypeInfo& TypeInfoDesignDBOptions() {
  static const rtl::TTypeInfo info{
      "TDVDesignDBOptions", rtl::TTypeKind::Set, {"ddoIsDefaultDatabase", "ddoStoreConnected"}, nullptr};
  return info;
}

const rtl::TClass& TDVDatabase::StaticClass() {
  // ServerType is always stored: the default for new databases can change.
  // Connected goes into form files only with the store-connected option.
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVDatabase>("TDVDatabase", &rtl::TComponent::StaticClass())
          .Creatable()
          .Str("DatabaseName", &TDVDatabase::DatabaseName, &TDVDatabase::SetDatabaseName)
          .Enum("DesignOptions", TypeInfoDesignDBOptions(), &TDVDatabase::DesignOptions,
                &TDVDatabase::SetDesignOptions, 0)
          .Bool("KeepConnection", &TDVDatabase::KeepConnection, &TDVDatabase::SetKeepConnection, true)
          .Bool("LoginPrompt", &TDVDatabase::LoginPrompt, &TDVDatabase::SetLoginPrompt, true)
          .Owned("Params", rtl::ClassTypeInfo(rtl::TStrings::StaticClass()), &TDVDatabase::Params)
          .Str("ParamsFileName", &TDVDatabase::ParamsFileName, &TDVDatabase::SetParamsFileName)
          .Str("RemoteDatabase", &TDVDatabase::RemoteDatabase, &TDVDatabase::SetRemoteDatabase)
          .Enum("ServerType", TypeInfoServerType(), &TDVDatabase::ServerType, &TDVDatabase::SetServerType, -1)
          .Str("SessionName", &TDVDatabase::SessionName, &TDVDatabase::SetSessionName)
          .Bool("Connected", &TDVDatabase::Connected, &TDVDatabase::SetConnected, false)
          .StoredWhen([](const TDVDatabase& d) { return (d.DesignOptions() & ddoStoreConnected) != 0; })
          .Build();
  return cls;
}

TDVDatabase::TDVDatabase(rtl::TComponent* owner)
    : TComponent(owner), serverType_(GetDefServerType()), params_(std::make_unique<rtl::TStringList>()) {
  Sessions().AddDatabase(this);
}

TDVDatabase::~TDVDatabase() {
  try {
    Close();
  } catch (...) {
    // A failing rollback must not keep the component alive.
  }
  if (SessionsCreated()) Sessions().RemoveDatabase(this);
}

void TDVDatabase::CheckInactive() const {
  if (Connected()) throw rtl::EDatabaseError(std::string(SDatabaseOpen) + " (" + databaseName_ + ")");
}

void TDVDatabase::SetDatabaseName(const std::string& name) {
  if (name == databaseName_) return;
  CheckInactive();
  databaseName_ = name;
}

void TDVDatabase::SetSessionName(const std::string& name) {
  if (name == sessionName_) return;
  CheckInactive();
  sessionName_ = name;
  if (SessionsCreated()) Sessions().DatabaseMoved(this);
}

void TDVDatabase::SetRemoteDatabase(const std::string& value) {
  if (value == remoteDatabase_) return;
  CheckInactive();
  remoteDatabase_ = value;
}

void TDVDatabase::SetServerType(TDVServerType type) {
  if (type == serverType_) return;
  CheckInactive();
  serverType_ = type;
}

void TDVDatabase::SetParams(const rtl::TStrings* params) {
  if (params == nullptr)
    params_->Clear();
  else
    params_->Assign(*params);
}

void TDVDatabase::SetKeepConnection(bool keep) {
  keepConnection_ = keep;
  if (!keep && dataSets_.empty() && !inTransaction_ && !IsLoading()) Close();
}

TDVSession* TDVDatabase::Session() const { return Sessions().GetSessionByName(sessionName_); }

TDVConnection& TDVDatabase::Connection() const {
  if (connection_ == nullptr)
    throw rtl::EDatabaseError("Database '" + databaseName_ + "' is not connected");
  return *connection_;
}

std::shared_ptr<const TDVNameRules> TDVDatabase::NameRules() const {
  return connection_ != nullptr ? connection_->NameRules() : ServerNameRules(serverType_);
}

std::string TDVDatabase::QuoteName(const std::string& name) const {
  return connection_ != nullptr ? connection_->QuoteName(name) : QuoteServerName(serverType_, name);
}

sql::LexicalRules TDVDatabase::LexicalRules() const {
  return connection_ != nullptr ? connection_->Lexis() : ServerLexicalRules(serverType_);
}

std::string TDVDatabase::ResolvedTarget() const {
  // A file of an embedded engine named relative to the module's folder.
  const bool embeddedFile = serverType_ == TDVServerType::stSQLite ||
                            (serverType_ == TDVServerType::stFirebird && !ServerAsksLogin(serverType_, remoteDatabase_));
  if (!embeddedFile) return remoteDatabase_;
  std::string file = remoteDatabase_;
  if (!file.empty() && file[0] != '/' && file.rfind("file:", 0) != 0) {
    std::string folder = GetModuleFolder(this);
    if (!folder.empty()) file = rtl::IncludeTrailingPathDelimiter(folder) + file;
  }
  return file;
}

void TDVDatabase::ReadParamsFile(rtl::TStrings& into) const {
  if (paramsFileName_.empty()) return;
  rtl::TStringList fromFile;
  try {
    fromFile.LoadFromFile(paramsFileName_);
  } catch (const rtl::Exception& e) {
    RaiseDatabaseError(SParamsFileError, {paramsFileName_, e.Message()});
  }
  // Lines of Params win over the file's.
  for (int i = 0; i < fromFile.Count(); ++i) {
    std::string name = fromFile.Names(i);
    if (!name.empty() && into.IndexOfName(name) < 0) into.Add(fromFile[i]);
  }
}

TDVConnectParams TDVDatabase::ConnectParams() const {
  rtl::TStringList params;
  params.Assign(*params_);
  ReadParamsFile(params);
  return ConnectParamsFrom(ResolvedTarget(), params);
}

TDVConnectParams TDVDatabase::LoginParams() const {
  TDVConnectParams cp = ConnectParams();
  // Only a server with accounts asks, and only when someone can answer.
  if (loginPrompt_ && ServerAsksLogin(serverType_, cp.Target) && cp.Password.empty() && GetLoginPromptHandler()) {
    if (!GetLoginPromptHandler()(databaseName_, cp.UserName, cp.Password))
      RaiseDatabaseError(SLoginCancelled, {databaseName_});
  }
  return cp;
}

void TDVDatabase::Open() {
  if (Connected()) return;
  connection_ = DialectOf(serverType_).Connect(LoginParams());
  inTransaction_ = false;
  looks_ = 0;
}

std::unique_ptr<TDVConnection> TDVDatabase::OpenAnother() const { return DialectOf(serverType_).Connect(LoginParams()); }

void TDVDatabase::Close() {
  if (!Connected()) return;
  // Disconnected first, so that datasets closing below (and with them
  // KeepConnection) find nothing left to close.
  std::unique_ptr<TDVConnection> conn = std::move(connection_);
  bool rollback = inTransaction_;
  inTransaction_ = false;
  std::vector<TDVDataSet*> open = dataSets_;
  dataSets_.clear();
  for (TDVDataSet* ds : open) ds->Close();
  // An open transaction ends with the connection; say so by rolling back.
  if (rollback) conn->Execute("rollback", {});
}

void TDVDatabase::SetConnected(bool connected) {
  if (IsLoading()) {
    streamedConnected_ = connected;
    return;
  }
  if (connected)
    Open();
  else
    Close();
}

void TDVDatabase::Loaded() {
  TComponent::Loaded();
  if (streamedConnected_) {
    streamedConnected_ = false;
    Open();
  }
}

std::string TDVDatabase::Positional(const std::string& sql, const db::TParams* params,
                                    std::vector<db::TValue>& values, const std::string* owner) {
  sql::PositionalSql positional = Connection().Positional(sql);
  values.clear();
  values.reserve(positional.names.size());
  for (const std::string& name : positional.names) {
    if (params == nullptr) throw rtl::EDatabaseError("Parameter '" + name + "' not found");
    const db::TParam* param = params->ParamByName(name);
    if (owner != nullptr && param->IsNull() && param->DataType() == db::TFieldType::ftUnknown)
      RaiseDatabaseError(SParamNoValue, {*owner, name});
    values.push_back(param->BoundValue());
  }
  return positional.sql;
}

TDVResult TDVDatabase::Execute(const std::string& sql, const db::TParams* params) {
  Open();
  std::vector<db::TValue> values;
  std::string text = Positional(sql, params, values, nullptr);
  NotifyMonitors(databaseName_, sql);
  return Connection().Execute(text, values);
}

// A look's cursor: the read-only transaction stands while any is open.
class TDVDatabase::TLookCursor : public TDVCursor {
 public:
  TLookCursor(TDVDatabase& database, std::unique_ptr<TDVCursor> cursor)
      : database_(database), cursor_(std::move(cursor)) {
    columns_ = cursor_->Columns();
  }
  ~TLookCursor() override {
    cursor_.reset();
    database_.LookEnded();
  }
  bool Fetch(int count, std::vector<std::vector<db::TValue>>& rows) override { return cursor_->Fetch(count, rows); }

 private:
  TDVDatabase& database_;
  std::unique_ptr<TDVCursor> cursor_;
};

std::unique_ptr<TDVCursor> TDVDatabase::OpenCursor(const std::string& owner, const std::string& sql,
                                                   const db::TParams* params, std::shared_ptr<TDVInterrupt> interrupt,
                                                   bool looking) {
  Open();
  std::vector<db::TValue> values;
  std::string text = Positional(sql, params, values, &owner);
  if (looking) {
    const std::string why = WhyNotOnlyReading(Connection().Dialect(), Connection().Lexis(), text);
    if (!why.empty()) throw rtl::EDatabaseError(owner + ": " + why);
    StartReadOnly();
  }
  NotifyMonitors(databaseName_, sql);
  if (!looking) return Connection().OpenCursor(text, values, std::move(interrupt));
  ++looks_;
  std::unique_ptr<TDVCursor> cursor;
  try {
    cursor = Connection().OpenCursor(text, values, std::move(interrupt));
  } catch (...) {
    LookEnded();
    throw;
  }
  return std::make_unique<TLookCursor>(*this, std::move(cursor));
}

void TDVDatabase::LookEnded() noexcept {
  if (--looks_ > 0 || !inTransaction_ || !Connected() || !Connection().ReadOnly()) return;
  try {
    Rollback();
  } catch (...) {
    // The connection failed: its next statement says so, and closing it
    // ends the transaction.
  }
}

TDVTableRef TDVDatabase::FindTableOrRaise(const std::string& name) {
  Open();
  TDVTableRef ref;
  if (Connection().FindTable(name, ref)) return ref;
  // The server's own words for the missing table: a statement that reads
  // nothing, the name quoted. A failed statement would spoil an open
  // PostgreSQL transaction, so then the message is ours alone; SQLite and
  // Firebird undo only the statement.
  if (!inTransaction_ || Connection().ServerType() == TDVServerType::stSQLite ||
      Connection().ServerType() == TDVServerType::stFirebird)
    Connection().Execute("select * from " + QuoteName(rtl::Trim(name)) + " where 1 = 0", {});
  RaiseDatabaseError(SServerError, {GetServerTypeName(serverType_), Connection().Target(),
                                    rtl::Format(STableNotFound, {name})});
}

void TDVDatabase::StartTransaction() {
  Open();
  if (inTransaction_) throw rtl::EDatabaseError("Database '" + databaseName_ + "': a transaction is already active");
  Connection().Execute("begin", {});
  inTransaction_ = true;
}

void TDVDatabase::StartReadOnly() {
  Open();
  if (inTransaction_ && !Connection().ReadOnly())
    throw rtl::EDatabaseError("Database '" + databaseName_ + "': a transaction is already active");
  Connection().StartReadOnly();
  inTransaction_ = serverType_ != TDVServerType::stSQLite;
}

void TDVDatabase::Commit() {
  if (!inTransaction_) throw rtl::EDatabaseError("Database '" + databaseName_ + "': no active transaction");
  Connection().Execute("commit", {});
  inTransaction_ = false;
}

void TDVDatabase::Rollback() {
  if (!inTransaction_) throw rtl::EDatabaseError("Database '" + databaseName_ + "': no active transaction");
  inTransaction_ = false;
  Connection().Execute("rollback", {});
}

void TDVDatabase::RegisterDataSet(TDVDataSet* dataSet) {
  if (std::find(dataSets_.begin(), dataSets_.end(), dataSet) == dataSets_.end()) dataSets_.push_back(dataSet);
}

void TDVDatabase::UnregisterDataSet(TDVDataSet* dataSet) {
  std::erase(dataSets_, dataSet);
  if (dataSets_.empty() && !keepConnection_ && !inTransaction_) Close();
}

}  // namespace dralvo
