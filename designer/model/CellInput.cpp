#include "model/CellInput.h"

#include <charconv>

namespace designer {

namespace {
bool IsWholeNumberField(db::TFieldType type) {
  using db::TFieldType;
  return type == TFieldType::ftSmallint || type == TFieldType::ftInteger || type == TFieldType::ftWord ||
         type == TFieldType::ftAutoInc || type == TFieldType::ftLargeint || type == TFieldType::ftBoolean;
}
bool IsNumberField(db::TFieldType type) {
  using db::TFieldType;
  return type == TFieldType::ftFloat || type == TFieldType::ftCurrency || type == TFieldType::ftBCD;
}
bool IsTextField(db::TFieldType type) {
  using db::TFieldType;
  return type == TFieldType::ftString || type == TFieldType::ftWideString || type == TFieldType::ftMemo ||
         type == TFieldType::ftUnknown;
}
}  // namespace

std::optional<db::TValue> ValueOfCellInput(const db::TField& field, const std::string& text, std::string& why) {
  const db::TFieldType type = field.DataType();
  if (text.empty() && !IsTextField(type)) return db::TValue();
  const char* end = text.data() + text.size();
  if (IsWholeNumberField(type)) {
    int64_t n = 0;
    if (auto [at, ec] = std::from_chars(text.data(), end, n); ec == std::errc() && at == end) return db::TValue(n);
    why = "\"" + text + "\" is no whole number, which " + field.FieldName() + " holds";
    return std::nullopt;
  }
  if (IsNumberField(type)) {
    double d = 0;
    if (auto [at, ec] = std::from_chars(text.data(), end, d); ec == std::errc() && at == end) return db::TValue(d);
    why = "\"" + text + "\" is no number, which " + field.FieldName() + " holds";
    return std::nullopt;
  }
  return db::TValue(text);
}

std::string CellInputOf(const db::TValue& value) { return value.IsNull() ? std::string() : value.AsString(); }

}  // namespace designer
