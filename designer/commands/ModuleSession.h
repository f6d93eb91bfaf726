#pragma once
// A data module opened for the command line: the package loaded through
// the loader (so classes and editors come from it), the module read from
// its file as a designer reads it, and the designer interface the
// package's editors report to. Freed in reverse: module, then package.
#include <memory>
#include <string>

#include "designide/Designer.h"
#include "rtl/files/FileStamp.h"
#include "rtl/objects/Component.h"
#include "rtl/packages/Packages.h"

namespace designer {

class TModuleSession : public designide::IDesigner {
 public:
  // Raises EPackageError for a package that cannot be loaded and
  // EParserError (naming file, line and column) for a module that cannot
  // be read; nothing stays loaded then.
  TModuleSession(const std::string& packageFile, const std::string& moduleFile);
  ~TModuleSession() override;
  TModuleSession(const TModuleSession&) = delete;
  TModuleSession& operator=(const TModuleSession&) = delete;

  rtl::HMODULE Package() const { return package_; }
  rtl::TComponent& Root() const { return *root_; }
  const std::string& FileName() const { return fileName_; }
  // The component of that name; raises EBadInput naming the module when
  // absent.
  rtl::TComponent& Component(const std::string& name) const;

  void Modified() override { modified_ = true; }
  rtl::TComponent* GetRoot() override { return root_.get(); }
  // Whether the module now differs from the file as read (or last saved):
  // an editor may report a change that, in the end, changed nothing.
  bool IsModified() const;
  // Writes the module back to its file (in one rename) when it differs and
  // says on standard error whether it did; an unchanged module leaves the
  // file alone. Raises rtl::EFileChangedError, writing nothing, when another
  // program saved the file since it was read (or last saved here).
  void Save();

 private:
  void FreeModule() noexcept;

  rtl::HMODULE package_ = nullptr;
  std::string fileName_;
  std::unique_ptr<rtl::TComponent> root_;
  rtl::TFileStamp stamp_;  // the file as read or last saved
  std::string savedText_;  // the module as read or last saved, in the canonical layout
  rtl::TComponent* announcedRoot_ = nullptr;  // the folder entry to clear
  bool modified_ = false;
};

// The package loaded and the module read; a module that cannot be read
// raises EBadInput (Commands.h), a package that cannot be loaded its own
// error.
std::unique_ptr<TModuleSession> OpenModule(const std::string& packageFile, const std::string& moduleFile);

}  // namespace designer
