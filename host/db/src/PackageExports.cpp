// The package entry points of dbrtl160 (the loader finds them with dlsym).
#include "db/PackageInfo.h"

extern "C" {
__attribute__((visibility("default"))) void Initialize() { rtl::InitializePackage(db::PackageInfo()); }
__attribute__((visibility("default"))) void Finalize() { rtl::FinalizePackage(db::PackageInfo()); }
__attribute__((visibility("default"))) const rtl::TPackageInfoTable* GetPackageInfoTable() {
  return &db::PackageInfo();
}
}
