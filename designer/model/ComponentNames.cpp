#include "model/ComponentNames.h"

#include "rtl/system/SysUtils.h"

namespace designer {

std::string UniqueComponentName(const rtl::TComponent& root, const rtl::TClass& cls) {
  const std::string& className = cls.ClassName();
  const std::string stem =
      className.size() > 1 && (className[0] == 'T' || className[0] == 't') ? className.substr(1) : className;
  for (int n = 1;; ++n) {
    std::string name = stem + std::to_string(n);
    if (root.FindComponent(name) == nullptr && !rtl::SameText(root.Name(), name)) return name;
  }
}

}  // namespace designer
