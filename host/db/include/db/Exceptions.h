#pragma once
// The data-access error: the platform's EDatabaseError.
#include <string>

#include "rtl/system/Exceptions.h"

namespace db {
using EDatabaseError = rtl::EDatabaseError;
[[noreturn]] void DatabaseError(const std::string& message);
}  // namespace db
