#include "DVReg/settings/DesignSettings.h"
#include "DVReg/properties/FieldLinkProperty.h"
#include "DVReg/properties/FileNameProperty.h"
#include "DVReg/properties/NameListProperties.h"
#include "DVReg/properties/ParamsProperties.h"
#include "DVReg/registration/Registrations.h"
#include "DVReg/properties/StringListProperties.h"
#include "db/Params.h"
#include "designide/DBReg.h"
#include "designide/Registration.h"
#include "dralvo/Engine.h"
#include "rtl/objects/TypeInfo.h"
#include "rtl/text/Strings.h"

namespace dv {

using namespace designide;
using namespace dralvo;

void RegisterPropertyEditors() {
  const rtl::TTypeInfo& boolean = rtl::TypeInfoBoolean();
  const rtl::TTypeInfo& str = rtl::TypeInfoString();
  const rtl::TTypeInfo& params = rtl::ClassTypeInfo(db::TParams::StaticClass());
  RegisterPropertyEditor(boolean, &TDVDatabase::StaticClass(), "Connected", TDVDatabaseConnectedProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVDatabase::StaticClass(), "RemoteDatabase", TDVDatabaseProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVDatabase::StaticClass(), "SessionName", TDVSessionNameProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVDatabase::StaticClass(), "ParamsFileName", TDVFileNameProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVDataSet::StaticClass(), "DatabaseName", TDVDatabaseNameProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVDataSet::StaticClass(), "SessionName", TDVSessionNameProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVScript::StaticClass(), "DatabaseName", TDVDatabaseNameProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVScript::StaticClass(), "SessionName", TDVSessionNameProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVStoredProc::StaticClass(), "StoredProcName",
                         TDVStoredProcNameProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVTable::StaticClass(), "TableName", TDVTableNameProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVTable::StaticClass(), "IndexName", TIndexNameProperty::StaticClass());
  RegisterPropertyEditor(str, &TDVTable::StaticClass(), "IndexFieldNames", TIndexFieldNamesProperty::StaticClass());
  RegisterPropertyEditor(params, &TDVQuery::StaticClass(), "Params", TDVQueryParamsProperty::StaticClass());
  RegisterPropertyEditor(params, &TDVStoredProc::StaticClass(), "Params", TDVStoredProcParamsProperty::StaticClass());
}

// The SQL-editor switch is read here for the first time; the decision holds
// until the package is loaded again.
void RegisterTextAndLinkEditors() {
  const rtl::TTypeInfo& strings = rtl::ClassTypeInfo(rtl::TStrings::StaticClass());
  RegisterPropertyEditor(strings, &TDVDatabase::StaticClass(), "Params", TDVDatabaseParamsProperty::StaticClass());
  if (DesignSettings != nullptr && DesignSettings->SQLEditor())
    RegisterPropertyEditor(strings, &TDVQuery::StaticClass(), "SQL", TDVQuerySQLProperty::StaticClass());
  RegisterPropertyEditor(rtl::TypeInfoString(), &TDVTable::StaticClass(), "MasterFields",
                         TDVTableFieldLinkProperty::StaticClass());
}

}  // namespace dv
