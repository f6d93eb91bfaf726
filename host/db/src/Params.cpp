#include "db/Params.h"

#include "db/Exceptions.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace db {

namespace {
std::string ValueText(const TParam& p) { return p.Value().AsString(); }
void SetValueText(TParam& p, const std::string& text) { p.SetValue(TValue(text)); }
}  // namespace

const rtl::TClass& TParam::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TParam>("TParam", &rtl::TCollectionItem::StaticClass())
                                     .Creatable()
                                     .Enum("DataType", TypeInfoFieldType(), &TParam::DataType, &TParam::SetDataType)
                                     .Str("Name", &TParam::Name, &TParam::SetName)
                                     .Enum("ParamType", TypeInfoParamType(), &TParam::ParamType, &TParam::SetParamType)
                                     .Str("Value", &ValueText, &SetValueText)
                                     .Build();
  return cls;
}

void TParam::SetAsString(const std::string& v) {
  if (dataType_ == TFieldType::ftUnknown) dataType_ = TFieldType::ftString;
  value_ = TValue(v);
}
void TParam::SetAsInteger(int64_t v) {
  if (dataType_ == TFieldType::ftUnknown) dataType_ = TFieldType::ftInteger;
  value_ = TValue(v);
}
void TParam::SetAsFloat(double v) {
  if (dataType_ == TFieldType::ftUnknown) dataType_ = TFieldType::ftFloat;
  value_ = TValue(v);
}
void TParam::SetAsBoolean(bool v) {
  if (dataType_ == TFieldType::ftUnknown) dataType_ = TFieldType::ftBoolean;
  value_ = TValue(v);
}

TValue TParam::BoundValue() const {
  if (!value_.IsText()) return value_;
  try {
    switch (dataType_) {
      case TFieldType::ftSmallint:
      case TFieldType::ftInteger:
      case TFieldType::ftWord:
      case TFieldType::ftAutoInc:
      case TFieldType::ftLargeint:
        return TValue(value_.AsInteger());
      case TFieldType::ftFloat:
      case TFieldType::ftCurrency:
      case TFieldType::ftBCD:
        return TValue(value_.AsFloat());
      case TFieldType::ftBoolean:
        return TValue(value_.AsBoolean());
      default:
        return value_;
    }
  } catch (const rtl::EConvertError& e) {
    throw EDatabaseError("Parameter '" + name_ + "': " + e.Message());
  }
}

void TParam::Assign(const rtl::TPersistent& source) {
  if (rtl::Is<TParam>(&source)) {
    const auto& src = static_cast<const TParam&>(source);
    name_ = src.name_;
    dataType_ = src.dataType_;
    paramType_ = src.paramType_;
    value_ = src.value_;
    return;
  }
  TCollectionItem::Assign(source);
}

const rtl::TClass& TParams::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TParams>("TParams", &rtl::TCollection::StaticClass()).Build();
  return cls;
}

TParams::TParams(rtl::TPersistent* owner) : TCollection(TParam::StaticClass(), owner) {}

TParam* TParams::Items(int index) const { return static_cast<TParam*>(TCollection::Items(index)); }

TParam* TParams::CreateParam(TFieldType type, const std::string& name, TParamType paramType) {
  auto* p = static_cast<TParam*>(Add());
  p->SetDataType(type);
  p->SetName(name);
  p->SetParamType(paramType);
  return p;
}

TParam* TParams::FindParam(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (rtl::AnsiSameText(Items(i)->Name(), name)) return Items(i);
  return nullptr;
}

TParam* TParams::ParamByName(const std::string& name) const {
  TParam* p = FindParam(name);
  if (p == nullptr) DatabaseError("Parameter '" + name + "' not found");
  return p;
}

void TParams::AssignValues(const TParams& source) {
  for (int i = 0; i < source.Count(); ++i) {
    TParam* mine = FindParam(source.Items(i)->Name());
    if (mine == nullptr) continue;
    if (mine->DataType() == TFieldType::ftUnknown) mine->SetDataType(source.Items(i)->DataType());
    mine->SetValue(source.Items(i)->Value());
  }
}

}  // namespace db
