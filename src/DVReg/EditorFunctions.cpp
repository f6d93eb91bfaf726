#include "DVReg/EditorFunctions.h"

#include "DVReg/PackageModule.h"
#include "DVUpdSEd/UpdateSQLEditForm.h"
#include "designide/Designer.h"
#include "dralvo/Common.h"

namespace dv {

std::string GetAboutVerbCaption() {
  std::string productName = "Dralvo";
  std::string version;
  dralvo::ReadFileVersInfo(dralvo::GetModuleFileNameStr(HInstance()), productName, version);
  return productName + " " + version;
}

bool ExecuteUpdateSQLEditor(designide::IDesigner* designer, dralvo::TDVUpdateSQL* updateSQL) {
  if (!EditUpdateSQL(updateSQL)) return false;
  if (designer != nullptr) designer->Modified();
  return true;
}

}  // namespace dv
