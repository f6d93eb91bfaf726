// dvdesigner settings [--set-root-dir DIR]: prints the design settings as the
// package would read them now, or stores the folder of the settings file.
#include <filesystem>
#include <iostream>

#include "Commands.h"
#include "DVReg/DesignSettings.h"
#include "dralvo/Secrets.h"
#include "dralvo/ServerTypes.h"
#include "rtl/system/Exceptions.h"
#include "rtl/settings/Registry.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {

void SetRootDir(const std::string& dir) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec))
    throw EBadInput("\"" + dir + "\" is not a directory; the settings file needs an existing folder");
  std::string absolute = std::filesystem::absolute(dir).lexically_normal().string();
  rtl::TRegistry registry;
  if (!registry.OpenKey("Software\\Dralvo", true))
    throw rtl::Exception("Cannot open registry key Software\\Dralvo in " + rtl::TRegistry::StoreFileName());
  registry.WriteString("RootDir", absolute);
  std::cout << "RootDir set to " << absolute << "\n";
}

// Entries are shown with their passwords masked; the file keeps them.
void PrintList(const char* title, const rtl::TStrings& list, bool numbered) {
  std::cout << title << ":\n";
  if (list.Count() == 0) std::cout << "  (none)\n";
  for (int i = 0; i < list.Count(); ++i)
    std::cout << "  " << (numbered ? std::to_string(i + 1) + ". " : "") << dralvo::MaskPasswordParam(list[i]) << "\n";
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
  // A store of our own, not the package's: reading changes nothing on disk.
  dv::TDesignSettings settings;
  std::cout << "Settings file: " << settings.RootDir() + rtl::PathDelim + "dralvo.ini" << "\n"
            << "Root directory: " << settings.RootDir() << "\n"
            << "Default server type: " << dralvo::GetServerTypeName(settings.ReadDefaultServerType()) << "\n"
            << "SQL editor: " << (settings.SQLEditor() ? "on" : "off") << "\n";
  PrintList("Recent remote databases", *settings.RecentDatabases(), true);
  PrintList("Default connection parameters", *settings.DbParams(), false);
  return 0;
}

}  // namespace designer
