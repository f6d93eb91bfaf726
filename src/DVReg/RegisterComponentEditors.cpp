#include "DVReg/DataSetEditor.h"
#include "DVReg/DatabaseEditor.h"
#include "DVReg/DefaultEditor.h"
#include "DVReg/MacroQueryEditor.h"
#include "DVReg/QueryEditor.h"
#include "DVReg/Registrations.h"
#include "DVReg/StoredProcEditor.h"
#include "DVReg/UpdateSQLEditor.h"
#include "designide/Registration.h"
#include "dralvo/Engine.h"

namespace dv {

void RegisterComponentEditors() {
  using namespace dralvo;
  using designide::RegisterComponentEditor;
  RegisterComponentEditor(TDVSession::StaticClass(), TDVDefaultEditor::StaticClass());
  RegisterComponentEditor(TDVDatabase::StaticClass(), TDVDatabaseEditor::StaticClass());
  RegisterComponentEditor(TDVDataSet::StaticClass(), TDVDataSetEditor::StaticClass());
  RegisterComponentEditor(TDVQuery::StaticClass(), TDVQueryEditor::StaticClass());
  RegisterComponentEditor(TDVMacroQuery::StaticClass(), TDVMacroQueryEditor::StaticClass());
  RegisterComponentEditor(TDVStoredProc::StaticClass(), TDVStoredProcEditor::StaticClass());
  RegisterComponentEditor(TDVUpdateSQL::StaticClass(), TDVUpdateSQLEditor::StaticClass());
  RegisterComponentEditor(TDVScript::StaticClass(), TDVScriptEditor::StaticClass());
  RegisterComponentEditor(TDVMonitor::StaticClass(), TDVDefaultEditor::StaticClass());
  RegisterComponentEditor(TDVSQLBaseServer::StaticClass(), TDVDefaultEditor::StaticClass());
}

}  // namespace dv
