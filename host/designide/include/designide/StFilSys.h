#pragma once
// The strings file system: serves a component's string-list property as the
// text of a code-editor module and carries the saved text back into it.
//
// A module opened with the file system "Delphi.TStringsFileSystem" is tied
// to its property by GetTStringsProperty(file name, component, property).
// From then on the module's text is the property's lines, each followed by
// a line break; saving the module splits its text at line feeds (only
// there, so any text comes back as it went) into the property's lines and
// tells the root's designer once (designide::FindRootDesigner). A change of
// the property while the module is open reaches the module when its text
// is read or the services check file ages. Freeing the component closes the
// module.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "designide/ToolsAPI.h"
#include "rtl/objects/Component.h"
#include "rtl/text/Strings.h"

namespace designide {

// One string-list property served as a file.
class TStringsPropertyFile {
 public:
  TStringsPropertyFile(std::string fileName, rtl::TComponent& component, std::string propertyName);
  ~TStringsPropertyFile();
  TStringsPropertyFile(const TStringsPropertyFile&) = delete;
  TStringsPropertyFile& operator=(const TStringsPropertyFile&) = delete;

  const std::string& FileName() const { return fileName_; }
  rtl::TComponent& Component() const { return component_; }
  const std::string& PropertyName() const { return propertyName_; }
  // The time stamp (packed file date) of the text last stored.
  int32_t DiskAge() const { return diskAge_; }
  void SetDiskAge(int32_t age) { diskAge_ = age; }

  std::string ReadText() const;
  // Stores the text into the property and tells the designer once. Raises
  // (storing nothing) when the component's root has no designer.
  void WriteText(const std::string& text);

 private:
  class TWatcher;
  std::string fileName_;
  rtl::TComponent& component_;
  std::string propertyName_;
  int32_t diskAge_ = 0;
  std::unique_ptr<TWatcher> watcher_;
};

class TStringsFileSystem : public TOTAFileSystem {
 public:
  static constexpr const char* FileSystemName = "Delphi.TStringsFileSystem";

  std::string Name() const override { return FileSystemName; }
  bool ReadText(const std::string& fileName, std::string& text) override;
  void WriteText(const std::string& fileName, const std::string& text) override;
  void ModuleClosed(const std::string& fileName) override;

  // The entry of the file name, made or re-aimed at the component's
  // property. Raises EPropertyError when `component` is not a component or
  // has no string-list property of that name.
  TStringsPropertyFile* GetTStringsProperty(const std::string& fileName, rtl::TPersistent* component,
                                            const std::string& propertyName);
  TStringsPropertyFile* Find(const std::string& fileName) const;

 private:
  std::vector<std::unique_ptr<TStringsPropertyFile>> files_;
};

namespace StFilSys {
// Registers the strings file system with the module services; once.
void Register();
// The registered strings file system, or null before Register.
TStringsFileSystem* StringsFileSystem();
// Drops it again, closing its modules without asking (the framework's
// shut-down).
void Unregister();
}  // namespace StFilSys

// The lines of `text` as a string list holds them: split at line feeds, the
// last line ending at the end of the text when no line feed closes it.
void SetStringsText(rtl::TStrings& strings, const std::string& text);

}  // namespace designide
