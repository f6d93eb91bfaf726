#pragma once
// Published properties by name for the classes met while one form file is
// read. A class's table (its own and inherited properties; the nearest
// declaration wins, as in TClass::FindProperty) is built on first use, so
// each property line costs one hash look-up instead of a walk over names.
#include <string_view>
#include <unordered_map>

#include "rtl/NameTable.h"
#include "rtl/TypeInfo.h"

namespace rtl {

class TFormProperties {
 public:
  const TPropInfo* Find(const TClass& cls, std::string_view name);

 private:
  struct TPropName {
    static std::string_view Get(const TPropInfo& prop) { return prop.Name; }
  };
  using TTable = TNameTable<const TPropInfo, TPropName>;

  std::unordered_map<const TClass*, TTable> tables_;
  const TClass* lastClass_ = nullptr;  // consecutive lines mostly share a class
  const TTable* lastTable_ = nullptr;
};

inline const TPropInfo* TFormProperties::Find(const TClass& cls, std::string_view name) {
  if (&cls != lastClass_) {
    auto [it, added] = tables_.try_emplace(&cls);
    if (added)
      for (const TClass* c = &cls; c != nullptr; c = c->ClassParent())
        for (const TPropInfo& prop : c->OwnProperties())
          if (it->second.Find(prop.Name) == nullptr) it->second.Insert(&prop);
    lastClass_ = &cls;
    lastTable_ = &it->second;
  }
  return lastTable_->Find(name);
}

}  // namespace rtl
