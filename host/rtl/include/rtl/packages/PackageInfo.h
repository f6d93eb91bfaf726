#pragma once
// The unit table of the run-time library rtl160 as a package. Packages that
// require rtl160 list these units first in their own tables.
#include "rtl/packages/Units.h"

namespace rtl {

const TPackageInfoTable& PackageInfo();

}  // namespace rtl
