#include "designide/Designer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace designide {

namespace {
std::vector<std::pair<const rtl::TComponent*, IDesigner*>>& RootDesigners() {
  static std::vector<std::pair<const rtl::TComponent*, IDesigner*>> designers;
  return designers;
}
}  // namespace

void SetRootDesigner(rtl::TComponent* root, IDesigner* designer) {
  auto& all = RootDesigners();
  std::erase_if(all, [root](const auto& entry) { return entry.first == root; });
  if (root != nullptr && designer != nullptr) all.emplace_back(root, designer);
}

IDesigner* FindRootDesigner(const rtl::TComponent* component) {
  const auto& all = RootDesigners();
  for (const rtl::TComponent* c = component; c != nullptr; c = c->Owner())
    for (const auto& entry : all)
      if (entry.first == c) return entry.second;
  return nullptr;
}

}  // namespace designide
