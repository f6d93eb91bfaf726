#include "FormProperties.h"

namespace rtl {

const TPropInfo* TFormProperties::Find(const TClass& cls, std::string_view name) {
  auto [it, added] = tables_.try_emplace(&cls);
  TTable& table = it->second;
  if (added) {
    for (const TClass* c = &cls; c != nullptr; c = c->ClassParent())
      for (const TPropInfo& prop : c->OwnProperties())
        if (table.Find(prop.Name) == nullptr) table.Insert(&prop);
  }
  return table.Find(name);
}

}  // namespace rtl
