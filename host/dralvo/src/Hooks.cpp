#include "dralvo/Hooks.h"

#include <map>

#include "rtl/objects/Component.h"

namespace dralvo {

namespace {
// Function-local statics: nothing runs when the library is loaded.
TLoginPromptHandler& LoginHandler() {
  static TLoginPromptHandler handler;
  return handler;
}
TDesignNoticeHandler& NoticeHandler() {
  static TDesignNoticeHandler handler;
  return handler;
}
TServerNoticeHandler& ServerNoticeHandler() {
  static TServerNoticeHandler handler;
  return handler;
}
std::map<const rtl::TComponent*, std::string>& ModuleFolders() {
  static std::map<const rtl::TComponent*, std::string> folders;
  return folders;
}

// Forgets a root's folder when the root is freed, so that a later
// component at the same address never inherits it.
class TFolderWatcher : public rtl::TComponent {
 public:
  TFolderWatcher() : TComponent(nullptr) {}

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override {
    if (operation == rtl::TOperation::opRemove) ModuleFolders().erase(component);
  }
};

TFolderWatcher& Watcher() {
  static TFolderWatcher watcher;
  return watcher;
}
}  // namespace

void SetLoginPromptHandler(TLoginPromptHandler handler) { LoginHandler() = std::move(handler); }
const TLoginPromptHandler& GetLoginPromptHandler() { return LoginHandler(); }

void SetDesignNoticeHandler(TDesignNoticeHandler handler) { NoticeHandler() = std::move(handler); }
void DesignNotice(const std::string& notice) {
  if (NoticeHandler()) NoticeHandler()(notice);
}

void SetServerNoticeHandler(TServerNoticeHandler handler) { ServerNoticeHandler() = std::move(handler); }
void ServerNotice(const std::string& server, const std::string& message) {
  if (ServerNoticeHandler()) ServerNoticeHandler()(server, message);
}

void SetModuleFolder(const rtl::TComponent* root, const std::string& folder) {
  if (root == nullptr) return;
  auto* watched = const_cast<rtl::TComponent*>(root);
  if (folder.empty()) {
    // A root that is no longer known was freed already: its pointer must not
    // be touched.
    if (ModuleFolders().erase(root) != 0) Watcher().RemoveFreeNotification(watched);
  } else {
    ModuleFolders()[root] = folder;
    Watcher().FreeNotification(watched);
  }
}

int ModuleFolderCount() { return static_cast<int>(ModuleFolders().size()); }

std::string GetModuleFolder(const rtl::TComponent* component) {
  const auto& folders = ModuleFolders();
  for (const rtl::TComponent* c = component; c != nullptr; c = c->Owner()) {
    auto it = folders.find(c);
    if (it != folders.end()) return it->second;
  }
  return {};
}

}  // namespace dralvo
