#include "core/DesignModule.h"

#include <filesystem>

#include "dralvo/Hooks.h"
#include "rtl/files/AtomicFile.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {
constexpr const char* kUntitled = "Untitled.dfm";
constexpr const char* kDataModuleClass = "TDataModule";

std::string AbsolutePath(const std::string& fileName) {
  return std::filesystem::absolute(fileName).lexically_normal().string();
}

// The text a module as read is compared with. A module that cannot be
// written as read (a reference the form file cannot name) has none: any
// save then tries to write it, and says why it cannot.
std::string TextAsRead(const rtl::TComponent& root) {
  try {
    return rtl::WriteComponentText(root);
  } catch (const rtl::Exception&) {
    return {};
  }
}

std::unique_ptr<rtl::TComponent> NewRoot() {
  std::unique_ptr<rtl::TComponent> root(static_cast<rtl::TComponent*>(rtl::GetClass(kDataModuleClass).Create(nullptr)));
  root->SetDesigning(true);
  root->SetName("DataModule1");
  return root;
}

// A designer designs data modules: a file whose root is a dataset, say,
// would otherwise be edited and saved as if it were one.
void RefuseUnlessDataModule(const rtl::TComponent& root, const std::string& source) {
  const rtl::TClass* dataModule = rtl::FindClass(kDataModuleClass);
  if (dataModule != nullptr && root.ClassType().InheritsFrom(*dataModule)) return;
  throw rtl::Exception(source + ": the root " + root.Name() + " is a " + root.ClassName() + ", not a data module (" +
                       kDataModuleClass + ")");
}

// Relative database files are taken from the module's folder, already
// while the components are loaded.
std::unique_ptr<rtl::TComponent> ReadForDesign(const std::string& text, const std::string& source,
                                               const std::string& folder, rtl::TFormPositions* positions = nullptr) {
  rtl::TFormReadOptions options;
  options.Designing = true;
  options.Positions = positions;
  options.OnRootCreated = [&](rtl::TComponent& root) {
    RefuseUnlessDataModule(root, source);
    if (!folder.empty()) dralvo::SetModuleFolder(&root, folder);
  };
  // A refused root is freed, and with it its folder entry.
  return rtl::ReadComponentText(text, source, options);
}
}  // namespace

std::unique_ptr<TDesignModule> TDesignModule::Open(const std::string& fileName, std::unique_ptr<TDesignPackage> package,
                                                   rtl::TFormPositions* positions) {
  std::string text;
  return std::unique_ptr<TDesignModule>(new TDesignModule(fileName, text, std::move(package), positions));
}

TDesignModule::TDesignModule(const std::string& fileName, std::string& textRead, std::unique_ptr<TDesignPackage> package,
                             rtl::TFormPositions* positions)
    : package_(std::move(package)), fileName_(AbsolutePath(fileName)) {
  // Messages name the file as it was given.
  textRead = rtl::ReadFileToString(fileName, stamp_);
  SetRoot(ReadForDesign(textRead, fileName, rtl::ExtractFilePath(fileName_), positions));
  // Compared in the layout it is written in, not as the file spells it.
  savedText_ = TextAsRead(*root_);
}

TDesignModule::TDesignModule() {
  SetRoot(NewRoot());
  savedText_ = TextAsRead(*root_);
}

TDesignModule::~TDesignModule() { FreeRoot(); }

void TDesignModule::SetRoot(std::unique_ptr<rtl::TComponent> root) {
  root_ = std::move(root);
  designide::SetRootDesigner(root_.get(), this);
}

void TDesignModule::FreeRoot() noexcept {
  if (root_ == nullptr) return;
  // The runtime forgets the folder while the root still lives.
  designide::SetRootDesigner(root_.get(), nullptr);
  dralvo::SetModuleFolder(root_.get(), "");
  root_.reset();
}

std::string TDesignModule::DisplayName() const {
  return fileName_.empty() ? std::string(kUntitled) : rtl::ExtractFileName(fileName_);
}

void TDesignModule::ReplaceRoot(const std::string& text) {
  FreeRoot();
  try {
    SetRoot(ReadForDesign(text, fileName_.empty() ? std::string(kUntitled) : fileName_,
                          fileName_.empty() ? std::string() : rtl::ExtractFilePath(fileName_)));
  } catch (...) {
    SetRoot(NewRoot());
    throw;
  }
}

bool TDesignModule::Differs(const std::string& text) const { return savedText_.empty() || text != savedText_; }

bool TDesignModule::HasChanges() const { return modified_ && Differs(rtl::WriteComponentText(*root_)); }

bool TDesignModule::Save(bool overwrite) {
  if (fileName_.empty()) throw rtl::Exception("The module has no file name yet: save it under a name first");
  std::string text = rtl::WriteComponentText(*root_);
  if (!overwrite && !(modified_ && Differs(text))) {
    modified_ = false;
    Saved();
    return false;
  }
  Write(fileName_, text, overwrite ? rtl::TFileStamp{} : stamp_);
  Saved();
  return true;
}

void TDesignModule::SaveAs(const std::string& fileName) {
  const std::string path = AbsolutePath(fileName);
  Write(path, rtl::WriteComponentText(*root_), rtl::TFileStamp{});
  fileName_ = path;
  dralvo::SetModuleFolder(root_.get(), rtl::ExtractFilePath(path));
  Saved();
}

void TDesignModule::Write(const std::string& path, const std::string& text, const rtl::TFileStamp& read) {
  rtl::TAtomicFile file(path, read);
  file.Write(text);
  file.Commit();
  stamp_ = file.Stamp();
  savedText_ = text;
  modified_ = false;
}

std::string NothingChanged(const std::string& fileName) { return "Nothing changed; " + fileName + " was left as it was"; }

}  // namespace designer
