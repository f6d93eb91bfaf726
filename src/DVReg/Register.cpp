#include "DVReg/Register.h"

#include "DVReg/DefaultEditor.h"
#include "DVReg/DesignSettings.h"
#include "DVReg/UpdateSQLEditor.h"
#include "designide/DBReg.h"
#include "designide/Registration.h"
#include "dralvo/Engine.h"
#include "rtl/TypeInfo.h"

namespace dv {

using namespace designide;
using namespace dralvo;

// The calls run in this order and catch nothing: an error ends Register and
// reaches the IDE.
void Register() {
  // 1. The palette page.
  RegisterComponents("Dralvo", {&TDVSession::StaticClass(), &TDVDatabase::StaticClass(), &TDVQuery::StaticClass(),
                                &TDVMacroQuery::StaticClass(), &TDVStoredProc::StaticClass(),
                                &TDVTable::StaticClass(), &TDVUpdateSQL::StaticClass(), &TDVScript::StaticClass(),
                                &TDVMonitor::StaticClass(), &TDVSQLBaseServer::StaticClass()});

  // 2. Property editors. Rows 1-10 (Connected, RemoteDatabase, SessionName,
  // ParamsFileName, DatabaseName, StoredProcName, TableName) join here with
  // the name-list and file-name editors; rows 13-14 (Params) after row 12.
  const rtl::TTypeInfo& stringType = rtl::TypeInfoString();
  RegisterPropertyEditor(stringType, &TDVTable::StaticClass(), "IndexName", TIndexNameProperty::StaticClass());
  RegisterPropertyEditor(stringType, &TDVTable::StaticClass(), "IndexFieldNames",
                         TIndexFieldNamesProperty::StaticClass());

  // 3. Component editors, in this order. The database, dataset, query, macro
  // query and stored procedure rows join at their marked places.
  RegisterComponentEditor(TDVSession::StaticClass(), TDVDefaultEditor::StaticClass());
  // TDVDatabase -> TDVDatabaseEditor joins here.
  // TDVDataSet -> TDVDataSetEditor joins here.
  // TDVQuery -> TDVQueryEditor joins here.
  // TDVMacroQuery -> TDVMacroQueryEditor joins here.
  // TDVStoredProc -> TDVStoredProcEditor joins here.
  RegisterComponentEditor(TDVUpdateSQL::StaticClass(), TDVUpdateSQLEditor::StaticClass());
  RegisterComponentEditor(TDVScript::StaticClass(), TDVScriptEditor::StaticClass());
  RegisterComponentEditor(TDVMonitor::StaticClass(), TDVDefaultEditor::StaticClass());
  RegisterComponentEditor(TDVSQLBaseServer::StaticClass(), TDVDefaultEditor::StaticClass());

  // 4. Rows 15-17. Row 16 (TDVQuery "SQL") depends on the SQL-editor switch,
  // read here for the first time; the decision holds until the next load.
  if (DesignSettings != nullptr && DesignSettings->SQLEditor()) {
    // Row 16 joins here with TDVQuerySQLProperty.
  }

  // 5. Property categories.
  RegisterPropertiesInCategory(sDatabaseCategoryName(), TDVDatabase::StaticClass(),
                               {"ServerType", "SessionName", "DatabaseName", "RemoteDatabase"});
  RegisterPropertiesInCategory(sDatabaseCategoryName(), TDVDataSet::StaticClass(), {"DatabaseName"});
  RegisterPropertiesInCategory(sDatabaseCategoryName(), TDVDataSetUpdateObject::StaticClass(), {"*SQL"});

  // 6. Sprig types join here with the sprig classes.
}

}  // namespace dv
