#include "dralvo/DataSet.h"

#include <unordered_set>

#include "Errors.h"
#include "dralvo/Consts.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "dralvo/Hooks.h"
#include "dralvo/Session.h"
#include "dralvo/SqlParser.h"
#include "dralvo/UpdateSQL.h"
#include "drivers/Cursor.h"
#include "rtl/objects/ClassBuilder.h"

namespace dralvo {

const rtl::TClass& TDVDataSet::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVDataSet>("TDVDataSet", &db::TDataSet::StaticClass())
          .Str("DatabaseName", &TDVDataSet::DatabaseName, &TDVDataSet::SetDatabaseName)
          .Str("SessionName", &TDVDataSet::SessionName, &TDVDataSet::SetSessionName)
          .Ref("UpdateObject", rtl::ClassTypeInfo(TDVDataSetUpdateObject::StaticClass()), &TDVDataSet::UpdateObject,
               &TDVDataSet::SetUpdateObject)
          .Int("PacketRecords", &TDVDataSet::PacketRecords, &TDVDataSet::SetPacketRecords, 100)
          .Bool("Active", &TDVDataSet::StoredActive, &TDVDataSet::SetActive, false)
          .Build();
  return cls;
}

TDVDataSet::TDVDataSet(rtl::TComponent* owner) : TDataSet(owner), interrupt_(std::make_shared<TDVInterrupt>()) {}

TDVDataSet::~TDVDataSet() {
  cursor_.reset();
  SetUpdateObject(nullptr);
  if (openedOn_ != nullptr) {
    openedOn_->UnregisterDataSet(this);
    openedOn_ = nullptr;
  }
}

void TDVDataSet::SetDatabaseName(const std::string& name) {
  if (name == databaseName_) return;
  CheckInactive();
  databaseName_ = name;
}

void TDVDataSet::SetSessionName(const std::string& name) {
  if (name == sessionName_) return;
  CheckInactive();
  sessionName_ = name;
}

void TDVDataSet::SetUpdateObject(TDVDataSetUpdateObject* updateObject) {
  if (updateObject == updateObject_) return;
  if (updateObject_ != nullptr) {
    updateObject_->dataSet_ = nullptr;
    RemoveFreeNotification(updateObject_);
  }
  // An update object serves one dataset: it leaves its former one, and the
  // user hears of it (a module naming it twice loses the first link).
  if (updateObject != nullptr && updateObject->dataSet_ != nullptr) {
    TDVDataSet* former = updateObject->dataSet_;
    former->SetUpdateObject(nullptr);
    DesignNotice(updateObject->Name() + " serves one dataset: it is now the UpdateObject of " +
                 DisplayNameForErrors() + ", and " + former->DisplayNameForErrors() +
                 " has none (so a save writes it without one)");
  }
  updateObject_ = updateObject;
  if (updateObject_ != nullptr) {
    updateObject_->dataSet_ = this;
    FreeNotification(updateObject_);
  }
}

void TDVDataSet::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TDataSet::Notification(component, operation);
  if (operation == rtl::TOperation::opRemove && component == updateObject_) updateObject_ = nullptr;
}

TDVSession* TDVDataSet::GetDBSession() const { return Sessions().GetSessionByName(sessionName_); }

TDVDatabase* TDVDataSet::FindDatabase() const {
  TDVSession* session = Sessions().FindSession(sessionName_);
  return session != nullptr ? session->FindDatabase(databaseName_) : nullptr;
}

TDVDatabase* TDVDataSet::Database() const {
  return DatabaseFor(*this, [this] { return GetDBSession()->DatabaseByName(databaseName_); });
}

TDVDatabase* TDVDataSet::BoundDatabase() const { return Active() ? openedOn_ : nullptr; }

bool TDVDataSet::IsObjOwnerSupported() const {
  TDVDatabase* db = FindDatabase();
  if (db == nullptr) return false;
  if (db->Connected()) return db->Connection().SupportsSchemas();
  return db->ServerType() == TDVServerType::stPostgreSQL;
}

TDVResult TDVDataSet::ExecuteOnDatabase(const std::string& sql, const db::TParams* params) const {
  return Database()->Execute(sql, params);
}

