#include "designide/DBReg.h"

#include "db/DataSet.h"
#include "db/IndexDefs.h"
#include "rtl/objects/ClassBuilder.h"

namespace designide {

const rtl::TClass& TDBStringProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDBStringProperty>("TDBStringProperty", &TStringProperty::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TIndexNameProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TIndexNameProperty>("TIndexNameProperty", &TDBStringProperty::StaticClass())
          .Creatable()
          .Build();
  return cls;
}
const rtl::TClass& TIndexFieldNamesProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TIndexFieldNamesProperty>("TIndexFieldNamesProperty", &TDBStringProperty::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

TPropertyAttributes TDBStringProperty::GetAttributes() { return paValueList | paSortList | paMultiSelect; }

void TDBStringProperty::GetValues(const TGetStrProc& proc) {
  std::vector<std::string> list;
  GetValueList(list);
  for (const auto& value : list) proc(value);
}

void TDBStringProperty::GetValueList(std::vector<std::string>&) {}

namespace {
// The edited component's index definitions: a dataset's own, else its
// published "IndexDefs".
const db::TIndexDefs* IndexDefsOf(rtl::TPersistent* component) {
  if (rtl::Is<db::TDataSet>(component))
    if (const db::TIndexDefs* own = static_cast<db::TDataSet*>(component)->IndexDefs()) return own;
  const rtl::TPropInfo* prop = component->ClassType().FindProperty("IndexDefs");
  if (prop == nullptr || !prop->GetObj) return nullptr;
  rtl::TObject* obj = prop->GetObj(*component);
  return rtl::Is<db::TIndexDefs>(obj) ? static_cast<const db::TIndexDefs*>(obj) : nullptr;
}
}  // namespace

void TIndexNameProperty::GetValueList(std::vector<std::string>& list) {
  if (const db::TIndexDefs* defs = IndexDefsOf(GetComponent(0)))
    for (int i = 0; i < defs->Count(); ++i)
      if (!defs->Items(i)->Name().empty()) list.push_back(defs->Items(i)->Name());
}

void TIndexFieldNamesProperty::GetValueList(std::vector<std::string>& list) {
  if (const db::TIndexDefs* defs = IndexDefsOf(GetComponent(0)))
    for (int i = 0; i < defs->Count(); ++i)
      if (!defs->Items(i)->Fields().empty()) list.push_back(defs->Items(i)->Fields());
}

}  // namespace designide
