#include "designide/PropertyEditors.h"

#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace designide {

const rtl::TClass& TPropertyEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TPropertyEditor>("TPropertyEditor", &rtl::TObject::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TStringProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TStringProperty>("TStringProperty", &TPropertyEditor::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TEnumProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TEnumProperty>("TEnumProperty", &TPropertyEditor::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TClassProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TClassProperty>("TClassProperty", &TPropertyEditor::StaticClass()).Creatable().Build();
  return cls;
}

std::unique_ptr<TPropertyEditor> CreatePropertyEditor(const rtl::TClass& editorClass, IDesigner* designer,
                                                      std::vector<rtl::TPersistent*> components,
                                                      const rtl::TPropInfo& prop) {
  if (!editorClass.InheritsFrom(TPropertyEditor::StaticClass()))
    throw rtl::EInvalidCast(editorClass.ClassName() + " is not a property editor class");
  if (components.empty() || components.front() == nullptr)
    throw rtl::EPropertyError("A property editor for \"" + prop.Name + "\" needs a component");
  std::unique_ptr<rtl::TObject> made(editorClass.Create(nullptr));
  std::unique_ptr<TPropertyEditor> editor(rtl::As<TPropertyEditor>(made.release()));
  editor->designer_ = designer;
  editor->components_ = std::move(components);
  editor->prop_ = &prop;
  return editor;
}

rtl::TPersistent* TPropertyEditor::GetComponent(int index) const {
  if (index < 0 || index >= PropCount())
    throw rtl::EListError("Property editor component index out of bounds (" + std::to_string(index) + ")");
  return components_[static_cast<size_t>(index)];
}

void TPropertyEditor::Modified() {
  if (designer_ != nullptr) designer_->Modified();
}

TPropertyAttributes TPropertyEditor::GetAttributes() { return paMultiSelect | paRevertable; }

std::string TPropertyEditor::GetName() const { return prop_->Name; }

std::string TPropertyEditor::GetValue() {
  if (prop_->GetStr) return GetStrValue();
  if (prop_->GetOrd) return rtl::IntToStr(GetOrdValue());
  if (prop_->GetObj) {
    rtl::TObject* obj = GetObjValue();
    return obj == nullptr ? std::string() : "(" + obj->ClassName() + ")";
  }
  return "(unknown)";
}

void TPropertyEditor::SetValue(const std::string& value) {
  if (prop_->SetStr) {
    SetStrValue(value);
  } else if (prop_->SetOrd) {
    SetOrdValue(rtl::StrToInt(value));
  } else {
    throw rtl::EPropertyError("Property \"" + prop_->Name + "\" is read-only");
  }
}

void TPropertyEditor::GetValues(const TGetStrProc&) {}

int64_t TPropertyEditor::GetOrdValue() const {
  if (!prop_->GetOrd) throw rtl::EPropertyError("Property \"" + prop_->Name + "\" has no ordinal value");
  return prop_->GetOrd(*components_.front());
}

void TPropertyEditor::SetOrdValue(int64_t value) {
  if (!prop_->SetOrd) throw rtl::EPropertyError("Property \"" + prop_->Name + "\" is read-only");
  for (rtl::TPersistent* c : components_) prop_->SetOrd(*c, value);
  Modified();
}

std::string TPropertyEditor::GetStrValue() const {
  if (!prop_->GetStr) throw rtl::EPropertyError("Property \"" + prop_->Name + "\" has no text value");
  return prop_->GetStr(*components_.front());
}

void TPropertyEditor::SetStrValue(const std::string& value) {
  if (!prop_->SetStr) throw rtl::EPropertyError("Property \"" + prop_->Name + "\" is read-only");
  for (rtl::TPersistent* c : components_) prop_->SetStr(*c, value);
  Modified();
}

rtl::TObject* TPropertyEditor::GetObjValue() const {
  if (!prop_->GetObj) throw rtl::EPropertyError("Property \"" + prop_->Name + "\" has no object value");
  return prop_->GetObj(*components_.front());
}

// --- Strings, enumerations, objects -----------------------------------------

TPropertyAttributes TStringProperty::GetAttributes() { return paMultiSelect | paRevertable; }
std::string TStringProperty::GetValue() { return GetStrValue(); }
void TStringProperty::SetValue(const std::string& value) { SetStrValue(value); }

TPropertyAttributes TEnumProperty::GetAttributes() { return paMultiSelect | paValueList | paSortList | paRevertable; }

std::string TEnumProperty::GetValue() {
  int64_t ordinal = GetOrdValue();
  std::string name = GetPropType().EnumName(ordinal);
  return name.empty() ? rtl::IntToStr(ordinal) : name;
}

void TEnumProperty::SetValue(const std::string& value) {
  auto ordinal = GetPropType().EnumValue(rtl::Trim(value));
  if (!ordinal) throw rtl::EPropertyError("Invalid property value \"" + value + "\" for " + GetName());
  SetOrdValue(*ordinal);
}

void TEnumProperty::GetValues(const TGetStrProc& proc) {
  for (const auto& name : GetPropType().EnumNames) proc(name);
}

TPropertyAttributes TClassProperty::GetAttributes() { return paMultiSelect | paSubProperties | paReadOnly; }

std::string TClassProperty::GetValue() {
  rtl::TObject* obj = GetObjValue();
  return obj == nullptr ? std::string() : "(" + obj->ClassName() + ")";
}

}  // namespace designide
