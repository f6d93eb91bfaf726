#include "dralvo/Table.h"

#include "Errors.h"
#include "db/Field.h"
#include "dralvo/Consts.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "rtl/objects/ClassBuilder.h"

namespace dralvo {

class TDVTable::TMasterLink : public db::TDataLink {
 public:
  explicit TMasterLink(TDVTable* table) : table_(table) {}
  void DataChanged() override { table_->MasterChanged(); }
  db::TDataSet* DetailDataSet() const override { return table_; }

 private:
  TDVTable* table_;
};

const rtl::TClass& TDVTable::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVTable>("TDVTable", &TDVDataSet::StaticClass())
          .Creatable()
          .Str("IndexFieldNames", &TDVTable::IndexFieldNames, &TDVTable::SetIndexFieldNames)
          .Str("IndexName", &TDVTable::IndexName, &TDVTable::SetIndexName)
          .Str("MasterFields", &TDVTable::MasterFields, &TDVTable::SetMasterFields)
          .Ref("MasterSource", rtl::ClassTypeInfo(db::TDataSource::StaticClass()), &TDVTable::MasterSource,
               &TDVTable::SetMasterSource)
          .Str("TableName", &TDVTable::TableName, &TDVTable::SetTableName)
          .Build();
  return cls;
}

TDVTable::TDVTable(rtl::TComponent* owner)
    : TDVDataSet(owner), indexDefs_(std::make_unique<db::TIndexDefs>(this)),
      masterLink_(std::make_unique<TMasterLink>(this)) {}

TDVTable::~TDVTable() {
  masterLink_->SetDataSource(nullptr);
  Close();
}

db::TDataSource* TDVTable::MasterSource() const { return masterLink_->DataSource(); }

void TDVTable::SetTableName(const std::string& name) {
  if (name == tableName_) return;
  CheckInactive();
  tableName_ = name;
  indexDefs_->Clear();
  indexDefsRead_ = false;
  if (!IsLoading()) DestroyFields();
}

void TDVTable::SetIndexName(const std::string& name) {
  indexName_ = name == SPrimary ? std::string() : name;
  indexFieldNames_.clear();
  if (Active() && !IsLoading()) {
    Close();
    Open();
  }
}

void TDVTable::SetIndexFieldNames(const std::string& names) {
  indexFieldNames_ = names;
  if (!names.empty()) indexName_.clear();
  if (Active() && !IsLoading()) {
    Close();
    Open();
  }
}

void TDVTable::SetMasterFields(const std::string& names) {
  masterFields_ = names;
  MasterChanged();
}

void TDVTable::SetMasterSource(db::TDataSource* source) {
  db::TDataSource* old = MasterSource();
  if (source == old) return;
  masterLink_->SetDataSource(source);  // a circular link raises here, changing nothing
  if (old != nullptr) RemoveFreeNotification(old);
  if (source != nullptr) FreeNotification(source);
  MasterChanged();
}

void TDVTable::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TDVDataSet::Notification(component, operation);
  if (operation == rtl::TOperation::opRemove && masterLink_ && component == masterLink_->DataSource())
    masterLink_->SetDataSource(nullptr);
}

void TDVTable::MasterChanged() {
  if (!Active() || IsLoading() || State() != db::TDataSetState::dsBrowse) return;
  Close();
  // A master that closed leaves its detail nothing to show.
  const db::TDataSet* master = MasterSource() != nullptr ? MasterSource()->DataSet() : nullptr;
  if (master == nullptr || master->Active()) Open();
}

db::TIndexDefs* TDVTable::IndexDefs() const {
  if (!indexDefsRead_ && !tableName_.empty() && FindDatabase() != nullptr)
    const_cast<TDVTable*>(this)->UpdateIndexDefs();
  return indexDefs_.get();
}

void TDVTable::UpdateIndexDefs() {
  indexDefs_->Clear();
  indexDefsRead_ = true;
  TDVDatabase* db = Database();
  db->Open();
  TDVTableRef ref = db->FindTableOrRaise(tableName_);
  std::vector<TDVIndexColumn> rows;
  db->Connection().GetIndexColumns(ref, rows);
  db::TIndexDef* current = nullptr;
  std::string currentName;
  for (const TDVIndexColumn& r : rows) {
    if (current == nullptr || r.IndexName != currentName) {
      currentName = r.IndexName;
      db::TIndexOptions options = 0;
      if (r.IndexType & IndexTypePrimary) options |= db::ixPrimary;
      if (r.IndexType & IndexTypeUnique) options |= db::ixUnique;
      // The primary index is offered under one fixed text.
      current = indexDefs_->AddIndexDef((options & db::ixPrimary) ? std::string(SPrimary) : r.IndexName, "", options);
    }
    if (r.ColumnName.empty()) {
      current->SetOptions(current->Options() | db::ixExpression);
      continue;
    }
    current->SetFields(current->Fields().empty() ? r.ColumnName : current->Fields() + ";" + r.ColumnName);
  }
}

std::vector<std::string> TDVTable::CurrentIndexFields() const {
  if (!indexFieldNames_.empty()) return db::SplitFieldNames(indexFieldNames_);
  db::TIndexDefs* defs = IndexDefs();
  if (indexName_.empty()) {
    db::TIndexDef* primary = defs->GetPrimary();
    return primary != nullptr ? db::SplitFieldNames(primary->Fields()) : std::vector<std::string>{};
  }
  int i = defs->IndexOf(indexName_);
  if (i < 0) RaiseDatabaseError(SIndexNotFound, {indexName_});
  return db::SplitFieldNames(defs->Items(i)->Fields());
}

std::string TDVTable::GetIndexFieldNamesOfCurrentIndex() const {
  std::string out;
  for (const std::string& f : CurrentIndexFields()) out += (out.empty() ? "" : ";") + f;
  return out;
}

void TDVTable::EnsureFields() const {
  if (FieldCount() > 0 || Active()) return;
  // A closed table describes its fields from the server's column list.
  auto* self = const_cast<TDVTable*>(this);
  TDVDatabase* db = Database();
  db->Open();
  TDVTableRef ref = db->FindTableOrRaise(tableName_);
  std::vector<std::string> names;
  db->Connection().GetFieldNames(ref, names);
  self->FieldDefs()->Clear();
  for (const std::string& n : names) self->FieldDefs()->AddFieldDef(n, db::TFieldType::ftUnknown);
  self->CreateFields();
}

int TDVTable::GetIndexFieldCount() const {
  if (tableName_.empty() || FindDatabase() == nullptr) return 0;
  return static_cast<int>(CurrentIndexFields().size());
}

db::TField* TDVTable::GetIndexField(int index) const {
  std::vector<std::string> names = CurrentIndexFields();
  if (index < 0 || index >= static_cast<int>(names.size()))
    throw rtl::EDatabaseError(DisplayNameForErrors() + ": index field " + std::to_string(index) + " out of range");
  EnsureFields();
  return FieldByName(names[static_cast<size_t>(index)]);
}

}  // namespace dralvo
