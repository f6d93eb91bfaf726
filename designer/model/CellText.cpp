#include "model/CellText.h"

#include "rtl/text/Escaping.h"

namespace designer {

bool IsBinaryField(const db::TField& field) {
  const db::TFieldType type = field.DataType();
  return type == db::TFieldType::ftBlob || type == db::TFieldType::ftBytes || type == db::TFieldType::ftVarBytes;
}

std::string BinarySizeText(size_t size) { return "(" + std::to_string(size) + (size == 1 ? " byte)" : " bytes)"); }

std::string ShownUtf8(const std::string& text) { return rtl::EscapeText(text, rtl::TEscapeMode::Cell); }

std::string LineFieldOf(const db::TField& field, const db::TValue& value) {
  if (value.IsNull()) return "";
  if (IsBinaryField(field) && value.IsText()) return BinarySizeText(value.AsString().size());
  return rtl::EscapeText(value.AsString(), rtl::TEscapeMode::Item);
}

}  // namespace designer
