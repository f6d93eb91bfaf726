// dvdesigner settings [--set-root-dir DIR]: prints the design settings as the
// package would read them now, or stores the folder of the settings file.
// The designer reads the package's settings file through the runtime's
// description of it (dralvo/DesignSettingsFile.h) rather than reaching into
// the package's code: it only ever talks to the package through what the
// package registered.
#include <filesystem>
#include <iostream>

#include "OutputText.h"
#include "Commands.h"
#include "dralvo/DesignSettingsFile.h"
#include "dralvo/Secrets.h"
#include "rtl/system/Exceptions.h"
#include "rtl/settings/Registry.h"
#include "rtl/system/SysUtils.h"
#include "rtl/text/Strings.h"

namespace designer {

namespace {

namespace layout = dralvo::settingsfile;

void SetRootDir(const std::string& dir) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec))
    throw EBadInput("\"" + dir + "\" is not a directory; the settings file needs an existing folder");
  std::string absolute = std::filesystem::absolute(dir).lexically_normal().string();
  rtl::TRegistry registry;
  if (!registry.OpenKey(layout::RegistryKey, true))
    throw rtl::Exception(std::string("Cannot open registry key ") + layout::RegistryKey + " in " +
                         rtl::TRegistry::StoreFileName());
  registry.WriteString(layout::RootDirValue, absolute);
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

int RunSettings(const TArgs& args) {
  if (auto newRoot = args.Value("--set-root-dir")) {
    SetRootDir(*newRoot);
    return 0;
  }
  // Reading changes nothing on disk.
  const std::string root = layout::RootDir();
  const std::string fileName = layout::FilePath(root);
  rtl::TIniFile ini(fileName);
  const dralvo::TDVServerType serverType = layout::ReadServerType(ini, dralvo::GetDefServerType());
  std::cout << "Settings file: " << Escaped(fileName) << "\n"
            << "Root directory: " << Escaped(root) << "\n"
            << "Default server type: " << dralvo::GetServerTypeName(serverType) << "\n"
            << "SQL editor: " << (layout::ReadSQLEditor(ini) ? "on" : "off") << "\n";
  rtl::TStringList recent, params;
  layout::ReadRecentDatabases(ini, recent);
  ini.ReadSectionValues(layout::ParamsSection, params);
  PrintList("Recent remote databases", recent, true);
  PrintList("Default connection parameters", params, false);
  return 0;
}

}  // namespace designer
