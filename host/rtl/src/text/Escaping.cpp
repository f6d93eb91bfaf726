#include "rtl/text/Escaping.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace rtl {

namespace {
void AppendHex(std::string& out, unsigned code) {
  constexpr const char* kDigits = "0123456789abcdef";
  out += "\\x";
  out += kDigits[(code >> 4) & 0xF];
  out += kDigits[code & 0xF];
}

bool IsControl(int32_t code) { return code < 0x20 || (code >= 0x7F && code <= 0x9F); }

// Writes the character `code` (a valid one) as `mode` shows it; `sequence`
// is its UTF-8 text.
void AppendCharacter(std::string& out, int32_t code, std::string_view sequence, TEscapeMode mode) {
  if (mode == TEscapeMode::Cell || !IsControl(code)) {
    if (mode == TEscapeMode::Item && code == '\\')
      out += "\\\\";
    else
      out += sequence;
    return;
  }
  if (mode == TEscapeMode::Message) {
    if (code == '\n')
      out += "\n  ";
    else
      AppendHex(out, static_cast<unsigned>(code));
    return;
  }
  switch (code) {
    case '\t': out += "\\t"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    default: AppendHex(out, static_cast<unsigned>(code));
  }
}
}  // namespace

std::string EscapeText(std::string_view text, TEscapeMode mode) {
  std::string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const size_t length = text.size();
  for (size_t i = 0; i < length;) {
    const size_t start = i;
    int32_t code = 0;
    U8_NEXT(bytes, i, length, code);
    if (code < 0) {
      // Each byte of an ill-formed sequence on its own.
      for (size_t k = start; k < i; ++k) AppendHex(out, bytes[k]);
      continue;
    }
    AppendCharacter(out, code, text.substr(start, i - start), mode);
  }
  return out;
}

}  // namespace rtl
