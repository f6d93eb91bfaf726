// The strings file system: string-list properties served as module files.
#include "designide/StFilSys.h"

#include <algorithm>

#include "designide/Designer.h"
#include "rtl/system/Exceptions.h"
#include "rtl/text/LineText.h"
#include "rtl/system/SysUtils.h"

namespace designide {

namespace {

// The property's list, or an error naming what is missing.
rtl::TStrings& PropertyStrings(rtl::TComponent& component, const std::string& propertyName,
                               const rtl::TPropInfo** propOut = nullptr) {
  const rtl::TPropInfo* prop = component.ClassType().FindProperty(propertyName);
  rtl::TObject* value = prop != nullptr && prop->GetObj ? prop->GetObj(component) : nullptr;
  if (!rtl::Is<rtl::TStrings>(value))
    throw rtl::EPropertyError(component.ClassName() + " " + component.Name() + " has no string-list property \"" +
                              propertyName + "\"");
  if (propOut != nullptr) *propOut = prop;
  return *static_cast<rtl::TStrings*>(value);
}

rtl::TLineText SplitLines(const std::string& text) {
  rtl::TLineText lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.AddLine(std::string_view(text).substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

void SetStringsText(rtl::TStrings& strings, const std::string& text) { strings.SetLines(SplitLines(text)); }

// Closes the module when the component is freed.
class TStringsPropertyFile::TWatcher : public rtl::TComponent {
 public:
  TWatcher(rtl::TComponent& watched, std::string fileName)
      : rtl::TComponent(nullptr), watched_(&watched), fileName_(std::move(fileName)) {
    watched.FreeNotification(this);
  }
  ~TWatcher() override {
    if (watched_ != nullptr) watched_->RemoveFreeNotification(this);
  }

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override {
    if (operation != rtl::TOperation::opRemove || component != watched_) return;
    watched_ = nullptr;
    // Closing the module drops the entry and with it this watcher: nothing
    // of it is touched afterwards.
    const std::string fileName = fileName_;
    if (TModule* module = ModuleServices().FindModule(fileName))
      ModuleServices().CloseModuleNow(module);
    else if (TStringsFileSystem* fs = StFilSys::StringsFileSystem())
      fs->ModuleClosed(fileName);
  }

 private:
  rtl::TComponent* watched_;
  std::string fileName_;
};

TStringsPropertyFile::TStringsPropertyFile(std::string fileName, rtl::TComponent& component,
                                           std::string propertyName)
    : fileName_(std::move(fileName)),
      component_(component),
      propertyName_(std::move(propertyName)),
      watcher_(std::make_unique<TWatcher>(component, fileName_)) {}

TStringsPropertyFile::~TStringsPropertyFile() = default;

std::string TStringsPropertyFile::ReadText() const { return PropertyStrings(component_, propertyName_).Text(); }

void TStringsPropertyFile::WriteText(const std::string& text) {
  IDesigner* designer = FindRootDesigner(&component_);
  if (designer == nullptr)
    throw rtl::EComponentError("Cannot save " + fileName_ + ": " + component_.Name() + " is not being designed");
  const rtl::TPropInfo* prop = nullptr;
  rtl::TStrings& strings = PropertyStrings(component_, propertyName_, &prop);
  if (prop->SetObj) {
    rtl::TStringList lines;
    SetStringsText(lines, text);
    prop->SetObj(component_, &lines);
  } else {
    SetStringsText(strings, text);
  }
  diskAge_ = rtl::DateTimeToFileDate(rtl::Now());
  designer->Modified();
}

// --- TStringsFileSystem -----------------------------------------------------------

bool TStringsFileSystem::ReadText(const std::string& fileName, std::string& text) {
  TStringsPropertyFile* file = Find(fileName);
  if (file == nullptr) return false;
  text = file->ReadText();
  return true;
}

void TStringsFileSystem::WriteText(const std::string& fileName, const std::string& text) {
  TStringsPropertyFile* file = Find(fileName);
  if (file == nullptr) throw rtl::EComponentError("Cannot save " + fileName + ": it is not tied to a property");
  file->WriteText(text);
}

void TStringsFileSystem::ModuleClosed(const std::string& fileName) {
  std::erase_if(files_, [&](const auto& f) { return rtl::AnsiSameText(f->FileName(), fileName); });
}

TStringsPropertyFile* TStringsFileSystem::GetTStringsProperty(const std::string& fileName,
                                                              rtl::TPersistent* component,
                                                              const std::string& propertyName) {
  auto* owner = dynamic_cast<rtl::TComponent*>(component);
  if (owner == nullptr)
    throw rtl::EPropertyError("Only a component's property can be opened as " + fileName);
  PropertyStrings(*owner, propertyName);  // checks it is there
  ModuleClosed(fileName);  // a file name stands for one property
  files_.push_back(std::make_unique<TStringsPropertyFile>(fileName, *owner, propertyName));
  return files_.back().get();
}

TStringsPropertyFile* TStringsFileSystem::Find(const std::string& fileName) const {
  for (const auto& f : files_)
    if (rtl::AnsiSameText(f->FileName(), fileName)) return f.get();
  return nullptr;
}

namespace StFilSys {

void Register() {
  if (StringsFileSystem() == nullptr) ModuleServices().RegisterFileSystem(std::make_unique<TStringsFileSystem>());
}

TStringsFileSystem* StringsFileSystem() {
  return dynamic_cast<TStringsFileSystem*>(ModuleServices().FindFileSystem(TStringsFileSystem::FileSystemName));
}

void Unregister() { ModuleServices().UnregisterFileSystem(TStringsFileSystem::FileSystemName); }

}  // namespace StFilSys

}  // namespace designide
