#include "db/DataSet.h"

#include <algorithm>

#include "db/DataSource.h"
#include "db/Exceptions.h"
#include "db/Field.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace db {

namespace {
TRow Projected(TRow row, const std::vector<size_t>& columns) {
  TRow projected;
  projected.reserve(columns.size());
  for (size_t column : columns) projected.push_back(column < row.size() ? std::move(row[column]) : TValue());
  return projected;
}
}  // namespace

const rtl::TClass& TDataSet::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TDataSet>("TDataSet", &rtl::TComponent::StaticClass()).Build();
  return cls;
}

TDataSet::TDataSet(rtl::TComponent* owner) : TComponent(owner), fieldDefs_(std::make_unique<TFieldDefs>(this)) {}

TDataSet::~TDataSet() {
  // Nothing may reach this dataset through a data source once it is gone.
  std::vector<TDataSource*> sources = sources_;
  for (TDataSource* s : sources) s->SetDataSet(nullptr);
  state_ = TDataSetState::dsInactive;
  // Persistent fields outlive their dataset in the module.
  for (TField* f : persistentFields_) {
    f->dataSet_ = nullptr;
    f->persistent_ = false;
  }
  fields_.clear();
}

std::string TDataSet::DisplayNameForErrors() const { return Name().empty() ? ClassName() : Name(); }

void TDataSet::CheckActive() const {
  if (!Active()) DatabaseError(DisplayNameForErrors() + ": Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckInactive() const {
  if (Active()) DatabaseError(DisplayNameForErrors() + ": Cannot perform this operation on an open dataset");
}

void TDataSet::CheckBrowse() const {
  CheckActive();
  if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert)
    DatabaseError(DisplayNameForErrors() + ": Dataset not in browse mode; post or cancel the pending change first");
}

void TDataSet::SetActive(bool active) {
  if (IsLoading()) {
    // Opened from a form file once every property is read.
    streamedActive_ = active;
    return;
  }
  if (!active) activeUnopened_ = false;
  if (active == Active()) return;
  if (active) {
    rows_.clear();
    projection_.clear();
    allFetched_ = false;
    try {
      InternalOpen();
      CreateFields();
      FetchMore();
    } catch (...) {
      rows_.clear();
      allFetched_ = true;
      try {
        InternalClose();
      } catch (...) {
      }
      throw;
    }
    state_ = TDataSetState::dsBrowse;
    First();
  } else {
    state_ = TDataSetState::dsInactive;
    buffer_.clear();
    updates_.clear();
    rows_.clear();
    rows_.shrink_to_fit();
    allFetched_ = true;
    current_ = -1;
    eof_ = bof_ = true;
    InternalClose();
    DataEvent();
  }
}

void TDataSet::Open() { SetActive(true); }
void TDataSet::Close() { SetActive(false); }

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (!streamedActive_) return;
  streamedActive_ = false;
  if (IsDesigning())
    activeUnopened_ = true;
  else
    SetActive(true);
}

void TDataSet::CreateFields() {
  if (!persistentFields_.empty()) {
    BindPersistentFields();
    return;
  }
  // Fields of a closed dataset (created to describe it) are remade when the
  // definitions changed.
  bool same = !defaultFields_.empty() && static_cast<int>(fields_.size()) == fieldDefs_->Count();
  for (int i = 0; same && i < fieldDefs_->Count(); ++i)
    same = fields_[static_cast<size_t>(i)]->FieldName() == fieldDefs_->Items(i)->Name() &&
           fields_[static_cast<size_t>(i)]->DataType() == fieldDefs_->Items(i)->DataType();
  if (same) return;
  DestroyFields();
  for (int i = 0; i < fieldDefs_->Count(); ++i) {
    auto f = std::make_unique<TField>(nullptr);
    f->SetFieldName(fieldDefs_->Items(i)->Name());
    f->SetDataType(fieldDefs_->Items(i)->DataType());
    f->SetSize(fieldDefs_->Items(i)->Size());
    f->dataSet_ = this;
    fields_.push_back(f.get());
    defaultFields_.push_back(std::move(f));
  }
}

// Each persistent field takes its column of the records read; the records
// keep only those columns, in the fields' order.
void TDataSet::BindPersistentFields() {
  std::vector<size_t> columns;
  for (const TField* f : persistentFields_) {
    const int column = fieldDefs_->IndexOf(f->FieldName());
    if (column < 0) DatabaseError(DisplayNameForErrors() + ": Field '" + f->FieldName() + "' not found");
    columns.push_back(static_cast<size_t>(column));
  }
  defaultFields_.clear();
  fields_ = persistentFields_;
  projection_ = std::move(columns);
  for (TRow& row : rows_) row = Projected(std::move(row), projection_);
}

