#pragma once
// The package's remembered settings: recently used remote databases,
// default connection parameters, the default server type and whether the
// package's own SQL property editor is on. They live in "dralvo.ini" in the
// folder named by the registry value "RootDir" of "Software\Dralvo".
#include <memory>
#include <string>

#include "dralvo/Common.h"
#include "dralvo/ServerTypes.h"
#include "rtl/settings/IniFiles.h"
#include "rtl/text/Strings.h"

namespace dv {

class TDesignSettings : public rtl::TObject {
  RTL_CLASS(TDesignSettings)
 public:
  // Locates the file (reading the registry); reads no key of it.
  TDesignSettings();
  // Saves nothing: the owner calls SaveAll first.
  ~TDesignSettings() override;

  // Names, most recent first; loaded on first use, owned by this object.
  rtl::TStrings* RecentDatabases();
  // Moves or inserts the name, without its passwords, at the front of the
  // history; an empty name is never recorded, since an empty item would
  // end the stored list.
  void AddLastUsedDatabase(const std::string& Name);
  // Writes the history now (one write of the file); raises
  // EIniFileException, leaving the file as it was, when it cannot.
  void SaveRecentDatabases();
  // name=value lines; read from the file whenever the list is empty.
  rtl::TStrings* DbParams();
  // Replaces the stored parameters (one write of the file) and the list.
  void SaveDbParams(const rtl::TStrings& List);
  dralvo::TDVServerType ReadDefaultServerType();
  // Stores the type and makes it the runtime's default; a failed write
  // leaves the default as it was.
  void WriteDefaultServerType(dralvo::TDVServerType Value);
  // Read once per object life; true when the file says nothing.
  bool SQLEditor();
  const std::string& RootDir();
  // Writes the history (one write of the file); errors are dropped.
  void SaveAll();

 private:
  void LoadRecentDatabases();
  void LoadDbParams();

  std::string FRootDir;
  std::unique_ptr<rtl::TIniFile> FIniFile;
  std::unique_ptr<rtl::TStringList> FRecentDatabases;
  int FMaxDbCount;
  std::unique_ptr<rtl::TStringList> FDbParams;
  dralvo::TBool3State FSQLEditor;
};

// The one settings object, created and freed by the package's start-up and
// shut-down; null outside that time. Editors use it and never free it.
extern TDesignSettings* DesignSettings;

}  // namespace dv
