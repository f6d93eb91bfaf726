#pragma once
// Published properties by name for the classes met while one form file is
// read. A class's table (its own and inherited properties; the nearest
// declaration wins, as in TClass::FindProperty) is built the first time an
// object of the class is met, so each property line costs one hash look-up
// instead of a walk over the names of the class and its parents.
#include <string_view>
#include <unordered_map>

#include "rtl/objects/NameTable.h"
#include "rtl/objects/TypeInfo.h"

namespace rtl {

class TFormProperties {
 public:
  // The property `name` of `cls`, ignoring case; null when there is none.
  const TPropInfo* Find(const TClass& cls, std::string_view name);

 private:
  struct TPropName {
    static std::string_view Get(const TPropInfo& prop) { return prop.Name; }
  };
  using TTable = TNameTable<const TPropInfo, TPropName>;

  std::unordered_map<const TClass*, TTable> tables_;
};

}  // namespace rtl
