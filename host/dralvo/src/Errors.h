#pragma once
// Raising the library's database errors from its message formats.
#include <initializer_list>
#include <string>

#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

[[noreturn]] inline void RaiseDatabaseError(const char* format, std::initializer_list<rtl::TVarRec> args) {
  throw rtl::EDatabaseError(rtl::Format(format, args));
}

}  // namespace dralvo
