#include "model/CellText.h"

#include "rtl/text/Escaping.h"

namespace designer {

bool IsBinaryField(const db::TField& field) {
  const db::TFieldType type = field.DataType();
  return type == db::TFieldType::ftBlob || type == db::TFieldType::ftBytes || type == db::TFieldType::ftVarBytes;
}

std::string BinarySizeText(size_t size) { return "(" + std::to_string(size) + (size == 1 ? " byte)" : " bytes)"); }

std::string ShownUtf8(const std::string& text) { return rtl::EscapeText(text, rtl::TEscapeMode::Cell); }

namespace {
// Where the first `maxChars` characters end: never inside a character, a
// cut falls before a byte that starts one.
size_t PrefixEnd(std::string_view text, size_t maxChars) {
  size_t end = 0;
  for (size_t chars = 0; end < text.size() && chars < maxChars; ++chars) {
    do {
      ++end;
    } while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xc0u) == 0x80);
  }
  return end;
}
}  // namespace

std::string ShownPrefix(std::string_view text, size_t maxChars) {
  const size_t end = PrefixEnd(text, maxChars);
  if (end == text.size()) return rtl::EscapeText(text, rtl::TEscapeMode::Cell);
  return rtl::EscapeText(text.substr(0, end), rtl::TEscapeMode::Cell) + "\u2026";
}

bool LongerThan(std::string_view text, size_t maxChars) {
  return text.size() > maxChars && PrefixEnd(text, maxChars) < text.size();
}

std::string LineFieldOf(const db::TField& field, const db::TValue& value) {
  if (value.IsNull()) return "";
  if (IsBinaryField(field) && value.IsText()) return BinarySizeText(value.AsString().size());
  return rtl::EscapeText(value.AsString(), rtl::TEscapeMode::Item);
}

}  // namespace designer
