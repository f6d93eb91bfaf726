#include "DVReg/DesignSettings.h"
#include "DVReg/Registrations.h"
#include "designide/DBReg.h"
#include "designide/Registration.h"
#include "dralvo/Engine.h"
#include "rtl/objects/TypeInfo.h"

namespace dv {

using namespace designide;
using namespace dralvo;

void RegisterPropertyEditors() {
  const rtl::TTypeInfo& stringType = rtl::TypeInfoString();
  RegisterPropertyEditor(stringType, &TDVTable::StaticClass(), "IndexName", TIndexNameProperty::StaticClass());
  RegisterPropertyEditor(stringType, &TDVTable::StaticClass(), "IndexFieldNames",
                         TIndexFieldNamesProperty::StaticClass());
}

// The SQL-editor switch is read here for the first time; the decision holds
// until the package is loaded again.
void RegisterTextAndLinkEditors() {
  if (DesignSettings != nullptr && DesignSettings->SQLEditor()) {
  }
}

}  // namespace dv
