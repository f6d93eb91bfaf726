#include "designide/StringListProperty.h"

#include "designide/StringsModules.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/text/Strings.h"

namespace designide {

const rtl::TClass& TStringListProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TStringListProperty>("TStringListProperty", &TClassProperty::StaticClass()).Creatable().Build();
  return cls;
}

namespace {
TStringListEditorHandler& EditorHandler() {
  static TStringListEditorHandler handler;
  return handler;
}
std::function<bool()>& AltQuery() {
  static std::function<bool()> query;
  return query;
}
bool AltKeyDown() { return AltQuery() && AltQuery()(); }
}  // namespace

void SetStringListEditorHandler(TStringListEditorHandler handler) { EditorHandler() = std::move(handler); }
void SetAltKeyQuery(std::function<bool()> query) { AltQuery() = std::move(query); }

TPropertyAttributes TStringListProperty::GetAttributes() {
  return (TClassProperty::GetAttributes() | paDialog) & ~TPropertyAttributes{paSubProperties};
}

std::string TStringListProperty::Title() const {
  auto* component = dynamic_cast<rtl::TComponent*>(GetComponent(0));
  std::string title = component != nullptr ? component->Name() + "." + GetName() : GetName();
  rtl::TComponent* root = Designer() != nullptr ? Designer()->GetRoot() : nullptr;
  return root != nullptr && !root->Name().empty() ? root->Name() + "." + title : title;
}

void TStringListProperty::Edit() {
  // The code editor is reached for a component of the designed module only:
  // nothing else has a module name.
  auto* component = dynamic_cast<rtl::TComponent*>(GetComponent(0));
  IDesigner* designer = Designer();
  const bool hasModule =
      component != nullptr && designer != nullptr && designer->GetRoot() == component->Owner() &&
      !designer->GetRoot()->Name().empty();
  const std::string name = GetName();
  if (hasModule) {
    if (TModule* open = FindStringsModule(*designer, *component, name)) {
      open->GetModuleFileEditor(0)->Show();
      return;
    }
    if (AltKeyDown()) {
      OpenStringsModule(*designer, *component, name);
      return;
    }
  }
  if (!EditorHandler()) throw rtl::EComponentError("No string-list editor is available in this host");
  rtl::TStringList lines;
  lines.Assign(*rtl::As<rtl::TStrings>(GetObjValue()));
  TShowCodeEditorProc toCodeEditor;
  if (hasModule)
    toCodeEditor = [designer, component, name](const rtl::TStrings& shown, bool textModified) {
      OpenStringsModule(*designer, *component, name, shown, textModified);
    };
  if (EditorHandler()(Title(), lines, toCodeEditor)) SetObjValue(&lines);
}

}  // namespace designide
