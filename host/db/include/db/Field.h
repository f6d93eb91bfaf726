#pragma once
// TField: one column of a dataset, reading and writing the current record.
#include <string>

#include "db/FieldType.h"
#include "db/Value.h"
#include "rtl/objects/Component.h"

namespace db {

class TDataSet;

class TField : public rtl::TComponent {
  RTL_CLASS(TField)
 public:
  explicit TField(rtl::TComponent* owner);
  ~TField() override;

  const std::string& FieldName() const { return fieldName_; }
  void SetFieldName(const std::string& name) { fieldName_ = name; }
  // The column's caption in grids; the field name unless one was given.
  std::string DisplayLabel() const { return displayLabel_.empty() ? fieldName_ : displayLabel_; }
  void SetDisplayLabel(const std::string& label) { displayLabel_ = label == fieldName_ ? std::string() : label; }
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType type) { dataType_ = type; }
  int Size() const { return size_; }
  void SetSize(int size) { size_ = size; }
  TDataSet* DataSet() const { return dataSet_; }
  // Makes this field a persistent field of `dataSet` (null: of none).
  // Raises while either dataset is open.
  void SetDataSet(TDataSet* dataSet);
  // Position of the field in its dataset, from 0; -1 when detached.
  int Index() const;

  // The current record's value; raises EDatabaseError when the dataset is
  // closed or has no current record.
  TValue Value() const;
  void SetValue(const TValue& value);
  bool IsNull() const { return Value().IsNull(); }
  std::string AsString() const { return Value().AsString(); }
  int64_t AsInteger() const { return Value().AsInteger(); }
  double AsFloat() const { return Value().AsFloat(); }
  bool AsBoolean() const { return Value().AsBoolean(); }
  void SetAsString(const std::string& v) { SetValue(TValue(v)); }
  void SetAsInteger(int64_t v) { SetValue(TValue(v)); }
  void SetAsFloat(double v) { SetValue(TValue(v)); }
  void SetAsBoolean(bool v) { SetValue(TValue(v)); }
  void Clear() { SetValue(TValue()); }
  // The value before the pending edit (equal to Value outside dsEdit; null
  // for a record being inserted).
  TValue OldValue() const;

 private:
  friend class TDataSet;
  std::string fieldName_;
  std::string displayLabel_;
  TFieldType dataType_ = TFieldType::ftUnknown;
  int size_ = 0;
  TDataSet* dataSet_ = nullptr;
  bool persistent_ = false;
};

}  // namespace db
