#include "db/PackageInfo.h"

#include "db/DataSource.h"
#include "db/Field.h"
#include "db/FieldDefs.h"
#include "db/IndexDefs.h"
#include "db/MemDataSet.h"
#include "db/Params.h"
#include "rtl/packages/PackageInfo.h"
#include "rtl/objects/TypeInfo.h"

#include <vector>

namespace db {

namespace {
void InitDb() {
  rtl::RegisterClass(TDataSource::StaticClass());
  rtl::RegisterClass(TMemDataSet::StaticClass());
  rtl::RegisterClass(TParam::StaticClass());
  rtl::RegisterClass(TParams::StaticClass());
  rtl::RegisterClass(TFieldDef::StaticClass());
  rtl::RegisterClass(TIndexDef::StaticClass());
  rtl::RegisterClass(TField::StaticClass());
}

void FinalizeDb() {
  rtl::UnRegisterClass(TField::StaticClass());
  rtl::UnRegisterClass(TIndexDef::StaticClass());
  rtl::UnRegisterClass(TFieldDef::StaticClass());
  rtl::UnRegisterClass(TParams::StaticClass());
  rtl::UnRegisterClass(TParam::StaticClass());
  rtl::UnRegisterClass(TMemDataSet::StaticClass());
  rtl::UnRegisterClass(TDataSource::StaticClass());
}

constexpr rtl::TUnitInfo kOwnUnits[] = {{"Db", &InitDb, &FinalizeDb}};
}  // namespace

const rtl::TPackageInfoTable& PackageInfo() {
  // The units of the required run-time library come first.
  static const std::vector<rtl::TUnitInfo> units = [] {
    const rtl::TPackageInfoTable& rtlTable = rtl::PackageInfo();
    std::vector<rtl::TUnitInfo> all(rtlTable.Units, rtlTable.Units + rtlTable.UnitCount);
    all.insert(all.end(), std::begin(kOwnUnits), std::end(kOwnUnits));
    return all;
  }();
  static const rtl::TPackageInfoTable table{units.data(), static_cast<int>(units.size())};
  return table;
}

}  // namespace db
