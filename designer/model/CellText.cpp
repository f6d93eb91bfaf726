#include "model/CellText.h"

#include <cstdio>

namespace designer {

namespace {
std::string Hex(unsigned char byte) {
  char buf[5];
  std::snprintf(buf, sizeof buf, "\\x%02x", byte);
  return buf;
}

// Length of the valid UTF-8 sequence at text[i]; 0 when it is not one.
size_t Utf8Length(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned int min = 0;
  unsigned int code = 0;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2, min = 0x80, code = lead & 0x1fu;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3, min = 0x800, code = lead & 0x0fu;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4, min = 0x10000, code = lead & 0x07u;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xc0u) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3fu);
  }
  const bool surrogate = code >= 0xd800 && code <= 0xdfff;
  return code < min || code > 0x10ffff || surrogate ? 0 : length;
}

template <class Ascii>
std::string Shown(std::string_view text, Ascii ascii) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8Length(text, i);
    if (length == 0) {
      out += Hex(static_cast<unsigned char>(text[i++]));
    } else if (length == 1) {
      ascii(out, text[i++]);
    } else {
      out.append(text, i, length);
      i += length;
    }
  }
  return out;
}
}  // namespace

namespace {
// Where the first `maxChars` characters end; a byte that is no UTF-8
// counts as one, as it is shown.
size_t PrefixEnd(std::string_view text, size_t maxChars) {
  size_t end = 0;
  for (size_t chars = 0; end < text.size() && chars < maxChars; ++chars) {
    const size_t length = Utf8Length(text, end);
    end += length == 0 ? 1 : length;
  }
  return end;
}
}  // namespace

std::string ShownPrefix(std::string_view text, size_t maxChars) {
  const size_t end = PrefixEnd(text, maxChars);
  const auto plain = [](std::string& out, char c) { out += c; };
  return end == text.size() ? Shown(text, plain) : Shown(text.substr(0, end), plain) + "\u2026";
}

bool LongerThan(std::string_view text, size_t maxChars) {
  return text.size() > maxChars && PrefixEnd(text, maxChars) < text.size();
}

bool IsBinaryField(const db::TField& field) {
  const db::TFieldType type = field.DataType();
  return type == db::TFieldType::ftBlob || type == db::TFieldType::ftBytes || type == db::TFieldType::ftVarBytes;
}

std::string BinarySizeText(size_t size) { return "(" + std::to_string(size) + (size == 1 ? " byte)" : " bytes)"); }

std::string ShownUtf8(const std::string& text) {
  return Shown(text, [](std::string& out, char c) { out += c; });
}

std::string EscapedLineField(const std::string& text) {
  return Shown(text, [](std::string& out, char c) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
          out += Hex(static_cast<unsigned char>(c));
        else
          out += c;
    }
  });
}

std::string LineFieldOf(const db::TField& field, const db::TValue& value) {
  if (value.IsNull()) return "";
  if (IsBinaryField(field) && value.IsText()) return BinarySizeText(value.AsString().size());
  return EscapedLineField(value.AsString());
}

}  // namespace designer
