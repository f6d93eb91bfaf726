#include "db/FieldDefs.h"

#include "db/Exceptions.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace db {

const rtl::TClass& TFieldDef::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TFieldDef>("TFieldDef", &rtl::TCollectionItem::StaticClass())
                                     .Creatable()
                                     .Str("Name", &TFieldDef::Name, &TFieldDef::SetName)
                                     .Enum("DataType", TypeInfoFieldType(), &TFieldDef::DataType, &TFieldDef::SetDataType)
                                     .Int("Size", &TFieldDef::Size, &TFieldDef::SetSize)
                                     .Bool("Required", &TFieldDef::Required, &TFieldDef::SetRequired)
                                     .Build();
  return cls;
}

void TFieldDef::Assign(const rtl::TPersistent& source) {
  if (rtl::Is<TFieldDef>(&source)) {
    const auto& src = static_cast<const TFieldDef&>(source);
    name_ = src.name_;
    dataType_ = src.dataType_;
    size_ = src.size_;
    required_ = src.required_;
    return;
  }
  TCollectionItem::Assign(source);
}

const rtl::TClass& TFieldDefs::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TFieldDefs>("TFieldDefs", &rtl::TCollection::StaticClass()).Build();
  return cls;
}

TFieldDefs::TFieldDefs(rtl::TPersistent* owner) : TCollection(TFieldDef::StaticClass(), owner) {}

TFieldDef* TFieldDefs::Items(int index) const { return static_cast<TFieldDef*>(TCollection::Items(index)); }

TFieldDef* TFieldDefs::AddFieldDef(const std::string& name, TFieldType type, int size, bool required) {
  auto* def = static_cast<TFieldDef*>(Add());
  def->SetName(name);
  def->SetDataType(type);
  def->SetSize(size);
  def->SetRequired(required);
  return def;
}

int TFieldDefs::IndexOf(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (rtl::AnsiSameText(Items(i)->Name(), name)) return i;
  return -1;
}

TFieldDef* TFieldDefs::Find(const std::string& name) const {
  int i = IndexOf(name);
  if (i < 0) DatabaseError("Field '" + name + "' not found");
  return Items(i);
}

}  // namespace db
