#include "designide/PropertyEditors.h"

#include <cstdint>
#include <string>

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
const rtl::TClass& TIntegerProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TIntegerProperty>("TIntegerProperty", &TPropertyEditor::StaticClass()).Creatable().Build();
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
  // Each component's own description of the property, looked up once per
  // class (selections are mostly of one class).
  std::vector<const rtl::TPropInfo*> props;
  props.reserve(components.size());
  const rtl::TClass* lastClass = nullptr;
  const rtl::TPropInfo* lastProp = &prop;
  for (rtl::TPersistent* c : components) {
    if (c == nullptr) throw rtl::EPropertyError("A property editor for \"" + prop.Name + "\" got a null component");
    if (&c->ClassType() != lastClass && c != components.front()) {
      lastProp = c->ClassType().FindProperty(prop.Name);
      if (lastProp == nullptr)
        throw rtl::EPropertyError(c->ClassName() + " has no property \"" + prop.Name + "\"");
    }
    lastClass = &c->ClassType();
    props.push_back(lastProp);
  }
  std::unique_ptr<rtl::TObject> made(editorClass.Create(nullptr));
  std::unique_ptr<TPropertyEditor> editor(rtl::As<TPropertyEditor>(made.release()));
  editor->designer_ = designer;
  editor->components_ = std::move(components);
  editor->props_ = std::move(props);
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

std::string TPropertyEditor::GetName() const { return GetPropInfo().Name; }

std::string TPropertyEditor::GetValue() {
  const rtl::TPropInfo& prop = GetPropInfo();
  if (prop.GetStr) return GetStrValue();
  if (prop.GetOrd) return rtl::IntToStr(GetOrdValue());
  if (prop.GetObj) {
    rtl::TObject* obj = GetObjValue();
    return obj == nullptr ? std::string() : "(" + obj->ClassName() + ")";
  }
  return "(unknown)";
}

void TPropertyEditor::SetValue(const std::string& value) {
  const rtl::TPropInfo& prop = GetPropInfo();
  if (prop.SetStr) {
    SetStrValue(value);
  } else if (prop.SetOrd) {
    SetOrdValue(rtl::StrToInt(value));
  } else {
    throw rtl::EPropertyError("Property \"" + prop.Name + "\" is read-only");
  }
}

void TPropertyEditor::GetValues(const TGetStrProc&) {}

void TPropertyEditor::GetProperties(const TGetPropProc&) {}

bool TPropertyEditor::AllEqual() {
  const rtl::TPropInfo& first = GetPropInfo();
  const rtl::TPersistent& c0 = *components_.front();
  if (first.GetStr) {
    const std::string v = first.GetStr(c0);
    for (size_t i = 1; i < components_.size(); ++i)
      if (props_[i]->GetStr(*components_[i]) != v) return false;
  } else if (first.GetOrd) {
    const int64_t v = first.GetOrd(c0);
    for (size_t i = 1; i < components_.size(); ++i)
      if (props_[i]->GetOrd(*components_[i]) != v) return false;
  } else if (first.GetObj) {
    rtl::TObject* v = first.GetObj(c0);
    for (size_t i = 1; i < components_.size(); ++i) {
      rtl::TObject* o = props_[i]->GetObj(*components_[i]);
      // A reference is equal when it names the same component; owned
      // sub-objects are each component's own, shown by their class.
      const bool same = first.SetObj ? o == v
                                     : (o == nullptr) == (v == nullptr) &&
                                           (o == nullptr || &o->ClassType() == &v->ClassType());
      if (!same) return false;
    }
  }
  return true;
}

int64_t TPropertyEditor::GetOrdValue() const {
  const rtl::TPropInfo& prop = GetPropInfo();
  if (!prop.GetOrd) throw rtl::EPropertyError("Property \"" + prop.Name + "\" has no ordinal value");
  return prop.GetOrd(*components_.front());
}

void TPropertyEditor::SetOrdValue(int64_t value) {
  if (!GetPropInfo().SetOrd) throw rtl::EPropertyError("Property \"" + GetName() + "\" is read-only");
  for (size_t i = 0; i < components_.size(); ++i) props_[i]->SetOrd(*components_[i], value);
  Modified();
}

