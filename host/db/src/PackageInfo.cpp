#include "db/PackageInfo.h"

#include "db/DataSource.h"
#include "db/FieldDefs.h"
#include "db/IndexDefs.h"
#include "db/MemDataSet.h"
#include "db/Params.h"
#include "rtl/TypeInfo.h"

namespace db {

namespace {
void InitDb() {
  rtl::RegisterClass(TDataSource::StaticClass());
  rtl::RegisterClass(TMemDataSet::StaticClass());
  rtl::RegisterClass(TParam::StaticClass());
  rtl::RegisterClass(TParams::StaticClass());
  rtl::RegisterClass(TFieldDef::StaticClass());
  rtl::RegisterClass(TIndexDef::StaticClass());
}

void FinalizeDb() {
  rtl::UnRegisterClass(TIndexDef::StaticClass());
  rtl::UnRegisterClass(TFieldDef::StaticClass());
  rtl::UnRegisterClass(TParams::StaticClass());
  rtl::UnRegisterClass(TParam::StaticClass());
  rtl::UnRegisterClass(TMemDataSet::StaticClass());
  rtl::UnRegisterClass(TDataSource::StaticClass());
}

constexpr rtl::TUnitInfo kUnits[] = {{"Db", &InitDb, &FinalizeDb}};
constexpr rtl::TPackageInfoTable kTable{kUnits, 1};
}  // namespace

const rtl::TPackageInfoTable& PackageInfo() { return kTable; }

}  // namespace db
