#include "DVReg/registration/Units.h"

#include <vector>

#include "DVReg/settings/DesignSettings.h"
#include "db/PackageInfo.h"
#include "designide/PackageInfo.h"
#include "dralvo/PackageInfo.h"
#include "dralvo/ServerTypes.h"
#include "rtl/packages/PackageInfo.h"
#include "vcl/PackageInfo.h"

namespace dv {

void DVRegInitialization() {
  auto settings = std::make_unique<TDesignSettings>();
  dralvo::SetDefServerType(settings->ReadDefaultServerType());
  DesignSettings = settings.release();
}

void DVRegFinalization() {
  TDesignSettings* settings = DesignSettings;
  DesignSettings = nullptr;
  if (settings == nullptr) return;
  settings->SaveAll();  // absorbs its own errors, so the object is always freed
  delete settings;
}

const rtl::TPackageInfoTable& PackageInfo() {
  static const std::vector<rtl::TUnitInfo> units = [] {
    std::vector<rtl::TUnitInfo> all;
    for (const rtl::TPackageInfoTable* used : {&rtl::PackageInfo(), &db::PackageInfo(), &dralvo::PackageInfo(),
                                               &vcl::PackageInfo(), &designide::PackageInfo()})
      all.insert(all.end(), used->Units, used->Units + used->UnitCount);
    all.push_back({"DVAbout", nullptr, nullptr});
    all.push_back({"DVUpdSEd", nullptr, nullptr});
    all.push_back({"DVReg", &DVRegInitialization, &DVRegFinalization});
    all.push_back({"DclDralvo160", nullptr, nullptr});
    return all;
  }();
  static const rtl::TPackageInfoTable table{units.data(), static_cast<int>(units.size())};
  return table;
}

}  // namespace dv
