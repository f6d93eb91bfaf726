#pragma once
// The package's own module handle (the platform's HInstance), for reading
// the package's file name and version data.
#include "rtl/packages/Packages.h"

namespace dv {

// The handle the loader gave the package; null when the package's code is
// linked into a program instead of loaded.
rtl::HMODULE HInstance();

}  // namespace dv
