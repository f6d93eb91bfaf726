#include "model/DesignerSettings.h"

#include <algorithm>
#include <filesystem>

#include "rtl/settings/IniFiles.h"
#include "rtl/settings/Registry.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {
constexpr const char* kRecent = "RecentFiles";
constexpr const char* kWindow = "Window";

std::string RecentKey(int index) { return "File" + std::to_string(index + 1); }

// The configuration folder may not exist yet on a fresh account; a folder
// that cannot be made shows up as the write's own error.
rtl::TIniFile Writable(const std::string& fileName) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(fileName).parent_path(), ignored);
  return rtl::TIniFile(fileName);
}
}  // namespace

std::string TDesignerSettings::DefaultFileName() {
  return rtl::ExtractFilePath(rtl::TRegistry::StoreFileName()) + "dvdesigner.ini";
}

TDesignerSettings::TDesignerSettings(std::string fileName) : fileName_(std::move(fileName)) {}

std::vector<std::string> TDesignerSettings::RecentFiles() const {
  rtl::TIniFile ini(fileName_);
  std::vector<std::string> files;
  for (int i = 0; i < MaxRecentFiles; ++i) {
    std::string path = ini.ReadString(kRecent, RecentKey(i), "");
    if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
  }
  return files;
}

void TDesignerSettings::WriteRecentFiles(const std::vector<std::string>& files) {
  Writable(fileName_).Update([&](rtl::TIniChanges& changes) {
    changes.EraseSection(kRecent);
    for (size_t i = 0; i < files.size() && i < MaxRecentFiles; ++i)
      changes.WriteString(kRecent, RecentKey(static_cast<int>(i)), files[i]);
  });
}

void TDesignerSettings::AddRecentFile(const std::string& path) {
  std::vector<std::string> files = RecentFiles();
  files.erase(std::remove(files.begin(), files.end(), path), files.end());
  files.insert(files.begin(), path);
  WriteRecentFiles(files);
}

void TDesignerSettings::RemoveRecentFile(const std::string& path) {
  std::vector<std::string> files = RecentFiles();
  auto end = std::remove(files.begin(), files.end(), path);
  if (end == files.end()) return;
  files.erase(end, files.end());
  WriteRecentFiles(files);
}

std::string TDesignerSettings::WindowGeometry() const { return rtl::TIniFile(fileName_).ReadString(kWindow, "Geometry", ""); }

std::string TDesignerSettings::WindowState() const { return rtl::TIniFile(fileName_).ReadString(kWindow, "State", ""); }

void TDesignerSettings::SaveWindow(const std::string& geometry, const std::string& state) {
  Writable(fileName_).Update([&](rtl::TIniChanges& changes) {
    changes.WriteString(kWindow, "Geometry", geometry);
    changes.WriteString(kWindow, "State", state);
  });
}

}  // namespace designer
