#include "DVReg/settings/DesignSettings.h"

#include "dralvo/DesignSettingsFile.h"
#include "dralvo/Secrets.h"
#include "rtl/system/SysUtils.h"

namespace dv {

TDesignSettings* DesignSettings = nullptr;

namespace layout = dralvo::settingsfile;

const rtl::TClass& TDesignSettings::StaticClass() {
  static const rtl::TClass cls("TDesignSettings", &rtl::TObject::StaticClass());
  return cls;
}

TDesignSettings::TDesignSettings()
    : FRecentDatabases(std::make_unique<rtl::TStringList>()),
      FMaxDbCount(0),
      FDbParams(std::make_unique<rtl::TStringList>()),
      FSQLEditor(dralvo::b3Unknown) {
  // Each store that cannot be read is told once, for this object.
  FIniFile = std::make_unique<rtl::TIniFile>(layout::FilePath(RootDir()),
                                             rtl::TNewFileMode::OwnerOnly);
}

TDesignSettings::~TDesignSettings() {
  FIniFile.reset();
  FRecentDatabases.reset();
  FDbParams.reset();
}

const std::string& TDesignSettings::RootDir() {
  if (FRootDir.empty()) FRootDir = layout::RootDir();
  return FRootDir;
}

rtl::TStrings* TDesignSettings::RecentDatabases() {
  if (FMaxDbCount == 0) LoadRecentDatabases();
  return FRecentDatabases.get();
}

void TDesignSettings::LoadRecentDatabases() {
  FRecentDatabases->Clear();
  FMaxDbCount = layout::ReadRecentDatabases(*FIniFile, *FRecentDatabases);
}

void TDesignSettings::AddLastUsedDatabase(const std::string& Name) {
  const std::string s = dralvo::StripPasswords(Name);
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
  FIniFile->ReadSectionValues(layout::ParamsSection, *FDbParams);
}

void TDesignSettings::SaveDbParams(const rtl::TStrings& List) {
  FIniFile->Update([&](rtl::TIniChanges& file) {
    file.EraseSection(layout::ParamsSection);
    for (int i = 0; i < List.Count(); ++i) {
      std::string name = List.Names(i);
      // A line without "=" has no name; the file could not hold it.
      if (rtl::Trim(name).empty()) continue;
      file.WriteString(layout::ParamsSection, name, List.Values(name));
    }
  });
  FDbParams->Assign(List);
}

dralvo::TDVServerType TDesignSettings::ReadDefaultServerType() {
  return layout::ReadServerType(*FIniFile, dralvo::GetDefServerType());
}

void TDesignSettings::WriteDefaultServerType(dralvo::TDVServerType Value) {
  FIniFile->WriteString(layout::DatabaseSection, layout::ServerTypeKey, dralvo::GetServerTypeName(Value));
  dralvo::SetDefServerType(Value);
}

bool TDesignSettings::SQLEditor() {
  if (FSQLEditor == dralvo::b3Unknown)
    FSQLEditor = layout::ReadSQLEditor(*FIniFile) ? dralvo::b3True : dralvo::b3False;
  return FSQLEditor == dralvo::b3True;
}

void TDesignSettings::SaveRecentDatabases() {
  if (FRecentDatabases->Count() == 0) return;
  FIniFile->Update([&](rtl::TIniChanges& file) {
    file.EraseSection(layout::RecentSection);
    for (int i = 0; i < FRecentDatabases->Count(); ++i)
      file.WriteString(layout::RecentSection, layout::RecentKey(i), FRecentDatabases->Get(i));
    if (FMaxDbCount > 0 && FMaxDbCount != layout::DefaultMaxRecent)
      file.WriteInteger(layout::RecentSection, layout::MaxCountKey, FMaxDbCount);
  });
}

void TDesignSettings::SaveAll() {
  try {
    SaveRecentDatabases();
  } catch (...) {
    // Saving happens while the package unloads; nothing could report it.
  }
}

}  // namespace dv
