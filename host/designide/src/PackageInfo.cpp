#include "designide/PackageInfo.h"

#include "designide/Registration.h"
#include "designide/StFilSys.h"
#include "rtl/packages/Packages.h"

namespace designide {

namespace {
void DesignIntfInit() { rtl::AddPackageUnloadNotify(&UnregisterPackage); }
void DesignIntfFinal() { rtl::RemovePackageUnloadNotify(&UnregisterPackage); }
// Text modules of string-list properties do not outlive the framework.
void StFilSysFinal() { StFilSys::Unregister(); }
}  // namespace

const rtl::TPackageInfoTable& PackageInfo() {
  static const rtl::TUnitInfo units[] = {
      {"DesignIntf", &DesignIntfInit, &DesignIntfFinal},
      {"DesignEditors", nullptr, nullptr},
      {"TreeIntf", nullptr, nullptr},
      {"DSDesign", nullptr, nullptr},
      {"DSnDB", nullptr, nullptr},
      {"FldLinks", nullptr, nullptr},
      {"DBReg", nullptr, nullptr},
      {"ToolsAPI", nullptr, nullptr},
      {"StFilSys", nullptr, &StFilSysFinal},
  };
  static const rtl::TPackageInfoTable table{units, static_cast<int>(std::size(units))};
  return table;
}

}  // namespace designide

// The package entry points of dcldb160 (the loader finds them with dlsym).
extern "C" {
__attribute__((visibility("default"))) void Initialize() { rtl::InitializePackage(designide::PackageInfo()); }
__attribute__((visibility("default"))) void Finalize() { rtl::FinalizePackage(designide::PackageInfo()); }
__attribute__((visibility("default"))) const rtl::TPackageInfoTable* GetPackageInfoTable() {
  return &designide::PackageInfo();
}
}
