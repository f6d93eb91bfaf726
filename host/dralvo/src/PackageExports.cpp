// The package entry points of Dralvo160 (the loader finds them with dlsym).
#include "dralvo/PackageInfo.h"

extern "C" {
__attribute__((visibility("default"))) void Initialize() { rtl::InitializePackage(dralvo::PackageInfo()); }
__attribute__((visibility("default"))) void Finalize() { rtl::FinalizePackage(dralvo::PackageInfo()); }
__attribute__((visibility("default"))) const rtl::TPackageInfoTable* GetPackageInfoTable() {
  return &dralvo::PackageInfo();
}
}
