#pragma once
// Raising the library's database errors from its message formats. A server's
// message may quote the connection string: passwords are masked.
#include <initializer_list>
#include <string>

#include "dralvo/Secrets.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

[[noreturn]] inline void RaiseDatabaseError(const char* format, std::initializer_list<rtl::TVarRec> args) {
  throw rtl::EDatabaseError(MaskPasswords(rtl::Format(format, args)));
}

}  // namespace dralvo
