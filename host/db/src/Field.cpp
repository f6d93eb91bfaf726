#include "db/Field.h"

#include "db/DataSet.h"
#include "db/Exceptions.h"
#include "rtl/objects/ClassBuilder.h"

namespace db {

const rtl::TClass& TField::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TField>("TField", &rtl::TComponent::StaticClass())
                                     .Str("FieldName", &TField::FieldName, &TField::SetFieldName)
                                     .Str("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel)
                                     .StoredWhen([](const TField& f) { return !f.displayLabel_.empty(); })
                                     .Enum("DataType", TypeInfoFieldType(), &TField::DataType, &TField::SetDataType)
                                     .Int("Size", &TField::Size, &TField::SetSize)
                                     .Ref("DataSet", rtl::ClassTypeInfo(TDataSet::StaticClass()),
                                          &TField::DataSet, &TField::SetDataSet)
                                     .Creatable()
                                     .Build();
  return cls;
}

TField::TField(rtl::TComponent* owner) : TComponent(owner) {}
TField::~TField() {
  if (persistent_ && dataSet_ != nullptr) dataSet_->DetachField(this);
}

void TField::SetDataSet(TDataSet* dataSet) {
  if (persistent_ && dataSet == dataSet_) return;
  for (const TDataSet* ds : {dataSet_, dataSet})
    if (ds != nullptr && ds->Active())
      DatabaseError(ds->DisplayNameForErrors() + ": Cannot perform this operation on an open dataset");
  if (persistent_ && dataSet_ != nullptr) dataSet_->DetachField(this);
  dataSet_ = dataSet;
  persistent_ = dataSet != nullptr;
  if (dataSet != nullptr) dataSet->AttachField(this);
}

int TField::Index() const {
  if (dataSet_ == nullptr) return -1;
  for (int i = 0; i < dataSet_->FieldCount(); ++i)
    if (dataSet_->Fields(i) == this) return i;
  return -1;
}

TValue TField::Value() const {
  if (dataSet_ == nullptr) throw rtl::EDatabaseError("Field '" + fieldName_ + "' has no dataset");
  return dataSet_->GetFieldValue(Index());
}

void TField::SetValue(const TValue& value) {
  if (dataSet_ == nullptr) throw rtl::EDatabaseError("Field '" + fieldName_ + "' has no dataset");
  dataSet_->SetFieldValue(Index(), value);
}

TValue TField::OldValue() const {
  if (dataSet_ == nullptr) throw rtl::EDatabaseError("Field '" + fieldName_ + "' has no dataset");
  return dataSet_->GetOldFieldValue(Index());
}

}  // namespace db
