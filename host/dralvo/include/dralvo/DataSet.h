#pragma once
// TDVDataSet: the base of the library's datasets (query, stored procedure,
// table): finds its database through DatabaseName and SessionName, reads
// its records from the server and writes changes through an update object.
#include <memory>
#include <string>
#include <vector>

#include "db/DataSet.h"
#include "db/Params.h"

namespace rtl {
class TStrings;
}

namespace dralvo {

class TDVDatabase;
class TDVSession;
class TDVDataSetUpdateObject;
class TDVCursor;
class TDVInterrupt;
struct TDVColumnDesc;
struct TDVResult;

class TDVDataSet : public db::TDataSet {
  RTL_CLASS(TDVDataSet)
 public:
  explicit TDVDataSet(rtl::TComponent* owner);
  ~TDVDataSet() override;

  const std::string& DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const std::string& name);  // raises while open
  const std::string& SessionName() const { return sessionName_; }
  void SetSessionName(const std::string& name);   // raises while open
  TDVDataSetUpdateObject* UpdateObject() const { return updateObject_; }
  void SetUpdateObject(TDVDataSetUpdateObject* updateObject);

  // The session of SessionName (raises when there is none).
  TDVSession* GetDBSession() const;
  // The database of DatabaseName in that session, or null.
  TDVDatabase* FindDatabase() const;
  // As FindDatabase, raising when there is none.
  TDVDatabase* Database() const;
  // The database this dataset is bound to while it is open (a stored
  // procedure also while it is prepared); null otherwise.
  virtual TDVDatabase* BoundDatabase() const;
  // Whether table names may carry an owner (schema) prefix: true for
  // servers with schemas. Without a database: false.
  bool IsObjOwnerSupported() const;

  // Field info (field name = "table.column") and table info (alias =
  // table) of a SELECT statement; `third` (may be null) receives the
  // tables in order of appearance. When the database is connected the
  // server's description of the result columns settles what the text
  // alone cannot (such as "*").
  void ParseFieldInfoFromSQL(const std::string& sql, rtl::TStrings* fieldInfo, rtl::TStrings* tableInfo,
                             rtl::TStrings* third) const;

  // The names its fields would have, from the server's description of its
  // statement, which is prepared and never run. Connects when needed.
  std::vector<std::string> DescribedFieldNames() const;
  // The columns of the statement as the server describes it, without
  // running it; a database connected for this is disconnected again.
  void UpdateFieldDefs() override;

  // Stops the statement this dataset is running to open or to fetch, from
  // any thread; that open or fetch raises "cancelled". A request made just
  // before the statement starts stops it as well.
  void AbortQuery();

  // Binds ":name" parameters of sql from params and runs it on the database.
  TDVResult ExecuteOnDatabase(const std::string& sql, const db::TParams* params) const;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;
  void InternalOpen() override;
  void InternalClose() override;
  bool InternalFetch(int count) override;
  void InternalPost(db::TUpdateKind kind, const db::TRow& oldRow, const db::TRow& newRow) override;
  void InternalDelete(const db::TRow& row) override;
  // The statement that gives the records, with its parameters.
  virtual std::string SelectSQL() const = 0;
  virtual const db::TParams* SelectParams() const { return nullptr; }

 private:
  // FieldDefs from result columns; repeated names get a numbered suffix.
  void DefineColumns(const std::vector<TDVColumnDesc>& columns);

  std::string databaseName_;
  std::string sessionName_;
  TDVDataSetUpdateObject* updateObject_ = nullptr;
  TDVDatabase* openedOn_ = nullptr;
  // The server's statement while records are left to fetch.
  std::unique_ptr<TDVCursor> cursor_;
  const std::shared_ptr<TDVInterrupt> interrupt_;
};

}  // namespace dralvo
