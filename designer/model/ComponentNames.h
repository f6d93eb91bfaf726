#pragma once
// Names the designer gives to new components.
#include <string>

#include "rtl/objects/Component.h"
#include "rtl/objects/TypeInfo.h"

namespace designer {

// The class name without its leading "T" and the smallest number from 1
// that no component of `root` (nor the root itself) carries yet:
// TDVQuery -> DVQuery1, DVQuery2, ... A class name that does not start with
// "T" is taken whole.
std::string UniqueComponentName(const rtl::TComponent& root, const rtl::TClass& cls);

}  // namespace designer
