#include "DVReg/DefaultEditor.h"
#include "DVReg/Registrations.h"
#include "DVReg/UpdateSQLEditor.h"
#include "designide/Registration.h"
#include "dralvo/Engine.h"

namespace dv {

void RegisterComponentEditors() {
  using namespace dralvo;
  using designide::RegisterComponentEditor;
  RegisterComponentEditor(TDVSession::StaticClass(), TDVDefaultEditor::StaticClass());
  RegisterComponentEditor(TDVUpdateSQL::StaticClass(), TDVUpdateSQLEditor::StaticClass());
  RegisterComponentEditor(TDVScript::StaticClass(), TDVScriptEditor::StaticClass());
  RegisterComponentEditor(TDVMonitor::StaticClass(), TDVDefaultEditor::StaticClass());
  RegisterComponentEditor(TDVSQLBaseServer::StaticClass(), TDVDefaultEditor::StaticClass());
}

}  // namespace dv
