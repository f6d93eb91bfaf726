#include "designide/StringsModules.h"

#include "designide/StFilSys.h"
#include "rtl/system/Exceptions.h"
#include "rtl/text/Strings.h"

namespace designide {

namespace {
class TListCreator : public IOTAModuleCreator {
 public:
  TListCreator(std::string fileName, std::string text) : fileName_(std::move(fileName)), text_(std::move(text)) {}
  std::string GetCreatorType() override { return "Text"; }
  bool GetExisting() override { return true; }
  std::string GetFileSystem() override { return TStringsFileSystem::FileSystemName; }
  TModule* GetOwner() override { return nullptr; }
  bool GetUnnamed() override { return false; }
  std::string GetAncestorName() override { return {}; }
  std::string GetImplFileName() override { return fileName_; }
  std::string GetIntfFileName() override { return {}; }
  std::string GetFormName() override { return {}; }
  bool GetMainForm() override { return false; }
  bool GetShowForm() override { return false; }
  bool GetShowSource() override { return true; }
  std::unique_ptr<IOTAFile> NewFormFile(const std::string&, const std::string&) override { return nullptr; }
  std::unique_ptr<IOTAFile> NewImplSource(const std::string&, const std::string&, const std::string&) override {
    return std::make_unique<TText>(text_);
  }
  std::unique_ptr<IOTAFile> NewIntfSource(const std::string&, const std::string&, const std::string&) override {
    return nullptr;
  }
  void FormCreated(IOTAFormEditor*) override {}

 private:
  struct TText : IOTAFile {
    explicit TText(std::string text) : Text(std::move(text)) {}
    std::string GetSource() override { return Text; }
    rtl::TDateTime GetAge() override { return rtl::Now(); }
    std::string Text;
  };
  std::string fileName_;
  std::string text_;
};

rtl::TStrings& ListOf(rtl::TComponent& component, const std::string& propertyName) {
  const rtl::TPropInfo* prop = component.ClassType().FindProperty(propertyName);
  auto* list = prop != nullptr && prop->GetObj ? dynamic_cast<rtl::TStrings*>(prop->GetObj(component)) : nullptr;
  if (list == nullptr) throw rtl::EPropertyError(component.Name() + " has no string list " + propertyName);
  return *list;
}
}  // namespace

std::string StringsModuleName(IDesigner& designer, rtl::TComponent& component, const std::string& propertyName) {
  rtl::TComponent* root = designer.GetRoot();
  if (root == nullptr || component.Owner() != root || root->Name().empty())
    throw rtl::EComponentError(component.Name() + " is not part of a named module being designed");
  return designer.GetDesignerExtension() + "." + root->Name() + "." + component.Name() + "." + propertyName;
}

TModule& OpenStringsModule(IDesigner& designer, rtl::TComponent& component, const std::string& propertyName) {
  return OpenStringsModule(designer, component, propertyName, ListOf(component, propertyName), false);
}

TModule& OpenStringsModule(IDesigner& designer, rtl::TComponent& component, const std::string& propertyName,
                           const rtl::TStrings& lines, bool textModified) {
  const std::string name = StringsModuleName(designer, component, propertyName);
  ListOf(component, propertyName);
  StFilSys::Register();
  TModule* module = ModuleServices().CreateModule(std::make_unique<TListCreator>(name, lines.Text()));
  StFilSys::StringsFileSystem()->GetTStringsProperty(name, &component, propertyName);
  TSourceEditor& editor = *module->GetModuleFileEditor(0);
  if (textModified) editor.MarkModified();
  editor.Show();
  return *module;
}

TModule* FindStringsModule(IDesigner& designer, rtl::TComponent& component, const std::string& propertyName) {
  rtl::TComponent* root = designer.GetRoot();
  if (root == nullptr || component.Owner() != root || root->Name().empty()) return nullptr;
  TModule* module = ModuleServices().FindModule(StringsModuleName(designer, component, propertyName));
  return module != nullptr && module->GetModuleFileCount() >= 1 ? module : nullptr;
}

}  // namespace designide