void TDataSet::AppendRow(TRow row) {
  rows_.push_back(projection_.empty() ? std::move(row) : Projected(std::move(row), projection_));
}

bool TDataSet::InternalFetch(int) { return false; }

bool TDataSet::FetchMore() {
  if (allFetched_) return false;
  // No room is set aside for a whole packet: memory follows the records
  // read, however many a packet may hold.
  const size_t before = rows_.size();
  allFetched_ = !InternalFetch(packetRecords_);
  return rows_.size() > before;
}

void TDataSet::FetchAll() {
  while (!allFetched_) FetchMore();
}

const TValue& TDataSet::RecordValue(int record, int field) const {
  static const TValue kNull;
  if (record < 0 || record >= FetchedCount() || field < 0 || field >= FieldCount())
    DatabaseError(DisplayNameForErrors() + ": Record or field index out of range");
  const TRow& row = rows_[static_cast<size_t>(record)];
  return static_cast<size_t>(field) < row.size() ? row[static_cast<size_t>(field)] : kNull;
}

void TDataSet::AttachField(TField* field) {
  persistentFields_.push_back(field);
  // Fields the dataset made for itself give way to the persistent ones.
  if (!defaultFields_.empty()) DestroyFields();
}

void TDataSet::DetachField(TField* field) {
  std::erase(persistentFields_, field);
  auto it = std::find(fields_.begin(), fields_.end(), field);
  if (it == fields_.end()) return;
  const auto column = it - fields_.begin();
  fields_.erase(it);
  if (column < static_cast<std::ptrdiff_t>(projection_.size())) projection_.erase(projection_.begin() + column);
  for (TRow& row : rows_)
    if (column < static_cast<std::ptrdiff_t>(row.size())) row.erase(row.begin() + column);
  if (column < static_cast<std::ptrdiff_t>(buffer_.size())) buffer_.erase(buffer_.begin() + column);
}

void TDataSet::DestroyFields() {
  fields_.clear();
  defaultFields_.clear();
}

void TDataSet::First() {
  CheckBrowse();
  current_ = rows_.empty() ? -1 : 0;
  bof_ = true;
  eof_ = rows_.empty();
  DataEvent();
}

void TDataSet::Last() {
  CheckBrowse();
  FetchAll();
  current_ = static_cast<int>(rows_.size()) - 1;
  eof_ = true;
  bof_ = rows_.empty();
  DataEvent();
}

void TDataSet::Next() {
  CheckBrowse();
  bof_ = false;
  if (current_ + 1 >= static_cast<int>(rows_.size())) FetchMore();
  if (current_ + 1 < static_cast<int>(rows_.size())) {
    ++current_;
    eof_ = false;
  } else {
    eof_ = true;
  }
  DataEvent();
}

void TDataSet::Prior() {
  CheckBrowse();
  eof_ = false;
  if (current_ > 0) {
    --current_;
    bof_ = false;
  } else {
    bof_ = true;
  }
  DataEvent();
}

int TDataSet::RecordCount() {
  CheckActive();
  FetchAll();
  return static_cast<int>(rows_.size());
}

TField* TDataSet::Fields(int index) const {
  if (index < 0 || index >= FieldCount())
    DatabaseError(DisplayNameForErrors() + ": Field index out of range (" + std::to_string(index) + ")");
  return fields_[static_cast<size_t>(index)];
}

TField* TDataSet::FindField(const std::string& name) const {
  for (TField* f : fields_)
    if (rtl::AnsiSameText(f->FieldName(), name)) return f;
  return nullptr;
}

TField* TDataSet::FieldByName(const std::string& name) const {
  TField* f = FindField(name);
  if (f == nullptr) DatabaseError(DisplayNameForErrors() + ": Field '" + name + "' not found");
  return f;
}

void TDataSet::GetFieldNames(rtl::TStrings* list) const {
  list->BeginUpdate();
  list->Clear();
  if (!fields_.empty()) {
    for (const auto& f : fields_) list->Add(f->FieldName());
  } else {
    for (int i = 0; i < fieldDefs_->Count(); ++i) list->Add(fieldDefs_->Items(i)->Name());
  }
  list->EndUpdate();
}

