#include "designide/SetProperties.h"

#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace designide {

const rtl::TClass& TSetProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TSetProperty>("TSetProperty", &TPropertyEditor::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TSetElementProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TSetElementProperty>("TSetElementProperty", &TPropertyEditor::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

// The text can be typed too ("[a,b]"), which scripts use.
TPropertyAttributes TSetProperty::GetAttributes() { return paMultiSelect | paSubProperties | paRevertable; }

std::string TSetProperty::GetValue() {
  const int64_t mask = GetOrdValue();
  std::string text = "[";
  const auto& names = GetPropType().EnumNames;
  for (size_t i = 0; i < names.size(); ++i) {
    if ((mask >> i & 1) == 0) continue;
    if (text.size() > 1) text += ",";
    text += names[i];
  }
  return text + "]";
}

void TSetProperty::SetValue(const std::string& value) {
  std::string text = rtl::Trim(value);
  if (!text.empty() && text.front() == '[' && text.back() == ']') text = text.substr(1, text.size() - 2);
  int64_t mask = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string name = rtl::Trim(text.substr(start, comma - start));
    if (!name.empty()) {
      auto element = GetPropType().EnumValue(name);
      if (!element) throw rtl::EPropertyError("Invalid property value \"" + value + "\" for " + GetName());
      mask |= int64_t{1} << *element;
    }
    start = comma + 1;
  }
  SetOrdValue(mask);
}

void TSetProperty::GetProperties(const TGetPropProc& proc) {
  for (size_t i = 0; i < GetPropType().EnumNames.size(); ++i) {
    auto editor = MakeSibling(TSetElementProperty::StaticClass());
    static_cast<TSetElementProperty&>(*editor).SetElement(static_cast<int>(i));
    proc(std::move(editor));
  }
}

TPropertyAttributes TSetElementProperty::GetAttributes() { return paMultiSelect | paValueList | paSortList; }

std::string TSetElementProperty::GetName() const { return GetPropType().EnumName(element_); }

std::string TSetElementProperty::GetValue() { return rtl::TypeInfoBoolean().EnumName(Has(0) ? 1 : 0); }

void TSetElementProperty::SetValue(const std::string& value) {
  auto on = rtl::TypeInfoBoolean().EnumValue(rtl::Trim(value));
  if (!on) throw rtl::EPropertyError("Invalid property value \"" + value + "\" for " + GetName());
  const int64_t bit = int64_t{1} << element_;
  for (int i = 0; i < PropCount(); ++i) {
    const int64_t mask = GetOrdValueAt(i);
    SetOrdValueAt(i, *on != 0 ? mask | bit : mask & ~bit);
  }
  Modified();
}

void TSetElementProperty::GetValues(const TGetStrProc& proc) {
  for (const auto& name : rtl::TypeInfoBoolean().EnumNames) proc(name);
}

bool TSetElementProperty::AllEqual() {
  for (int i = 1; i < PropCount(); ++i)
    if (Has(i) != Has(0)) return false;
  return true;
}

}  // namespace designide
