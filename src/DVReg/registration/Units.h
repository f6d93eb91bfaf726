#pragma once
// The package's unit table: the units of the packages it uses first, then
// its own in the order DVAbout, DVUpdSEd, DVReg, DclDralvo160. DVReg's
// initialization creates DesignSettings and sets the runtime's default server
// type from it; its finalization saves and frees the settings.
#include "rtl/packages/Units.h"

namespace dv {

const rtl::TPackageInfoTable& PackageInfo();

void DVRegInitialization();
void DVRegFinalization();

}  // namespace dv
