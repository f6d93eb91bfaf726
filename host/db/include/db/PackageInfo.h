#pragma once
// Unit table of dbrtl160: registers the framework's streamable classes.
#include "rtl/packages/Units.h"

namespace db {
const rtl::TPackageInfoTable& PackageInfo();
}  // namespace db
