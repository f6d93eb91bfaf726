#pragma once
// The unit table of the design framework dcldb160. Its "DesignIntf" unit
// hooks the registrations into the package loader: when a package unloads,
// what it registered goes with it.
#include "rtl/packages/Units.h"

namespace designide {

const rtl::TPackageInfoTable& PackageInfo();

}  // namespace designide
