#include "db/MemDataSet.h"

#include "rtl/objects/ClassBuilder.h"

namespace db {

const rtl::TClass& TMemDataSet::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TMemDataSet>("TMemDataSet", &TDataSet::StaticClass()).Creatable().Build();
  return cls;
}

void TMemDataSet::AddRecord(TRow row) {
  row.resize(static_cast<size_t>(FieldDefs()->Count()));
  pending_.push_back(std::move(row));
}

void TMemDataSet::InternalOpen() {
  for (const TRow& row : pending_) AppendRow(row);
}

void TMemDataSet::InternalClose() {}

}  // namespace db
