#include "DVReg/codeeditor/StringsModule.h"

#include "DVReg/codeeditor/StringsModuleCreator.h"
#include "designide/Designer.h"
#include "designide/StFilSys.h"
#include "designide/ToolsAPI.h"
#include "rtl/objects/Component.h"
#include "rtl/text/Strings.h"
#include "vcl/Keyboard.h"

namespace dv {

using designide::TModule;

designide::TModuleServices& GetModuleServices() { return designide::ModuleServices(); }

std::string StringsModuleIdent(designide::IDesigner* Designer, rtl::TPersistent* Component,
                               const std::string& PropName) {
  auto* component = dynamic_cast<rtl::TComponent*>(Component);
  if (Designer == nullptr || component == nullptr) return {};
  rtl::TComponent* root = Designer->GetRoot();
  if (root == nullptr || component->Owner() != root || root->Name().empty()) return {};
  return Designer->GetDesignerExtension() + "." + root->Name() + "." + component->Name() + "." + PropName;
}

void OpenStringsInCodeEditor(designide::IDesigner* Designer, rtl::TPersistent* Component, const std::string& PropName,
                             bool TextModified, rtl::TStrings* Strings) {
  designide::TModuleServices& services = GetModuleServices();
  const std::string ident = StringsModuleIdent(Designer, Component, PropName);
  designide::StFilSys::Register();
  auto stream = std::make_unique<rtl::TStringStream>();
  Strings->SaveToStream(*stream);
  stream->SetPosition(0);
  const rtl::TDateTime age = rtl::Now();
  TModule* module =
      services.CreateModule(std::make_unique<TStringsModuleCreator>(ident, std::move(stream), age));
  if (module == nullptr) return;
  designide::StFilSys::StringsFileSystem()
      ->GetTStringsProperty(ident, Component, PropName)
      ->SetDiskAge(rtl::DateTimeToFileDate(age));
  designide::TSourceEditor* editor = module->GetModuleFileEditor(0);
  if (TextModified) editor->MarkModified();
  editor->Show();
}

namespace {
// The open module of the property: one that holds at least one file.
TModule* FindStringsModule(designide::IDesigner* Designer, rtl::TPersistent* Component, const std::string& PropName) {
  designide::TModuleServices& services = GetModuleServices();
  const std::string ident = StringsModuleIdent(Designer, Component, PropName);
  if (ident.empty()) return nullptr;
  TModule* module = services.FindModule(ident);
  return module != nullptr && module->GetModuleFileCount() >= 1 ? module : nullptr;
}
}  // namespace

bool CloseStringsModule(designide::IDesigner* Designer, rtl::TPersistent* Component, const std::string& PropName) {
  TModule* module = FindStringsModule(Designer, Component, PropName);
  return module == nullptr || module->Close();
}

bool ShowStringsModule(designide::IDesigner* Designer, rtl::TPersistent* Component, const std::string& PropName) {
  TModule* module = FindStringsModule(Designer, Component, PropName);
  if (module == nullptr) return false;
  module->GetModuleFileEditor(0)->Show();
  return true;
}

bool IsAltKeyDown() { return (vcl::GetAsyncKeyState(vcl::VK_MENU) & 0x8000) != 0; }

}  // namespace dv
