#include "ModuleSession.h"

#include <iostream>

#include "Commands.h"
#include "dralvo/Hooks.h"
#include "rtl/system/Exceptions.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {
std::string AbsolutePath(const std::string& path) {
  return !path.empty() && path[0] == rtl::PathDelim ? path : rtl::IncludeTrailingPathDelimiter(rtl::GetCurrentDir()) + path;
}
}  // namespace

TModuleSession::TModuleSession(const std::string& packageFile, const std::string& moduleFile)
    : fileName_(moduleFile) {
  std::cerr << "Loading package " << packageFile << " ...\n";
  package_ = rtl::LoadPackage(packageFile);
  try {
    // Links the runtime changes on its own (one update object named by two
    // datasets) are told, not dropped silently.
    dralvo::SetDesignNoticeHandler([](const std::string& notice) { std::cerr << "Note: " << notice << "\n"; });
    std::cerr << "Reading " << moduleFile << " ...\n";
    rtl::TFormReadOptions options;
    options.Designing = true;
    options.Stamp = &stamp_;
    // Relative database files are taken from the module's folder, already
    // when the components are loaded.
    const std::string folder = rtl::ExtractFilePath(AbsolutePath(moduleFile));
    options.OnRootCreated = [this, folder](rtl::TComponent& root) {
      announcedRoot_ = &root;
      dralvo::SetModuleFolder(&root, folder);
    };
    root_ = rtl::ReadComponentFile(moduleFile, options);
    savedText_ = rtl::WriteComponentText(*root_);
  } catch (...) {
    FreeModule();
    rtl::UnloadPackage(package_);
    throw;
  }
}

TModuleSession::~TModuleSession() {
  FreeModule();
  rtl::UnloadPackage(package_);
}

void TModuleSession::FreeModule() noexcept {
  // The folder is forgotten while the root still lives.
  if (announcedRoot_ != nullptr) dralvo::SetModuleFolder(announcedRoot_, "");
  announcedRoot_ = nullptr;
  root_.reset();
  dralvo::SetDesignNoticeHandler(nullptr);
}

rtl::TComponent& TModuleSession::Component(const std::string& name) const {
  rtl::TComponent* component = root_->FindComponent(name);
  if (component == nullptr)
    throw EBadInput("The module " + fileName_ + " has no component named \"" + name + "\"");
  return *component;
}

std::unique_ptr<TModuleSession> OpenModule(const std::string& packageFile, const std::string& moduleFile) {
  try {
    return std::make_unique<TModuleSession>(packageFile, moduleFile);
  } catch (const rtl::EPackageError&) {
    throw;
  } catch (const std::exception& e) {
    throw EBadInput(e.what());
  }
}

bool TModuleSession::IsModified() const { return modified_ && rtl::WriteComponentText(*root_) != savedText_; }

void TModuleSession::Save() {
  std::string text = rtl::WriteComponentText(*root_);
  if (text == savedText_) {
    std::cerr << "Nothing changed; " << fileName_ << " was left as it was\n";
    return;
  }
  stamp_ = rtl::WriteComponentFile(fileName_, *root_, stamp_);
  savedText_ = std::move(text);
  std::cerr << "Saved " << fileName_ << "\n";
}

}  // namespace designer
