#pragma once
// The design settings file: "dralvo.ini" in the folder named by the value
// "RootDir" of the user registry key "Software\Dralvo". The design-time
// package reads and writes it through its settings object; the designer's
// `settings` command shows it without reaching into the package. Where it
// is and how it is laid out is written here once, for both.
#include <string>

#include "dralvo/ServerTypes.h"
#include "rtl/settings/IniFiles.h"
#include "rtl/text/Strings.h"

namespace dralvo::settingsfile {

inline constexpr const char* RegistryKey = "Software\\Dralvo";
inline constexpr const char* RootDirValue = "RootDir";
inline constexpr const char* FileName = "dralvo.ini";

inline constexpr const char* ParamsSection = "TDVDatabase_Params";
inline constexpr const char* RecentSection = "RecentDatabases";
inline constexpr const char* MaxCountKey = "MaxCount";
inline constexpr int DefaultMaxRecent = 8;
inline constexpr const char* DatabaseSection = "TDVDatabase";
inline constexpr const char* ServerTypeKey = "ServerType";
inline constexpr const char* SQLEditorSection = "SQLEditor";
inline constexpr const char* EnabledKey = "Enabled";

// "Item00", "Item01", ...: the key of an entry of the history.
std::string RecentKey(int index);

// A store that exists but cannot be read leaves the defaults in force; the
// person is told on standard error which file and why.
void TellIfUnreadable(const std::string& what, const std::string& fileName);

// The folder the registry names; "." when it names nothing that exists.
// Tells when the registry store cannot be read.
std::string RootDir();
// The settings file in that folder. Tells when it cannot be read.
std::string FilePath(const std::string& rootDir);

// The history of remote databases, most recent first: Item00, Item01, ...
// up to MaxCount (DefaultMaxRecent when unset); the first empty item ends
// it. Returns the MaxCount in force.
int ReadRecentDatabases(const rtl::TIniFile& ini, rtl::TStrings& list);
// The stored default server type; `fallback` when none or unknown.
TDVServerType ReadServerType(const rtl::TIniFile& ini, TDVServerType fallback);
// Whether the package's own SQL property editor is on (true when unset).
bool ReadSQLEditor(const rtl::TIniFile& ini);

}  // namespace dralvo::settingsfile
