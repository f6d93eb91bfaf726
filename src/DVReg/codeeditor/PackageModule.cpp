#include "DVReg/codeeditor/PackageModule.h"

#include <dlfcn.h>

#include <filesystem>

namespace dv {

namespace {
// The file that holds this very function: the package (or the program). It
// cannot change while the code is loaded, so it is found once.
const std::filesystem::path& OwnFile() {
  static const std::filesystem::path file = [] {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&HInstance), &info) == 0 || info.dli_fname == nullptr)
      return std::filesystem::path();
    std::error_code ec;
    std::filesystem::path self = std::filesystem::weakly_canonical(info.dli_fname, ec);
    return ec ? std::filesystem::path() : self;
  }();
  return file;
}
}  // namespace

rtl::HMODULE HInstance() {
  const std::filesystem::path& self = OwnFile();
  if (self.empty()) return nullptr;
  for (const auto& package : rtl::LoadedPackages())
    if (std::filesystem::path(package.FileName) == self) return package.Handle;
  return nullptr;
}

}  // namespace dv
