// The package unit: the entry points through which the package loader
// starts, registers and stops the package. Nothing else lives here.
#include "DVReg/registration/Register.h"
#include "DVReg/registration/Units.h"
#include "rtl/packages/Units.h"

extern "C" {
__attribute__((visibility("default"))) void Initialize() { rtl::InitializePackage(dv::PackageInfo()); }
__attribute__((visibility("default"))) void Finalize() { rtl::FinalizePackage(dv::PackageInfo()); }
__attribute__((visibility("default"))) const rtl::TPackageInfoTable* GetPackageInfoTable() {
  return &dv::PackageInfo();
}
__attribute__((visibility("default"))) void Register() { dv::Register(); }
}
