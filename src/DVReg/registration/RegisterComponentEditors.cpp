#include "DVReg/editors/DataSetEditor.h"
#include "DVReg/editors/DatabaseEditor.h"
#include "DVReg/editors/DefaultEditor.h"
#include "DVReg/editors/MacroQueryEditor.h"
#include "DVReg/editors/QueryEditor.h"
#include "DVReg/registration/Registrations.h"
#include "DVReg/editors/StoredProcEditor.h"
#include "DVReg/editors/UpdateSQLEditor.h"
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
