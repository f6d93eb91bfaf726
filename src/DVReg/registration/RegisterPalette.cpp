#include "DVReg/registration/Registrations.h"
#include "designide/Registration.h"
#include "dralvo/Engine.h"

namespace dv {

void RegisterPalette() {
  using namespace dralvo;
  designide::RegisterComponents(
      "Dralvo", {&TDVSession::StaticClass(), &TDVDatabase::StaticClass(), &TDVQuery::StaticClass(),
                 &TDVMacroQuery::StaticClass(), &TDVStoredProc::StaticClass(), &TDVTable::StaticClass(),
                 &TDVUpdateSQL::StaticClass(), &TDVScript::StaticClass(), &TDVMonitor::StaticClass(),
                 &TDVSQLBaseServer::StaticClass()});
}

}  // namespace dv
