#include <cstdio>

#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

namespace {
[[noreturn]] void FormatError(const std::string& fmt) {
  throw EConvertError("Format '" + fmt + "' invalid or incompatible with argument");
}

std::string Pad(std::string s, int width, bool left) {
  if (width > 0 && static_cast<int>(s.size()) < width) {
    std::string fill(static_cast<size_t>(width) - s.size(), ' ');
    s = left ? s + fill : fill + s;
  }
  return s;
}
}  // namespace

std::string Format(const std::string& fmt, std::initializer_list<TVarRec> args) {
  std::string out;
  auto arg = args.begin();
  for (size_t i = 0; i < fmt.size(); ++i) {
    char c = fmt[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i >= fmt.size()) FormatError(fmt);
    if (fmt[i] == '%') {
      out += '%';
      continue;
    }
    bool left = false;
    if (fmt[i] == '-') {
      left = true;
      ++i;
    }
    int width = -1, precision = -1;
    while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') width = (width < 0 ? 0 : width * 10) + (fmt[i++] - '0');
    if (i < fmt.size() && fmt[i] == '.') {
      ++i;
      precision = 0;
      while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') precision = precision * 10 + (fmt[i++] - '0');
    }
    if (i >= fmt.size() || arg == args.end()) FormatError(fmt);
    char spec = static_cast<char>(fmt[i] | 0x20);
    std::string piece;
    if (spec == 's') {
      const auto* s = std::get_if<std::string>(&*arg);
      if (s == nullptr) FormatError(fmt);
      piece = precision >= 0 ? s->substr(0, static_cast<size_t>(precision)) : *s;
    } else if (spec == 'd' || spec == 'u' || spec == 'x') {
      const auto* n = std::get_if<int64_t>(&*arg);
      if (n == nullptr) FormatError(fmt);
      char buf[32];
      bool negative = *n < 0 && spec == 'd';
      unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(*n) : static_cast<unsigned long long>(*n);
      std::snprintf(buf, sizeof buf, spec == 'x' ? "%llX" : "%llu", magnitude);
      std::string digits = buf;
      // "%.2d": precision is the minimum number of digits, zero-padded.
      if (precision > 0 && static_cast<int>(digits.size()) < precision)
        digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
      piece = negative ? "-" + digits : digits;
    } else {
      FormatError(fmt);
    }
    out += Pad(piece, width, left);
    ++arg;
  }
  return out;
}

}  // namespace rtl
