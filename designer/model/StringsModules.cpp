#include "model/StringsModules.h"

#include "designide/StFilSys.h"
#include "rtl/system/Exceptions.h"
#include "rtl/text/Strings.h"

namespace designer {

namespace {
class TListCreator : public designide::IOTAModuleCreator {
 public:
  TListCreator(std::string fileName, std::string text) : fileName_(std::move(fileName)), text_(std::move(text)) {}
  std::string GetCreatorType() override { return "Text"; }
  bool GetExisting() override { return true; }
  std::string GetFileSystem() override { return designide::TStringsFileSystem::FileSystemName; }
  designide::TModule* GetOwner() override { return nullptr; }
  bool GetUnnamed() override { return false; }
  std::string GetAncestorName() override { return {}; }
  std::string GetImplFileName() override { return fileName_; }
  std::string GetIntfFileName() override { return {}; }
  std::string GetFormName() override { return {}; }
  bool GetMainForm() override { return false; }
  bool GetShowForm() override { return false; }
  bool GetShowSource() override { return true; }
  std::unique_ptr<designide::IOTAFile> NewFormFile(const std::string&, const std::string&) override { return nullptr; }
  std::unique_ptr<designide::IOTAFile> NewImplSource(const std::string&, const std::string&,
                                                     const std::string&) override {
    return std::make_unique<TText>(text_);
  }
  std::unique_ptr<designide::IOTAFile> NewIntfSource(const std::string&, const std::string&,
                                                     const std::string&) override {
    return nullptr;
  }
  void FormCreated(designide::IOTAFormEditor*) override {}

 private:
  struct TText : designide::IOTAFile {
    explicit TText(std::string text) : Text(std::move(text)) {}
    std::string GetSource() override { return Text; }
    rtl::TDateTime GetAge() override { return rtl::Now(); }
    std::string Text;
  };
  std::string fileName_;
  std::string text_;
};
}  // namespace

std::string StringsModuleName(designide::IDesigner& designer, rtl::TComponent& component,
                              const std::string& propertyName) {
  rtl::TComponent* root = designer.GetRoot();
  if (root == nullptr || component.Owner() != root || root->Name().empty())
    throw rtl::EComponentError(component.Name() + " is not part of a named module being designed");
  return designer.GetDesignerExtension() + "." + root->Name() + "." + component.Name() + "." + propertyName;
}

designide::TModule& OpenStringsModule(designide::IDesigner& designer, rtl::TComponent& component,
                                      const std::string& propertyName) {
  const std::string name = StringsModuleName(designer, component, propertyName);
  const rtl::TPropInfo* prop = component.ClassType().FindProperty(propertyName);
  auto* list = prop != nullptr && prop->GetObj ? dynamic_cast<rtl::TStrings*>(prop->GetObj(component)) : nullptr;
  if (list == nullptr) throw rtl::EPropertyError(component.Name() + " has no string list " + propertyName);
  designide::StFilSys::Register();
  designide::TModule* module =
      designide::ModuleServices().CreateModule(std::make_unique<TListCreator>(name, list->Text()));
  designide::StFilSys::StringsFileSystem()->GetTStringsProperty(name, &component, propertyName);
  module->GetModuleFileEditor(0)->Show();
  return *module;
}

}  // namespace designer
