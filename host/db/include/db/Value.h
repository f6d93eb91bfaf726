#pragma once
// TValue: one field or parameter value: null, integer, float or text
// (blobs are kept as text bytes).
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace db {

class TValue {
 public:
  TValue() = default;
  TValue(int64_t v) : v_(v) {}  // NOLINT: values convert implicitly, as variants do
  TValue(int v) : v_(static_cast<int64_t>(v)) {}
  TValue(double v) : v_(v) {}
  TValue(std::string v) : v_(std::move(v)) {}
  TValue(const char* v) : v_(std::string(v)) {}
  TValue(bool v) : v_(static_cast<int64_t>(v ? 1 : 0)) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
  bool IsInteger() const { return std::holds_alternative<int64_t>(v_); }
  bool IsFloat() const { return std::holds_alternative<double>(v_); }
  bool IsText() const { return std::holds_alternative<std::string>(v_); }

  // Conversions; null gives "", 0, 0.0, false. Text that is not a number
  // raises EConvertError naming the text.
  std::string AsString() const;
  // The text itself, without a copy; empty for a value that is no text.
  std::string_view TextView() const {
    const std::string* text = std::get_if<std::string>(&v_);
    return text != nullptr ? std::string_view(*text) : std::string_view();
  }
  int64_t AsInteger() const;
  double AsFloat() const;
  bool AsBoolean() const;

  bool operator==(const TValue& other) const { return v_ == other.v_; }

 private:
  std::variant<std::monostate, int64_t, double, std::string> v_;
};

}  // namespace db
