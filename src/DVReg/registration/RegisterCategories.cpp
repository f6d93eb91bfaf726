#include "DVReg/registration/Registrations.h"
#include "designide/Registration.h"
#include "dralvo/Engine.h"

namespace dv {

// The category name is the IDE's resource string, loaded for each call.
void RegisterCategories() {
  using namespace dralvo;
  using designide::RegisterPropertiesInCategory;
  using designide::sDatabaseCategoryName;
  RegisterPropertiesInCategory(sDatabaseCategoryName(), TDVDatabase::StaticClass(),
                               {"ServerType", "SessionName", "DatabaseName", "RemoteDatabase"});
  RegisterPropertiesInCategory(sDatabaseCategoryName(), TDVDataSet::StaticClass(), {"DatabaseName"});
  RegisterPropertiesInCategory(sDatabaseCategoryName(), TDVDataSetUpdateObject::StaticClass(), {"*SQL"});
}

}  // namespace dv
