#pragma once
// The widget layer's unit table: registering its classes and creating
// Application and Screen at start-up, freeing them at finalization.
#include "rtl/packages/Units.h"

namespace vcl {

const rtl::TPackageInfoTable& PackageInfo();

}  // namespace vcl
