// dvdesigner settings [--set-root-dir DIR]: prints the design settings as the
// package would read them now, or stores the folder of the settings file.
// The designer reads the package's documented settings file itself rather
// than reaching into the package's code: it only ever talks to the package
// through what the package registered.
#include <filesystem>
#include <iostream>

#include "OutputText.h"
#include "Commands.h"
#include "dralvo/Secrets.h"
#include "dralvo/ServerTypes.h"
#include "rtl/system/Exceptions.h"
#include "rtl/settings/IniFiles.h"
#include "rtl/settings/Registry.h"
#include "rtl/system/SysUtils.h"
#include "rtl/text/Strings.h"

namespace designer {

namespace {

constexpr const char* kRegistryKey = "Software\\Dralvo";
constexpr const char* kRecentSection = "RecentDatabases";
constexpr int kDefaultMaxDbCount = 8;

// A store that is there but cannot be read gives the defaults, as in the
// package; the person is told which file and why.
void TellIfUnreadable(const char* what, const std::string& fileName) {
  const std::string reason = rtl::TIniFile(fileName).ReadFailure();
  if (!reason.empty()) std::cerr << "Cannot read the " << what << " \"" << fileName << "\": " << reason << "; using the defaults\n";
}

// The folder named by the registry, or the current folder when it names
// nothing that exists (as the package falls back).
std::string SettingsRootDir() {
  TellIfUnreadable("user registry", rtl::TRegistry::StoreFileName());
  std::string dir;
  rtl::TRegistry registry;
  if (registry.OpenKey(kRegistryKey, false)) dir = registry.ReadString("RootDir");
  if (!dir.empty() && !rtl::DirectoryExists(dir)) dir.clear();
  return dir.empty() ? "." : dir;
}

// Items Item00, Item01, ... up to MaxCount; the first empty one ends the list.
void ReadRecentDatabases(rtl::TIniFile& ini, rtl::TStrings& list) {
  int maxCount = ini.ReadInteger(kRecentSection, "MaxCount", 0);
  if (maxCount == 0) maxCount = kDefaultMaxDbCount;
  const rtl::TIniSection items(ini, kRecentSection);  // one read for a history of any length
  for (int i = 0; i < maxCount; ++i) {
    std::string name = items.ReadString(rtl::Format("Item%.2d", {int64_t{i}}), std::string());
    if (name.empty()) break;
    list.Add(name);
  }
}

void SetRootDir(const std::string& dir) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec))
    throw EBadInput("\"" + dir + "\" is not a directory; the settings file needs an existing folder");
  std::string absolute = std::filesystem::absolute(dir).lexically_normal().string();
  rtl::TRegistry registry;
  if (!registry.OpenKey(kRegistryKey, true))
    throw rtl::Exception(std::string("Cannot open registry key ") + kRegistryKey + " in " + rtl::TRegistry::StoreFileName());
  registry.WriteString("RootDir", absolute);
  std::cout << "RootDir set to " << Escaped(absolute) << "\n";
}

// Entries are shown with their passwords masked; the file keeps them.
void PrintList(const char* title, const rtl::TStrings& list, bool numbered) {
  std::cout << title << ":\n";
  if (list.Count() == 0) std::cout << "  (none)\n";
  for (int i = 0; i < list.Count(); ++i)
    std::cout << "  " << (numbered ? std::to_string(i + 1) + ". " : "") << Escaped(dralvo::MaskPasswordParam(list[i])) << "\n";
}

}  // namespace

int RunSettings(const TArgs& arguments) {
  TArgs args = arguments;
  std::string newRoot = TakeOption(args, "--set-root-dir");
  NoMoreArgs(args, "settings");
  if (!newRoot.empty()) {
    SetRootDir(newRoot);
    return 0;
  }
  // Reading changes nothing on disk.
  std::string root = SettingsRootDir();
  std::string fileName = root + rtl::PathDelim + "dralvo.ini";
  TellIfUnreadable("settings file", fileName);
  rtl::TIniFile ini(fileName);
  dralvo::TDVServerType serverType = dralvo::StrToServerTypeDef(
      ini.ReadString("TDVDatabase", "ServerType", std::string()), dralvo::GetDefServerType());
  std::cout << "Settings file: " << Escaped(fileName) << "\n"
            << "Root directory: " << Escaped(root) << "\n"
            << "Default server type: " << dralvo::GetServerTypeName(serverType) << "\n"
            << "SQL editor: " << (ini.ReadBool("SQLEditor", "Enabled", true) ? "on" : "off") << "\n";
  rtl::TStringList recent, params;
  ReadRecentDatabases(ini, recent);
  ini.ReadSectionValues("TDVDatabase_Params", params);
  PrintList("Recent remote databases", recent, true);
  PrintList("Default connection parameters", params, false);
  return 0;
}

}  // namespace designer
