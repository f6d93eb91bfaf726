#include "DVReg/sprigs/DataSetSprigs.h"
#include "DVReg/sprigs/DatabaseSprigs.h"
#include "DVReg/registration/Registrations.h"
#include "DVReg/sprigs/SessionSprigs.h"
#include "designide/Registration.h"
#include "dralvo/Engine.h"

namespace dv {

void RegisterSprigs() {
  using namespace dralvo;
  using designide::RegisterSprigType;
  RegisterSprigType(TDVSession::StaticClass(), TDVSessionSprig::StaticClass());
  RegisterSprigType(TDVDatabase::StaticClass(), TDVDatabaseSprig::StaticClass());
  RegisterSprigType(TDVDataSet::StaticClass(), TDVDataSetSprig::StaticClass());
  RegisterSprigType(TDVTable::StaticClass(), TDVTableSprig::StaticClass());
  RegisterSprigType(TDVQuery::StaticClass(), TDVQuerySprig::StaticClass());
  RegisterSprigType(TDVStoredProc::StaticClass(), TDVStoredProcSprig::StaticClass());
  RegisterSprigType(TDVUpdateSQL::StaticClass(), TDVUpdateSQLSprig::StaticClass());
}

}  // namespace dv
