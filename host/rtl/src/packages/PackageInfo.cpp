#include "rtl/packages/PackageInfo.h"

namespace rtl {

// The run-time library keeps everything in function-local statics made on
// first use, so its units have no start-up or shut-down work.
const TPackageInfoTable& PackageInfo() {
  static const TUnitInfo units[] = {
      {"System", nullptr, nullptr},
      {"SysInit", nullptr, nullptr},
      {"SysUtils", nullptr, nullptr},
      {"Classes", nullptr, nullptr},
      {"TypInfo", nullptr, nullptr},
  };
  static const TPackageInfoTable table{units, static_cast<int>(std::size(units))};
  return table;
}

}  // namespace rtl

// The package entry points of rtl160 (the loader finds them with dlsym).
extern "C" {
__attribute__((visibility("default"))) void Initialize() { rtl::InitializePackage(rtl::PackageInfo()); }
__attribute__((visibility("default"))) void Finalize() { rtl::FinalizePackage(rtl::PackageInfo()); }
__attribute__((visibility("default"))) const rtl::TPackageInfoTable* GetPackageInfoTable() {
  return &rtl::PackageInfo();
}
}
