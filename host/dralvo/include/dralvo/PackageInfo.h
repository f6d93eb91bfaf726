#pragma once
// Unit table of Dralvo160: "Dvconsts", "Dvcommon", "Dvengine", "Dvcsbsrv".
// Initialization registers the component classes and creates the session
// list with the default session; finalization frees them.
#include "rtl/packages/Units.h"

namespace dralvo {
const rtl::TPackageInfoTable& PackageInfo();
}  // namespace dralvo
