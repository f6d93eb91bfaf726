// The module services: opening, finding and closing text modules.
#include "designide/ToolsAPI.h"

#include <algorithm>

#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace designide {

TModuleServices::TModuleServices() = default;

TModuleServices::~TModuleServices() { CloseAll(); }

TModuleServices& ModuleServices() {
  static TModuleServices services;
  return services;
}

TModule* TModuleServices::CreateModule(std::unique_ptr<IOTAModuleCreator> creator) {
  if (!creator) throw rtl::EComponentError("CreateModule needs a creator");
  const std::string fileName = creator->GetImplFileName();
  if (fileName.empty())
    throw rtl::EComponentError("A text module needs a file name; this one has none (is the component part of a "
                               "named module being designed?)");
  const std::string systemName = creator->GetFileSystem();
  TOTAFileSystem* fileSystem = FindFileSystem(systemName);
  if (fileSystem == nullptr)
    throw rtl::EComponentError("Cannot open " + fileName + ": no file system \"" + systemName + "\" is registered");

  std::unique_ptr<IOTAFile> file = creator->NewImplSource(fileName, creator->GetFormName(), creator->GetAncestorName());
  const bool hasSource = file != nullptr;
  std::string source = hasSource ? file->GetSource() : std::string();
  file.reset();
  creator.reset();  // the creator may belong to a package: nothing of it is kept

  if (TModule* open = FindModule(fileName)) {
    if (open->editor_ && open->editor_->Modified()) {
      switch (AskClose(*open)) {
        case TCloseAnswer::Keep:
          return open;
        case TCloseAnswer::Save:
          open->Save();
          break;
        case TCloseAnswer::Discard:
          break;
      }
    }
    if (hasSource) open->SetSource(std::move(source));
    return open;
  }
  auto module = std::make_unique<TModule>(*this, fileName, *fileSystem);
  if (hasSource) module->SetSource(std::move(source));
  modules_.push_back(std::move(module));
  TModule* made = modules_.back().get();
  if (listener_ != nullptr) listener_->ModuleOpened(*made);
  return made;
}

TModule* TModuleServices::FindModule(const std::string& fileName) const {
  for (const auto& m : modules_)
    if (rtl::AnsiSameText(m->FileName(), fileName)) return m.get();
  return nullptr;
}

TModule* TModuleServices::Modules(int index) const {
  if (index < 0 || index >= ModuleCount()) throw rtl::EListError("Module index out of bounds (" + std::to_string(index) + ")");
  return modules_[static_cast<size_t>(index)].get();
}

void TModuleServices::CheckFileAges() {
  // Refreshing tells the listener, which may close modules meanwhile.
  std::vector<std::string> names;
  for (const auto& m : modules_) names.push_back(m->FileName());
  for (const std::string& name : names)
    if (TModule* m = FindModule(name)) m->Refresh();
}

TCloseAnswer TModuleServices::AskClose(TModule& module) const {
  return closeQuery_ ? closeQuery_(module) : TCloseAnswer::Keep;
}

void TModuleServices::Free(TModule* module) {
  auto it = std::find_if(modules_.begin(), modules_.end(), [module](const auto& m) { return m.get() == module; });
  if (it == modules_.end()) return;
  if (listener_ != nullptr) listener_->ModuleClosing(*module);
  if (shown_ != nullptr && &shown_->Module() == module) shown_ = nullptr;
  std::unique_ptr<TModule> going = std::move(*it);
  modules_.erase(it);
  going->FileSystem().ModuleClosed(going->FileName());
}

void TModuleServices::CloseModuleNow(TModule* module) { Free(module); }

void TModuleServices::CloseAll() {
  while (!modules_.empty()) Free(modules_.back().get());
}

void TModuleServices::RegisterFileSystem(std::unique_ptr<TOTAFileSystem> fileSystem) {
  if (!fileSystem) return;
  if (FindFileSystem(fileSystem->Name()) != nullptr)
    throw rtl::EComponentError("A file system \"" + fileSystem->Name() + "\" is registered already");
  fileSystems_.push_back(std::move(fileSystem));
}

void TModuleServices::UnregisterFileSystem(const std::string& name) {
  TOTAFileSystem* fileSystem = FindFileSystem(name);
  if (fileSystem == nullptr) return;
  std::vector<TModule*> served;
  for (const auto& m : modules_)
    if (&m->FileSystem() == fileSystem) served.push_back(m.get());
  for (TModule* m : served) Free(m);  // one already gone is passed over
  std::erase_if(fileSystems_, [fileSystem](const auto& f) { return f.get() == fileSystem; });
}

TOTAFileSystem* TModuleServices::FindFileSystem(const std::string& name) const {
  for (const auto& f : fileSystems_)
    if (f->Name() == name) return f.get();
  return nullptr;
}

}  // namespace designide
