#pragma once
// The real package loaded for a benchmark's run, as a host loads it, with
// settings and scratch files in a folder of the benchmark's own.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "rtl/packages/Packages.h"

namespace dvbench {

class TLoadedPackage {
 public:
  // Loaded once for the run: the benchmark library calls each benchmark
  // more than once, and the runtime linked into the program keeps its
  // class descriptors across a package's unload.
  static TLoadedPackage& Instance() {
    static TLoadedPackage package;
    return package;
  }
  TLoadedPackage(const TLoadedPackage&) = delete;
  TLoadedPackage& operator=(const TLoadedPackage&) = delete;
  std::string File(const std::string& name) const { return (dir_ / name).string(); }

 private:
  TLoadedPackage() : dir_(std::filesystem::temp_directory_path() / ("dvbench-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(dir_);
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    module_ = rtl::LoadPackage(
        (std::filesystem::path(rtl::GetModuleFileName(nullptr)).parent_path() / "DclDralvo160.so").string());
  }
  ~TLoadedPackage() {
    rtl::UnloadPackage(module_);
    std::filesystem::remove_all(dir_);
  }

  std::filesystem::path dir_;
  rtl::HMODULE module_;
};

}  // namespace dvbench
