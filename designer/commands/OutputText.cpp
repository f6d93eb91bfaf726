#include "OutputText.h"

#include "dralvo/Secrets.h"

namespace designer {

namespace {
void AppendHex(std::string& out, unsigned code) {
  constexpr const char* kDigits = "0123456789abcdef";
  out += "\\x";
  out += kDigits[(code >> 4) & 0xF];
  out += kDigits[code & 0xF];
}
}  // namespace

std::string Escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    switch (c) {
      case '\\': out += "\\\\"; continue;
      case '\t': out += "\\t"; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      default: break;
    }
    if (c < 0x20 || c == 0x7F) {
      AppendHex(out, c);
    } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      AppendHex(out, static_cast<unsigned char>(text[++i]));  // C1 controls, U+0080 to U+009F in UTF-8
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string Shown(std::string_view value) { return Escaped(dralvo::MaskPasswords(value)); }

}  // namespace designer
