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

// The control character that starts at text[i]: its code and its length
// in bytes (2 for a C1 control, U+0080 to U+009F in UTF-8); length 0 when
// there is none.
struct TControl {
  unsigned code = 0;
  size_t length = 0;
};
TControl ControlAt(std::string_view text, size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (c < 0x20 || c == 0x7F) return {c, 1};
  if (c == 0xC2 && i + 1 < text.size()) {
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (next >= 0x80 && next <= 0x9F) return {next, 2};
  }
  return {};
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
    if (const TControl control = ControlAt(text, i); control.length != 0) {
      AppendHex(out, control.code);
      i += control.length - 1;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string ForTerminal(std::string_view message) {
  std::string out;
  out.reserve(message.size());
  for (size_t i = 0; i < message.size(); ++i) {
    const TControl control = message[i] == '\n' ? TControl{} : ControlAt(message, i);
    if (control.length == 0) {
      out += message[i];
      continue;
    }
    AppendHex(out, control.code);
    i += control.length - 1;
  }
  return out;
}

std::string Shown(std::string_view value) { return Escaped(dralvo::MaskPasswords(value)); }

}  // namespace designer
