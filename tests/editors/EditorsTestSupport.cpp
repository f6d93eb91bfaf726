#include "EditorsTestSupport.h"

#include <cstdlib>
#include <fstream>

#include "designide/Registration.h"
#include "rtl/settings/Registry.h"
#include "vcl/Application.h"

namespace edtest {

void LoadedPackage::SetUp() {
  setenv("XDG_CONFIG_HOME", config_.Path().c_str(), 1);
  rtl::TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("Software\\Dralvo", true));
  registry.WriteString("RootDir", root_.Path());
  if (const std::string text = SettingsText(); !text.empty()) std::ofstream(root_.File("dralvo.ini")) << text;
  const char* bin = std::getenv("DV_BIN_DIR");
  module_ = rtl::LoadPackage(std::string(bin != nullptr ? bin : ".") + "/DclDralvo160.so");
}

void LoadedPackage::TearDown() {
  if (module_ != nullptr) rtl::UnloadPackage(module_);
  EXPECT_TRUE(rtl::LoadedPackages().empty());
}

std::unique_ptr<designide::TComponentEditor> LoadedPackage::EditorFor(rtl::TComponent* component,
                                                                      designide::IDesigner* designer) {
  const rtl::TClass* editorClass = designide::FindComponentEditorClass(component->ClassType());
  if (editorClass == nullptr) throw rtl::Exception("No component editor for " + component->ClassName());
  return designide::CreateComponentEditor(*editorClass, component, designer);
}

}  // namespace edtest