std::string TPropertyEditor::GetStrValue() const {
  const rtl::TPropInfo& prop = GetPropInfo();
  if (!prop.GetStr) throw rtl::EPropertyError("Property \"" + prop.Name + "\" has no text value");
  return prop.GetStr(*components_.front());
}

void TPropertyEditor::SetStrValue(const std::string& value) {
  if (!GetPropInfo().SetStr) throw rtl::EPropertyError("Property \"" + GetName() + "\" is read-only");
  for (size_t i = 0; i < components_.size(); ++i) props_[i]->SetStr(*components_[i], value);
  Modified();
}

rtl::TObject* TPropertyEditor::GetObjValue() const { return GetObjValueAt(0); }

rtl::TObject* TPropertyEditor::GetObjValueAt(int index) const {
  const rtl::TPropInfo& prop = *props_.at(static_cast<size_t>(index));
  if (!prop.GetObj) throw rtl::EPropertyError("Property \"" + prop.Name + "\" has no object value");
  return prop.GetObj(*GetComponent(index));
}

int64_t TPropertyEditor::GetOrdValueAt(int index) const {
  const rtl::TPropInfo& prop = *props_.at(static_cast<size_t>(index));
  if (!prop.GetOrd) throw rtl::EPropertyError("Property \"" + prop.Name + "\" has no ordinal value");
  return prop.GetOrd(*GetComponent(index));
}

void TPropertyEditor::SetOrdValueAt(int index, int64_t value) {
  const rtl::TPropInfo& prop = *props_.at(static_cast<size_t>(index));
  if (!prop.SetOrd) throw rtl::EPropertyError("Property \"" + prop.Name + "\" is read-only");
  prop.SetOrd(*GetComponent(index), value);
}

std::unique_ptr<TPropertyEditor> TPropertyEditor::MakeSibling(const rtl::TClass& editorClass) const {
  auto editor = CreatePropertyEditor(editorClass, designer_, {components_.front()}, GetPropInfo());
  editor->components_ = components_;
  editor->props_ = props_;
  return editor;
}

void TPropertyEditor::SetObjValue(rtl::TObject* value) {
  const rtl::TPropInfo& first = GetPropInfo();
  if (!first.SetObj) {
    // An owned sub-object: its contents are replaced.
    auto* source = dynamic_cast<rtl::TPersistent*>(value);
    if (!first.GetObj || source == nullptr)
      throw rtl::EPropertyError("Property \"" + first.Name + "\" is read-only");
    for (size_t i = 0; i < components_.size(); ++i) {
      auto* target = dynamic_cast<rtl::TPersistent*>(props_[i]->GetObj(*components_[i]));
      if (target == nullptr) throw rtl::EPropertyError("Property \"" + first.Name + "\" has no object to assign to");
      target->Assign(*source);
    }
  } else {
    for (size_t i = 0; i < components_.size(); ++i) props_[i]->SetObj(*components_[i], value);
  }
  Modified();
}

// --- Strings, enumerations, numbers, objects ---------------------------------

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

void TIntegerProperty::SetValue(const std::string& value) {
  int64_t number = 0;
  if (!rtl::TryStrToInt(rtl::Trim(value), number))
    throw rtl::EPropertyError("\"" + value + "\" is not a whole number, as " + GetName() + " needs");
  // Integer properties are 32 bits wide, as form files read them.
  if (number < INT32_MIN || number > INT32_MAX)
    throw rtl::EPropertyError("\"" + value + "\" is out of range for " + GetName() + " (" +
                              std::to_string(INT32_MIN) + " to " + std::to_string(INT32_MAX) + ")");
  SetOrdValue(number);
}

TPropertyAttributes TClassProperty::GetAttributes() { return paMultiSelect | paSubProperties | paReadOnly; }

std::string TClassProperty::GetValue() {
  rtl::TObject* obj = GetObjValue();
  return obj == nullptr ? std::string() : "(" + obj->ClassName() + ")";
}

void TClassProperty::GetProperties(const TGetPropProc& proc) {
  std::vector<rtl::TPersistent*> objects;
  objects.reserve(static_cast<size_t>(PropCount()));
  for (int i = 0; i < PropCount(); ++i) {
    auto* object = dynamic_cast<rtl::TPersistent*>(GetObjValueAt(i));
    if (object == nullptr) return;  // one has none: nothing in common
    objects.push_back(object);
  }
  GetComponentProperties(objects, Designer(), proc);
}

}  // namespace designide
