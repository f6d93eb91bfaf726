#include "rtl/settings/Registry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "rtl/system/Exceptions.h"
#include "rtl/settings/IniFiles.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

const TClass& TRegistry::StaticClass() {
  static const TClass cls("TRegistry", &TObject::StaticClass());
  return cls;
}

namespace {
std::string ConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config";
  if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr)
    return std::string(pw->pw_dir) + "/.config";
  return ".config";
}

// "\Software\\Dralvo\" -> "Software\Dralvo".
std::string NormalizedPath(const std::string& path) {
  std::string out;
  size_t pos = 0;
  while (pos <= path.size()) {
    size_t end = path.find('\\', pos);
    if (end == std::string::npos) end = path.size();
    std::string part = Trim(path.substr(pos, end - pos));
    if (!part.empty()) {
      if (!out.empty()) out += '\\';
      out += part;
    }
    pos = end + 1;
  }
  return out;
}

bool IsSameOrBelow(const std::string& section, const std::string& path) {
  if (AnsiSameText(section, path)) return true;
  return section.size() > path.size() && section[path.size()] == '\\' &&
         AnsiSameText(section.substr(0, path.size()), path);
}

bool PathExists(const std::string& storeFile, const std::string& path) {
  if (path.empty()) return true;
  TStringList sections;
  TIniFile(storeFile).ReadSections(sections);
  for (int i = 0; i < sections.Count(); ++i)
    if (IsSameOrBelow(NormalizedPath(sections[i]), path)) return true;
  return false;
}

// Runs a write of the store, making its folder first; every failure
// becomes ERegistryException naming the store and the reason.
template <class Write>
void WriteStore(const std::string& storeFile, const std::string& what, Write write) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(storeFile).parent_path(), ec);
  if (ec)
    throw ERegistryException("Cannot " + what + " in the registry store \"" + storeFile + "\": " + ec.message());
  try {
    TIniFile ini(storeFile);
    write(ini);
  } catch (const Exception& e) {
    throw ERegistryException("Cannot " + what + " in the registry store \"" + storeFile + "\": " + e.Message());
  }
}
}  // namespace

TRegistry::TRegistry() : storeFile_(StoreFileName()) {}

std::string TRegistry::StoreFileName() { return ConfigHome() + "/dralvo/registry.ini"; }

void TRegistry::SetRootKey(HKEY key) {
  if (key != HKEY_CURRENT_USER)
    throw ERegistryException("Only HKEY_CURRENT_USER is available; the registry store \"" + storeFile_ +
                             "\" holds the current user's keys");
  rootKey_ = key;
}

std::string TRegistry::ResolvePath(const std::string& key) const {
  if (!key.empty() && key.front() == '\\') return NormalizedPath(key);
  if (keyOpen_ && !currentPath_.empty()) return NormalizedPath(currentPath_ + "\\" + key);
  return NormalizedPath(key);
}

bool TRegistry::KeyExists(const std::string& key) const { return PathExists(storeFile_, ResolvePath(key)); }

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string path = ResolvePath(key);
  if (!PathExists(storeFile_, path)) {
    if (!canCreate) return false;
    WriteStore(storeFile_, "create key \"" + path + "\"",
               [&](TIniFile& ini) { ini.Update([&](TIniChanges& c) { c.AddSection(path); }); });
  }
  currentPath_ = path;
  keyOpen_ = true;
  readOnly_ = false;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  std::string path = ResolvePath(key);
  if (!PathExists(storeFile_, path)) return false;
  currentPath_ = path;
  keyOpen_ = true;
  readOnly_ = true;
  return true;
}

void TRegistry::CloseKey() {
  currentPath_.clear();
  keyOpen_ = false;
  readOnly_ = false;
}

std::string TRegistry::ReadString(const std::string& name) const {
  if (!keyOpen_ || currentPath_.empty()) return {};
  return TIniFile(storeFile_).ReadString(currentPath_, name, std::string());
}

bool TRegistry::ValueExists(const std::string& name) const {
  if (!keyOpen_ || currentPath_.empty()) return false;
  return TIniFile(storeFile_).ValueExists(currentPath_, name);
}

void TRegistry::CheckWritable() const {
  if (!keyOpen_ || currentPath_.empty())
    throw ERegistryException("No registry key is open for writing in the registry store \"" + storeFile_ + "\"");
  if (readOnly_)
    throw ERegistryException("The registry key \"" + currentPath_ + "\" is open read-only (registry store \"" +
                             storeFile_ + "\")");
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  CheckWritable();
  WriteStore(storeFile_, "write value \"" + name + "\" of key \"" + currentPath_ + "\"",
             [&](TIniFile& ini) { ini.WriteString(currentPath_, name, value); });
}

bool TRegistry::DeleteValue(const std::string& name) {
  CheckWritable();
  if (!ValueExists(name)) return false;
  WriteStore(storeFile_, "delete value \"" + name + "\" of key \"" + currentPath_ + "\"",
             [&](TIniFile& ini) { ini.DeleteKey(currentPath_, name); });
  return true;
}

}  // namespace rtl
