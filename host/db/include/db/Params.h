#pragma once
// TParam(s): named values bound to a statement; a collection, so that form
// files stream them as "Params = < item Name = 'ID' ... end >".
#include <string>

#include "db/FieldType.h"
#include "db/Value.h"
#include "rtl/objects/Collection.h"

namespace db {

class TParam : public rtl::TCollectionItem {
  RTL_CLASS(TParam)
 public:
  explicit TParam(rtl::TCollection* collection = nullptr) : TCollectionItem(collection) {}

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType type) { dataType_ = type; }
  TParamType ParamType() const { return paramType_; }
  void SetParamType(TParamType type) { paramType_ = type; }

  const TValue& Value() const { return value_; }
  void SetValue(const TValue& value) { value_ = value; }
  bool IsNull() const { return value_.IsNull(); }
  void Clear() { value_ = TValue(); }
  std::string AsString() const { return value_.AsString(); }
  int64_t AsInteger() const { return value_.AsInteger(); }
  double AsFloat() const { return value_.AsFloat(); }
  // Setters also fix the data type when it is still unknown.
  void SetAsString(const std::string& v);
  void SetAsInteger(int64_t v);
  void SetAsFloat(double v);
  void SetAsBoolean(bool v);

  // The value as bound to a statement: text converted to the data type
  // (an ftInteger parameter holding "12" binds the integer 12).
  TValue BoundValue() const;

  std::string DisplayName() const override { return name_; }
  void Assign(const rtl::TPersistent& source) override;

 private:
  std::string name_;
  TFieldType dataType_ = TFieldType::ftUnknown;
  TParamType paramType_ = TParamType::ptUnknown;
  TValue value_;
};

class TParams : public rtl::TCollection {
  RTL_CLASS(TParams)
 public:
  explicit TParams(rtl::TPersistent* owner = nullptr);
  TParam* Items(int index) const;
  TParam* CreateParam(TFieldType type, const std::string& name, TParamType paramType);
  TParam* FindParam(const std::string& name) const;  // ignores case; null when absent
  // Raises EDatabaseError "Parameter 'X' not found".
  TParam* ParamByName(const std::string& name) const;
  // Keeps values (and types) of same-named parameters of `source`.
  void AssignValues(const TParams& source);
};

}  // namespace db
