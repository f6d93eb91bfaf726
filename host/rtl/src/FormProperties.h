#pragma once
// Published properties by name for the classes met while one form file is
// read. A class's table (its own and inherited properties; the nearest
// declaration wins, as in TClass::FindProperty) is built on first use, so
// each property line costs one hash look-up instead of a walk over names.
#include <string_view>

#include "FormClassCache.h"
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

  TFormClassCache<TTable> tables_;
};

inline const TPropInfo* TFormProperties::Find(const TClass& cls, std::string_view name) {
  const TTable& table = tables_.Get(cls, [&](TTable& t) {
    for (const TClass* c = &cls; c != nullptr; c = c->ClassParent())
      for (const TPropInfo& prop : c->OwnProperties())
        if (t.Find(prop.Name) == nullptr) t.Insert(&prop);
  });
  return table.Find(name);
}

}  // namespace rtl
