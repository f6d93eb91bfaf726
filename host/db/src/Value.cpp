#include "db/Value.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace db {

namespace {
[[noreturn]] void NotANumber(const std::string& text) {
  throw rtl::EConvertError("'" + text + "' is not a valid number");
}

std::string FloatText(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  return buf;
}
}  // namespace

std::string TValue::AsString() const {
  if (auto* i = std::get_if<int64_t>(&v_)) return std::to_string(*i);
  if (auto* d = std::get_if<double>(&v_)) return FloatText(*d);
  if (auto* s = std::get_if<std::string>(&v_)) return *s;
  return {};
}

int64_t TValue::AsInteger() const {
  if (auto* i = std::get_if<int64_t>(&v_)) return *i;
  if (auto* d = std::get_if<double>(&v_)) return static_cast<int64_t>(std::llround(*d));
  if (auto* s = std::get_if<std::string>(&v_)) {
    int64_t v = 0;
    if (!rtl::TryStrToInt(rtl::Trim(*s), v)) NotANumber(*s);
    return v;
  }
  return 0;
}

double TValue::AsFloat() const {
  if (auto* i = std::get_if<int64_t>(&v_)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&v_)) return *d;
  if (auto* s = std::get_if<std::string>(&v_)) {
    std::string t = rtl::Trim(*s);
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(t.c_str(), &end);
    if (t.empty() || end != t.c_str() + t.size() || errno == ERANGE) NotANumber(*s);
    return v;
  }
  return 0.0;
}

bool TValue::AsBoolean() const {
  if (auto* s = std::get_if<std::string>(&v_)) {
    std::string t = rtl::Trim(*s);
    if (rtl::SameText(t, "true") || rtl::SameText(t, "t") || t == "1") return true;
    if (rtl::SameText(t, "false") || rtl::SameText(t, "f") || t == "0" || t.empty()) return false;
    throw rtl::EConvertError("'" + *s + "' is not a valid boolean value");
  }
  if (IsNull()) return false;
  return AsFloat() != 0.0;
}

}  // namespace db
