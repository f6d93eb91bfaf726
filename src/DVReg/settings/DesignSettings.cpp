#include "DVReg/settings/DesignSettings.h"

#include <iostream>

#include "rtl/settings/Registry.h"
#include "rtl/system/SysUtils.h"

namespace dv {

TDesignSettings* DesignSettings = nullptr;

namespace {
constexpr const char* kSettingsFileName = "dralvo.ini";
constexpr const char* kRegistryKey = "Software\\Dralvo";
constexpr const char* kRootDirValue = "RootDir";

constexpr const char* kParamsSection = "TDVDatabase_Params";
constexpr const char* kRecentSection = "RecentDatabases";
constexpr const char* kMaxCountKey = "MaxCount";
constexpr const char* kItemKeyFormat = "Item%.2d";
constexpr const char* kDatabaseSection = "TDVDatabase";
constexpr const char* kServerTypeKey = "ServerType";
constexpr const char* kSQLEditorSection = "SQLEditor";
constexpr const char* kEnabledKey = "Enabled";

constexpr int kDefaultMaxDbCount = 8;

std::string ItemKey(int index) { return rtl::Format(kItemKeyFormat, {int64_t{index}}); }

// Settings that exist but cannot be read leave the defaults in force; the
// person is told which file and why, once for this object.
void TellIfUnreadable(const char* what, const std::string& fileName) {
  const std::string reason = rtl::TIniFile(fileName).ReadFailure();
  if (!reason.empty())
    std::cerr << "Cannot read the " << what << " \"" << fileName << "\": " << reason << "; using the defaults\n";
}
}  // namespace

const rtl::TClass& TDesignSettings::StaticClass() {
  static const rtl::TClass cls("TDesignSettings", &rtl::TObject::StaticClass());
  return cls;
}

TDesignSettings::TDesignSettings()
    : FRecentDatabases(std::make_unique<rtl::TStringList>()),
      FMaxDbCount(0),
      FDbParams(std::make_unique<rtl::TStringList>()),
      FSQLEditor(dralvo::b3Unknown) {
  TellIfUnreadable("user registry", rtl::TRegistry::StoreFileName());
  FIniFile = std::make_unique<rtl::TIniFile>(RootDir() + rtl::PathDelim + kSettingsFileName);
  TellIfUnreadable("settings file", FIniFile->FileName());
}

TDesignSettings::~TDesignSettings() {
  FIniFile.reset();
  FRecentDatabases.reset();
  FDbParams.reset();
}

const std::string& TDesignSettings::RootDir() {
  if (FRootDir.empty()) {
    std::string dir;
    rtl::TRegistry registry;
    registry.SetRootKey(rtl::HKEY_CURRENT_USER);
    if (registry.OpenKey(kRegistryKey, false)) dir = registry.ReadString(kRootDirValue);
    // A value naming a file or nothing at all falls back to the current folder.
    if (!dir.empty() && !rtl::DirectoryExists(dir)) dir.clear();
    FRootDir = dir.empty() ? "." : dir;
  }
  return FRootDir;
}

rtl::TStrings* TDesignSettings::RecentDatabases() {
  if (FMaxDbCount == 0) LoadRecentDatabases();
  return FRecentDatabases.get();
}

void TDesignSettings::LoadRecentDatabases() {
  FRecentDatabases->Clear();
  FMaxDbCount = FIniFile->ReadInteger(kRecentSection, kMaxCountKey, 0);
  if (FMaxDbCount == 0) FMaxDbCount = kDefaultMaxDbCount;
  // One read of the section: a read per item would read the whole file
  // again for each item of a long history.
  const rtl::TIniSection items(*FIniFile, kRecentSection);
  for (int i = 0; i < FMaxDbCount; ++i) {
    std::string name = items.ReadString(ItemKey(i), std::string());
    if (name.empty()) break;
    FRecentDatabases->Add(name);
  }
}

void TDesignSettings::AddLastUsedDatabase(const std::string& s) {
  if (s.empty()) return;
  if (FMaxDbCount == 0) LoadRecentDatabases();
  int index = FRecentDatabases->IndexOf(s);
  if (index < 0)
    FRecentDatabases->Insert(0, s);
  else if (index > 0)
    FRecentDatabases->Move(index, 0);
}

rtl::TStrings* TDesignSettings::DbParams() {
  if (FDbParams->Count() == 0) LoadDbParams();
  return FDbParams.get();
}

void TDesignSettings::LoadDbParams() {
  FDbParams->Clear();
  FIniFile->ReadSectionValues(kParamsSection, *FDbParams);
}

void TDesignSettings::SaveDbParams(const rtl::TStrings& List) {
  FIniFile->Update([&](rtl::TIniChanges& file) {
    file.EraseSection(kParamsSection);
    for (int i = 0; i < List.Count(); ++i) {
      std::string name = List.Names(i);
      // A line without "=" has no name; the file could not hold it.
      if (rtl::Trim(name).empty()) continue;
      file.WriteString(kParamsSection, name, List.Values(name));
    }
  });
  FDbParams->Assign(List);
}

dralvo::TDVServerType TDesignSettings::ReadDefaultServerType() {
  std::string name = FIniFile->ReadString(kDatabaseSection, kServerTypeKey, std::string());
  return dralvo::StrToServerTypeDef(name, dralvo::GetDefServerType());
}

void TDesignSettings::WriteDefaultServerType(dralvo::TDVServerType Value) {
  FIniFile->WriteString(kDatabaseSection, kServerTypeKey, dralvo::GetServerTypeName(Value));
  dralvo::SetDefServerType(Value);
}

bool TDesignSettings::SQLEditor() {
  if (FSQLEditor == dralvo::b3Unknown)
    FSQLEditor = FIniFile->ReadBool(kSQLEditorSection, kEnabledKey, true) ? dralvo::b3True : dralvo::b3False;
  return FSQLEditor == dralvo::b3True;
}

void TDesignSettings::SaveAll() {
  if (FRecentDatabases->Count() == 0) return;
  try {
    FIniFile->Update([&](rtl::TIniChanges& file) {
      file.EraseSection(kRecentSection);
      for (int i = 0; i < FRecentDatabases->Count(); ++i)
        file.WriteString(kRecentSection, ItemKey(i), FRecentDatabases->Get(i));
      if (FMaxDbCount > 0 && FMaxDbCount != kDefaultMaxDbCount)
        file.WriteInteger(kRecentSection, kMaxCountKey, FMaxDbCount);
    });
  } catch (...) {
    // Saving happens while the package unloads; nothing could report it.
  }
}

}  // namespace dv
