#include "dralvo/PackageInfo.h"

#include <vector>

#include "db/PackageInfo.h"
#include "dralvo/Engine.h"

namespace dralvo {

namespace {
const rtl::TClass* const* EngineClasses(int& count) {
  static const rtl::TClass* const classes[] = {
      &TDVSession::StaticClass(),   &TDVDatabase::StaticClass(), &TDVQuery::StaticClass(),
      &TDVMacroQuery::StaticClass(), &TDVStoredProc::StaticClass(), &TDVTable::StaticClass(),
      &TDVDataSetUpdateObject::StaticClass(), &TDVUpdateSQL::StaticClass(), &TDVScript::StaticClass()};
  count = static_cast<int>(std::size(classes));
  return classes;
}

void InitCommon() { rtl::RegisterClass(TDVMonitor::StaticClass()); }
void FinalizeCommon() { rtl::UnRegisterClass(TDVMonitor::StaticClass()); }

void InitEngine() {
  CreateSessions();
  int n = 0;
  const rtl::TClass* const* classes = EngineClasses(n);
  for (int i = 0; i < n; ++i) rtl::RegisterClass(*classes[i]);
}

void FinalizeEngine() {
  int n = 0;
  const rtl::TClass* const* classes = EngineClasses(n);
  for (int i = n - 1; i >= 0; --i) rtl::UnRegisterClass(*classes[i]);
  FreeSessions();
}

void InitServer() { rtl::RegisterClass(TDVSQLBaseServer::StaticClass()); }
void FinalizeServer() { rtl::UnRegisterClass(TDVSQLBaseServer::StaticClass()); }

constexpr rtl::TUnitInfo kOwnUnits[] = {
    {"Dvconsts", nullptr, nullptr},
    {"Dvcommon", &InitCommon, &FinalizeCommon},
    {"Dvengine", &InitEngine, &FinalizeEngine},
    {"Dvcsbsrv", &InitServer, &FinalizeServer},
};
}  // namespace

const rtl::TPackageInfoTable& PackageInfo() {
  // The units of the required packages (run-time library and data-access
  // framework, which lists the run-time library's) come first.
  static const std::vector<rtl::TUnitInfo> units = [] {
    std::vector<rtl::TUnitInfo> all;
    const rtl::TPackageInfoTable& dbTable = db::PackageInfo();
    all.insert(all.end(), dbTable.Units, dbTable.Units + dbTable.UnitCount);
    all.insert(all.end(), std::begin(kOwnUnits), std::end(kOwnUnits));
    return all;
  }();
  static const rtl::TPackageInfoTable table{units.data(), static_cast<int>(units.size())};
  return table;
}

}  // namespace dralvo
