#pragma once
// What the designer remembers per user: the recently opened modules and the
// window's geometry, in dvdesigner.ini beside the user registry store
// ($XDG_CONFIG_HOME/dralvo/, ~/.config/dralvo/ when the variable is unset).
// Every write replaces the file in one rename; a missing or unreadable file
// reads as empty.
#include <string>
#include <vector>

namespace designer {

class TDesignerSettings {
 public:
  static constexpr int MaxRecentFiles = 8;

  static std::string DefaultFileName();
  explicit TDesignerSettings(std::string fileName = DefaultFileName());

  const std::string& FileName() const { return fileName_; }

  // Most recent first, at most MaxRecentFiles, each path once.
  std::vector<std::string> RecentFiles() const;
  // Puts the path first (moving it when it is listed already).
  void AddRecentFile(const std::string& path);
  void RemoveRecentFile(const std::string& path);

  // Opaque texts the window gives and takes back ("" when none is stored).
  std::string WindowGeometry() const;
  std::string WindowState() const;
  void SaveWindow(const std::string& geometry, const std::string& state);

 private:
  void WriteRecentFiles(const std::vector<std::string>& files);
  std::string fileName_;
};

}  // namespace designer
