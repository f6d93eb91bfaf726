#include "dralvo/Hooks.h"

#include <map>

#include "rtl/Component.h"

namespace dralvo {

namespace {
// Function-local statics: nothing runs when the library is loaded.
TLoginPromptHandler& LoginHandler() {
  static TLoginPromptHandler handler;
  return handler;
}
std::map<const rtl::TComponent*, std::string>& ModuleFolders() {
  static std::map<const rtl::TComponent*, std::string> folders;
  return folders;
}
}  // namespace

void SetLoginPromptHandler(TLoginPromptHandler handler) { LoginHandler() = std::move(handler); }
const TLoginPromptHandler& GetLoginPromptHandler() { return LoginHandler(); }

void SetModuleFolder(const rtl::TComponent* root, const std::string& folder) {
  if (root == nullptr) return;
  if (folder.empty())
    ModuleFolders().erase(root);
  else
    ModuleFolders()[root] = folder;
}

std::string GetModuleFolder(const rtl::TComponent* component) {
  const auto& folders = ModuleFolders();
  for (const rtl::TComponent* c = component; c != nullptr; c = c->Owner()) {
    auto it = folders.find(c);
    if (it != folders.end()) return it->second;
  }
  return {};
}

}  // namespace dralvo
