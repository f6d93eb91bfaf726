#include "dralvo/DesignSettingsFile.h"

#include <iostream>

#include "rtl/settings/Registry.h"
#include "rtl/system/SysUtils.h"

namespace dralvo::settingsfile {

std::string RecentKey(int index) { return rtl::Format("Item%.2d", {int64_t{index}}); }

void TellIfUnreadable(const std::string& what, const std::string& fileName) {
  const std::string reason = rtl::TIniFile(fileName).ReadFailure();
  if (!reason.empty())
    std::cerr << "Cannot read the " << what << " \"" << fileName << "\": " << reason << "; using the defaults\n";
}

std::string RootDir() {
  TellIfUnreadable("user registry", rtl::TRegistry::StoreFileName());
  std::string dir;
  rtl::TRegistry registry;
  registry.SetRootKey(rtl::HKEY_CURRENT_USER);
  if (registry.OpenKey(RegistryKey, false)) dir = registry.ReadString(RootDirValue);
  // A value naming a file or nothing at all falls back to the current folder.
  if (!dir.empty() && !rtl::DirectoryExists(dir)) dir.clear();
  return dir.empty() ? "." : dir;
}

std::string FilePath(const std::string& rootDir) {
  std::string path = rootDir + rtl::PathDelim + FileName;
  TellIfUnreadable("settings file", path);
  return path;
}

int ReadRecentDatabases(const rtl::TIniFile& ini, rtl::TStrings& list) {
  int maxCount = ini.ReadInteger(RecentSection, MaxCountKey, 0);
  if (maxCount == 0) maxCount = DefaultMaxRecent;
  // One read of the section: a read per item would read the whole file
  // again for each item of a long history.
  const rtl::TIniSection items(ini, RecentSection);
  for (int i = 0; i < maxCount; ++i) {
    std::string name = items.ReadString(RecentKey(i), std::string());
    if (name.empty()) break;
    list.Add(name);
  }
  return maxCount;
}

TDVServerType ReadServerType(const rtl::TIniFile& ini, TDVServerType fallback) {
  return StrToServerTypeDef(ini.ReadString(DatabaseSection, ServerTypeKey, std::string()), fallback);
}

bool ReadSQLEditor(const rtl::TIniFile& ini) { return ini.ReadBool(SQLEditorSection, EnabledKey, true); }

}  // namespace dralvo::settingsfile
