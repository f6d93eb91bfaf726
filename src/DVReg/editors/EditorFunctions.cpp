#include "DVReg/editors/EditorFunctions.h"

#include "DVReg/codeeditor/PackageModule.h"
#include "DVUpdSEd/UpdateSQLEditForm.h"
#include "designide/ColnEdit.h"
#include "designide/Designer.h"
#include "dralvo/Common.h"
#include "dralvo/Database.h"
#include "dralvo/MacroQuery.h"
#include "dralvo/Session.h"
#include "dralvo/StoredProc.h"
#include "rtl/system/SysUtils.h"

namespace dv {

std::string GetAboutVerbCaption() {
  std::string productName = "Dralvo";
  std::string version;
  dralvo::ReadFileVersInfo(dralvo::GetModuleFileNameStr(HInstance()), productName, version);
  return productName + " " + version;
}

dralvo::TDVDatabase* FindStoredProcDatabase(dralvo::TDVStoredProc* StoredProc) {
  // GetSessionByName raises for an unknown session; the check below only
  // keeps a null from ever being dereferenced.
  dralvo::TDVSession* session = dralvo::Sessions().GetSessionByName(StoredProc->SessionName());
  if (session == nullptr) throw rtl::EDatabaseError("Session '" + StoredProc->SessionName() + "' not found");
  return session->FindDatabase(StoredProc->DatabaseName());
}

std::string GetDesignerRootName(designide::IDesigner* Designer) { return Designer->GetRoot()->Name(); }

bool EditQueryParams(designide::IDesigner* Designer, dralvo::TDVQuery* Query) {
  designide::ShowCollectionEditorClass(Designer, designide::TCollectionEditor::StaticClass(), Query, Query->Params(),
                                       "Params", 0);
  return false;
}

bool EditMacroQueryMacros(designide::IDesigner* Designer, dralvo::TDVMacroQuery* Query) {
  designide::ShowCollectionEditorClass(Designer, designide::TCollectionEditor::StaticClass(), Query,
                                       Query->GetMacros(), "Macros", 0);
  return false;
}

bool EditStoredProcParams(designide::IDesigner* Designer, dralvo::TDVStoredProc* StoredProc) {
  if (StoredProc->GetParamsCount() == 0 && !StoredProc->Prepared()) StoredProc->Prepare();
  dralvo::TDVDatabase* database = StoredProc->BoundDatabase();
  if (database == nullptr && !rtl::Trim(StoredProc->DatabaseName()).empty())
    database = FindStoredProcDatabase(StoredProc);
  // Parameters the server describes are the procedure's own: they can only
  // be looked at. Otherwise the developer declares them.
  const designide::TColOptions options =
      database != nullptr && database->Connected() && StoredProc->DescriptionsAvailable()
          ? 0
          : designide::coAdd | designide::coDelete;
  designide::ShowCollectionEditorClass(Designer, designide::TCollectionEditor::StaticClass(), StoredProc,
                                       StoredProc->Params(), "Params", options);
  if (StoredProc->Prepared()) StoredProc->UnPrepare();
  return false;
}

bool ExecuteUpdateSQLEditor(designide::IDesigner* designer, dralvo::TDVUpdateSQL* updateSQL) {
  if (!EditUpdateSQL(updateSQL)) return false;
  if (designer != nullptr) designer->Modified();
  return true;
}

bool IsDataSetDatabaseConnected(dralvo::TDVDataSet* DataSet) {
  dralvo::TDVSession* session = dralvo::Sessions().FindSession(DataSet->SessionName());
  if (session == nullptr) return false;
  dralvo::TDVDatabase* database = session->FindDatabase(DataSet->DatabaseName());
  return database != nullptr && database->Connected();
}

}  // namespace dv
