// Which editor shows a property, and which properties a selection shares.
#include "designide/PropertyEditors.h"

#include <algorithm>

#include "designide/ComponentProperties.h"
#include "designide/Registration.h"
#include "designide/SetProperties.h"
#include "designide/StringListProperty.h"
#include "rtl/objects/Component.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace designide {

namespace {

// The framework's own editor for a property of that kind.
const rtl::TClass& DefaultEditorClass(const rtl::TClass& componentClass, const rtl::TPropInfo& prop) {
  const rtl::TTypeInfo& type = *prop.Type;
  switch (type.Kind) {
    case rtl::TTypeKind::Boolean:
    case rtl::TTypeKind::Enumeration:
      return TEnumProperty::StaticClass();
    case rtl::TTypeKind::Set:
      return TSetProperty::StaticClass();
    case rtl::TTypeKind::Integer:
      return TIntegerProperty::StaticClass();
    case rtl::TTypeKind::String:
      if (rtl::SameText(prop.Name, "Name") && componentClass.InheritsFrom(rtl::TComponent::StaticClass()))
        return TComponentNameProperty::StaticClass();
      return TStringProperty::StaticClass();
    case rtl::TTypeKind::Method:
      return TStringProperty::StaticClass();
    case rtl::TTypeKind::Class:
      if (prop.SetObj && type.ClassType != nullptr && type.ClassType->InheritsFrom(rtl::TComponent::StaticClass()))
        return TComponentProperty::StaticClass();
      if (type.ClassType != nullptr && type.ClassType->InheritsFrom(rtl::TStrings::StaticClass()))
        return TStringListProperty::StaticClass();
      return TClassProperty::StaticClass();
  }
  return TPropertyEditor::StaticClass();
}

bool SameType(const rtl::TTypeInfo& a, const rtl::TTypeInfo& b) {
  return &a == &b || (a.Kind == b.Kind && a.ClassType == b.ClassType && rtl::SameText(a.Name, b.Name));
}

bool Readable(const rtl::TPropInfo& prop) { return prop.GetOrd || prop.GetStr || prop.GetObj; }

}  // namespace

const rtl::TClass& GetPropertyEditorClass(const rtl::TClass& componentClass, const rtl::TPropInfo& prop) {
  if (const rtl::TClass* registered = FindPropertyEditorClass(componentClass, *prop.Type, prop.Name))
    return *registered;
  return DefaultEditorClass(componentClass, prop);
}

void GetComponentProperties(const std::vector<rtl::TPersistent*>& objects, IDesigner* designer,
                            const TGetPropProc& proc) {
  if (objects.empty() || objects.front() == nullptr) return;
  // The classes of the selection, each once: look-ups are made per class,
  // so a selection of many components of few classes costs little more
  // than reading their values.
  std::vector<const rtl::TClass*> classes;
  for (const rtl::TPersistent* o : objects) {
    const rtl::TClass* cls = &o->ClassType();
    if (std::find(classes.begin(), classes.end(), cls) == classes.end()) classes.push_back(cls);
  }
  const rtl::TClass& first = *classes.front();
  for (const rtl::TPropInfo* prop : first.Properties()) {
    if (!Readable(*prop)) continue;
    const rtl::TClass& editorClass = GetPropertyEditorClass(first, *prop);
    bool shared = true;
    for (size_t i = 1; i < classes.size() && shared; ++i) {
      const rtl::TPropInfo* other = classes[i]->FindProperty(prop->Name);
      shared = other != nullptr && Readable(*other) && SameType(*other->Type, *prop->Type) &&
               &GetPropertyEditorClass(*classes[i], *other) == &editorClass;
    }
    if (!shared) continue;
    auto editor = CreatePropertyEditor(editorClass, designer, objects, *prop);
    if (objects.size() > 1 && (editor->GetAttributes() & paMultiSelect) == 0) continue;
    proc(std::move(editor));
  }
}

}  // namespace designide
