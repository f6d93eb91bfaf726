#include "designide/ComponentProperties.h"

#include "db/DataSet.h"
#include "db/DataSource.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace designide {

const rtl::TClass& TComponentProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TComponentProperty>("TComponentProperty", &TPropertyEditor::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TComponentNameProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TComponentNameProperty>("TComponentNameProperty", &TStringProperty::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

namespace {
bool Fits(const rtl::TComponent* c, const rtl::TTypeInfo& type) {
  return c != nullptr && !c->Name().empty() && (type.ClassType == nullptr || c->InheritsFrom(*type.ClassType));
}

// A data source that a dataset being edited would be refused as circular.
bool Circular(const rtl::TComponent* candidate, const TPropertyEditor& editor) {
  if (!rtl::Is<db::TDataSource>(candidate)) return false;
  const auto* source = static_cast<const db::TDataSource*>(candidate);
  for (int i = 0; i < editor.PropCount(); ++i)
    if (rtl::Is<db::TDataSet>(editor.GetComponent(i)) &&
        source->WouldCircle(static_cast<const db::TDataSet*>(editor.GetComponent(i))))
      return true;
  return false;
}
}  // namespace

TPropertyAttributes TComponentProperty::GetAttributes() {
  return paMultiSelect | paValueList | paSortList | paRevertable;
}

std::string TComponentProperty::GetValue() {
  auto* target = dynamic_cast<rtl::TComponent*>(GetObjValue());
  if (target == nullptr) return {};
  rtl::TComponent* root = Designer() != nullptr ? Designer()->GetRoot() : nullptr;
  // A component of another module is named with its module.
  if (target->Owner() != nullptr && target->Owner() != root) return target->Owner()->Name() + "." + target->Name();
  return target->Name();
}

void TComponentProperty::SetValue(const std::string& value) {
  const std::string name = rtl::Trim(value);
  if (name.empty()) {
    SetObjValue(nullptr);
    return;
  }
  rtl::TComponent* root = Designer() != nullptr ? Designer()->GetRoot() : nullptr;
  rtl::TComponent* found = root != nullptr ? root->FindComponent(name) : nullptr;
  if (!Fits(found, GetPropType()))
    throw rtl::EPropertyError("No component \"" + name + "\" that " + GetName() + " can refer to");
  SetObjValue(found);
}

void TComponentProperty::GetValues(const TGetStrProc& proc) {
  rtl::TComponent* root = Designer() != nullptr ? Designer()->GetRoot() : nullptr;
  if (root == nullptr) return;
  for (int i = 0; i < root->ComponentCount(); ++i)
    if (Fits(root->Components(i), GetPropType()) && !Circular(root->Components(i), *this))
      proc(root->Components(i)->Name());
}

TPropertyAttributes TComponentNameProperty::GetAttributes() { return paRevertable; }

}  // namespace designide