namespace {
// Field names of result columns: repeated names ("select a.id, b.id") get a
// numbered suffix, letter case ignored.
std::vector<std::string> FieldNamesOf(const std::vector<TDVColumnDesc>& columns) {
  std::vector<std::string> names;
  std::unordered_set<std::string> used;  // case-folded
  for (const TDVColumnDesc& c : columns) {
    std::string name = c.Name;
    for (int n = 1; !used.insert(rtl::AnsiFoldCase(name)).second; ++n) name = c.Name + "_" + std::to_string(n);
    names.push_back(std::move(name));
  }
  return names;
}

// The result columns of a statement, prepared and never run.
std::vector<TDVColumnDesc> DescribeStatement(TDVConnection& conn, const std::string& text) {
  return conn.Describe(conn.Positional(text).sql);
}
}  // namespace

void TDVDataSet::DefineColumns(const std::vector<TDVColumnDesc>& columns) {
  FieldDefs()->Clear();
  const std::vector<std::string> names = FieldNamesOf(columns);
  for (size_t i = 0; i < names.size(); ++i) FieldDefs()->AddFieldDef(names[i], columns[i].DataType);
}

std::vector<std::string> TDVDataSet::DescribedFieldNames() const {
  TDVDatabase* db = Database();
  db->Open();
  return FieldNamesOf(DescribeStatement(db->Connection(), SelectSQL()));
}

void TDVDataSet::UpdateFieldDefs() {
  if (Active()) return;  // the records read have defined them
  TDVDatabase* db = Database();
  const bool connectedHere = !db->Connected();
  db->Open();
  try {
    const std::vector<TDVColumnDesc> columns = DescribeStatement(db->Connection(), SelectSQL());
    if (columns.empty()) throw rtl::EDatabaseError(DisplayNameForErrors() + ": " + SNoResultSet);
    DefineColumns(columns);
  } catch (...) {
    if (connectedHere) db->Close();
    throw;
  }
  if (connectedHere) db->Close();
}

namespace {
// A request to stop applies to one open or fetch, made before or during it.
struct TInterruptScope {
  TDVInterrupt& interrupt;
  ~TInterruptScope() { interrupt.Reset(); }
};
}  // namespace

void TDVDataSet::AbortQuery() { interrupt_->Request(); }

void TDVDataSet::InternalOpen() {
  TInterruptScope scope{*interrupt_};
  TDVDatabase* db = Database();
  db->Open();
  // The statement first: building it may set up the parameters it binds.
  std::string sql = SelectSQL();
  // A dataset being designed is opened to look at its rows, which never
  // changes them.
  cursor_ = db->OpenCursor(DisplayNameForErrors(), sql, SelectParams(), interrupt_, IsDesigning());
  if (cursor_->Columns().empty()) {
    cursor_.reset();
    throw rtl::EDatabaseError(DisplayNameForErrors() + ": " + SNoResultSet);
  }
  DefineColumns(cursor_->Columns());
  db->RegisterDataSet(this);
  openedOn_ = db;
}

bool TDVDataSet::InternalFetch(int count) {
  if (cursor_ == nullptr) return false;
  TInterruptScope scope{*interrupt_};
  std::vector<db::TRow> rows;  // as many as the server gave, not `count`
  bool more = false;
  try {
    more = cursor_->Fetch(count, rows);
  } catch (...) {
    cursor_.reset();
    throw;
  }
  for (db::TRow& row : rows) AppendRow(std::move(row));
  // A finished statement lets go of the server at once.
  if (!more) cursor_.reset();
  return more;
}

void TDVDataSet::InternalClose() {
  cursor_.reset();
  TDVDatabase* db = openedOn_;
  openedOn_ = nullptr;
  if (db != nullptr) db->UnregisterDataSet(this);
}

void TDVDataSet::InternalPost(db::TUpdateKind kind, const db::TRow&, const db::TRow&) {
  if (updateObject_ == nullptr) RaiseDatabaseError(SNoUpdateObject, {DisplayNameForErrors()});
  updateObject_->Apply(kind);
}

void TDVDataSet::InternalDelete(const db::TRow&) {
  if (updateObject_ == nullptr) RaiseDatabaseError(SNoUpdateObject, {DisplayNameForErrors()});
  updateObject_->Apply(db::TUpdateKind::ukDelete);
}

}  // namespace dralvo
