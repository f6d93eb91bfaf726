#include "rtl/objects/Object.h"

#include "rtl/objects/ClassBuilder.h"
#include "rtl/objects/Persistent.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

const TClass& TObject::StaticClass() {
  static const TClass cls("TObject", nullptr);
  return cls;
}

void RaiseInvalidCast(const TObject& obj, const TClass& target) {
  throw EInvalidCast("Invalid class typecast: " + obj.ClassName() + " is not a " + target.ClassName());
}

EAssertionFailed::EAssertionFailed(const std::string& message, const std::string& unit, int line)
    : Exception(message + " (" + unit + ", line " + std::to_string(line) + ")"), unit_(unit), line_(line) {}

void Assert(bool condition, const std::string& unit, int line, const std::string& message) {
  if (!condition) throw EAssertionFailed(message, unit, line);
}

const TClass& TPersistent::StaticClass() {
  static const TClass cls("TPersistent", &TObject::StaticClass());
  return cls;
}

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
}

std::string TPersistent::GetNamePath() const { return ClassName(); }

}  // namespace rtl