const TRow* TDataSet::CurrentRow() const {
  if (current_ < 0 || current_ >= static_cast<int>(rows_.size())) return nullptr;
  return &rows_[static_cast<size_t>(current_)];
}

TValue TDataSet::GetFieldValue(int index) const {
  CheckActive();
  if (index < 0 || index >= FieldCount()) DatabaseError(DisplayNameForErrors() + ": Field index out of range");
  if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert)
    return buffer_[static_cast<size_t>(index)];
  const TRow* row = CurrentRow();
  if (row == nullptr) return TValue();  // an empty dataset reads as null
  return (*row)[static_cast<size_t>(index)];
}

TValue TDataSet::GetOldFieldValue(int index) const {
  CheckActive();
  if (index < 0 || index >= FieldCount()) DatabaseError(DisplayNameForErrors() + ": Field index out of range");
  if (state_ == TDataSetState::dsInsert) return TValue();
  const TRow* row = CurrentRow();
  return row == nullptr ? TValue() : (*row)[static_cast<size_t>(index)];
}

void TDataSet::SetFieldValue(int index, const TValue& value) {
  CheckActive();
  if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert)
    DatabaseError(DisplayNameForErrors() + ": Dataset not in edit or insert mode");
  if (index < 0 || index >= FieldCount()) DatabaseError(DisplayNameForErrors() + ": Field index out of range");
  buffer_[static_cast<size_t>(index)] = value;
}

void TDataSet::Edit() {
  CheckActive();
  if (state_ == TDataSetState::dsEdit || state_ == TDataSetState::dsInsert) return;
  if (CurrentRow() == nullptr) {
    Insert();
    return;
  }
  buffer_ = *CurrentRow();
  state_ = TDataSetState::dsEdit;
}

void TDataSet::Insert() {
  CheckBrowse();
  buffer_.assign(fields_.size(), TValue());
  insertAt_ = current_ < 0 ? 0 : current_;
  state_ = TDataSetState::dsInsert;
}

void TDataSet::Append() {
  CheckBrowse();
  // The new record goes after the last one, so every record is read first.
  FetchAll();
  buffer_.assign(fields_.size(), TValue());
  insertAt_ = static_cast<int>(rows_.size());
  state_ = TDataSetState::dsInsert;
}

void TDataSet::Post() {
  CheckActive();
  if (state_ == TDataSetState::dsEdit) {
    if (cachedUpdates_)
      KeepUpdate(TUpdateKind::ukModify, current_, *CurrentRow(), buffer_);
    else
      InternalPost(TUpdateKind::ukModify, *CurrentRow(), buffer_);
    rows_[static_cast<size_t>(current_)] = buffer_;
  } else if (state_ == TDataSetState::dsInsert) {
    if (cachedUpdates_)
      KeepUpdate(TUpdateKind::ukInsert, insertAt_, {}, buffer_);
    else
      InternalPost(TUpdateKind::ukInsert, TRow(fields_.size()), buffer_);
    rows_.insert(rows_.begin() + insertAt_, buffer_);
    current_ = insertAt_;
  } else {
    return;
  }
  state_ = TDataSetState::dsBrowse;
  buffer_.clear();
  eof_ = bof_ = false;
  DataEvent();
}

void TDataSet::Cancel() {
  if (state_ != TDataSetState::dsEdit && state_ != TDataSetState::dsInsert) return;
  state_ = TDataSetState::dsBrowse;
  buffer_.clear();
  DataEvent();
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == TDataSetState::dsInsert) {
    Cancel();
    return;
  }
  if (state_ == TDataSetState::dsEdit) Cancel();
  const TRow* row = CurrentRow();
  if (row == nullptr) DatabaseError(DisplayNameForErrors() + ": Cannot perform this operation on an empty dataset");
  if (cachedUpdates_)
    KeepUpdate(TUpdateKind::ukDelete, current_, *row, {});
  else
    InternalDelete(*row);
  rows_.erase(rows_.begin() + current_);
  if (current_ >= static_cast<int>(rows_.size())) current_ = static_cast<int>(rows_.size()) - 1;
  eof_ = rows_.empty();
  bof_ = current_ <= 0;
  DataEvent();
}

void TDataSet::InternalPost(TUpdateKind, const TRow&, const TRow&) {}
void TDataSet::InternalDelete(const TRow&) {}

void TDataSet::DataEvent() {
  std::vector<TDataSource*> sources = sources_;
  for (TDataSource* s : sources) s->NotifyDataChange();
}

}  // namespace db
