#include "DVReg/codeeditor/PackageModule.h"

#include <dlfcn.h>

#include <filesystem>

namespace dv {

rtl::HMODULE HInstance() {
  // The file that holds this very function is the package (or the program).
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&HInstance), &info) == 0 || info.dli_fname == nullptr) return nullptr;
  std::error_code ec;
  auto self = std::filesystem::weakly_canonical(info.dli_fname, ec);
  for (const auto& package : rtl::LoadedPackages())
    if (!ec && std::filesystem::path(package.FileName) == self) return package.Handle;
  return nullptr;
}

}  // namespace dv
