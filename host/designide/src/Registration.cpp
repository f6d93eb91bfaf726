#include "designide/Registration.h"

#include <algorithm>

#include "RegistryStore.h"
#include "designide/ComponentEditors.h"
#include "designide/PropertyEditors.h"
#include "designide/TreeIntf.h"
#include "rtl/system/Exceptions.h"

namespace designide {

namespace detail {
std::vector<TRegistrationInfo>& Store() {
  static std::vector<TRegistrationInfo> store;
  return store;
}
}  // namespace detail

namespace {

void Require(const rtl::TClass& cls, const rtl::TClass& base, const char* call) {
  if (!cls.InheritsFrom(base))
    throw rtl::EComponentError(std::string(call) + ": " + cls.ClassName() + " is not a " + base.ClassName());
}

void Add(TRegistrationInfo info) {
  info.Package = rtl::RegisteringPackage();
  detail::Store().push_back(std::move(info));
}

}  // namespace

void RegisterComponents(const std::string& page, const std::vector<const rtl::TClass*>& classes) {
  if (page.empty()) throw rtl::EComponentError("RegisterComponents: the palette page has no name");
  for (const rtl::TClass* cls : classes)
    if (cls == nullptr) throw rtl::EComponentError("RegisterComponents: a class of page \"" + page + "\" is null");
  TRegistrationInfo info;
  info.Kind = TRegistrationKind::Components;
  info.Page = page;
  info.Classes = classes;
  Add(std::move(info));
}

void RegisterPropertyEditor(const rtl::TTypeInfo& propertyType, const rtl::TClass* componentClass,
                            const std::string& propertyName, const rtl::TClass& editorClass) {
  Require(editorClass, TPropertyEditor::StaticClass(), "RegisterPropertyEditor");
  TRegistrationInfo info;
  info.Kind = TRegistrationKind::PropertyEditor;
  info.PropertyType = &propertyType;
  info.ComponentClass = componentClass;
  info.PropertyName = propertyName;
  info.EditorClass = &editorClass;
  Add(std::move(info));
}

void RegisterComponentEditor(const rtl::TClass& componentClass, const rtl::TClass& editorClass) {
  Require(editorClass, TComponentEditor::StaticClass(), "RegisterComponentEditor");
  TRegistrationInfo info;
  info.Kind = TRegistrationKind::ComponentEditor;
  info.ComponentClass = &componentClass;
  info.EditorClass = &editorClass;
  Add(std::move(info));
}

void RegisterPropertiesInCategory(const std::string& category, const rtl::TClass& componentClass,
                                  const std::vector<std::string>& names) {
  TRegistrationInfo info;
  info.Kind = TRegistrationKind::PropertiesInCategory;
  info.Category = category;
  info.ComponentClass = &componentClass;
  info.Names = names;
  Add(std::move(info));
}

void RegisterSprigType(const rtl::TClass& componentClass, const rtl::TClass& sprigClass) {
  Require(sprigClass, TSprig::StaticClass(), "RegisterSprigType");
  TRegistrationInfo info;
  info.Kind = TRegistrationKind::SprigType;
  info.ComponentClass = &componentClass;
  info.EditorClass = &sprigClass;
  Add(std::move(info));
}

std::string sDatabaseCategoryName() { return "Database"; }

std::vector<TRegistrationInfo> Registrations(rtl::HMODULE package) {
  std::vector<TRegistrationInfo> result;
  for (const auto& info : detail::Store())
    if (info.Package == package) result.push_back(info);
  return result;
}

std::vector<TRegistrationInfo> AllRegistrations() { return detail::Store(); }

void UnregisterPackage(rtl::HMODULE package) {
  auto& store = detail::Store();
  store.erase(std::remove_if(store.begin(), store.end(),
                             [package](const TRegistrationInfo& info) { return info.Package == package; }),
              store.end());
}

namespace {
std::string Join(const std::vector<std::string>& items) {
  std::string text;
  for (const auto& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}
std::string NameOf(const rtl::TClass* cls) { return cls == nullptr ? "(any)" : cls->ClassName(); }
}  // namespace

std::string DescribeRegistration(const TRegistrationInfo& info) {
  switch (info.Kind) {
    case TRegistrationKind::Components: {
      std::vector<std::string> names;
      for (const rtl::TClass* cls : info.Classes) names.push_back(cls->ClassName());
      return "Components \"" + info.Page + "\": " + Join(names);
    }
    case TRegistrationKind::PropertyEditor:
      return "PropertyEditor " + info.PropertyType->Name + " " + NameOf(info.ComponentClass) + "." +
             (info.PropertyName.empty() ? "(any)" : info.PropertyName) + " -> " + NameOf(info.EditorClass);
    case TRegistrationKind::ComponentEditor:
      return "ComponentEditor " + NameOf(info.ComponentClass) + " -> " + NameOf(info.EditorClass);
    case TRegistrationKind::PropertiesInCategory: {
      std::vector<std::string> quoted;
      for (const auto& n : info.Names) quoted.push_back("\"" + n + "\"");
      return "PropertiesInCategory \"" + info.Category + "\" " + NameOf(info.ComponentClass) + ": " + Join(quoted);
    }
    case TRegistrationKind::SprigType:
      return "SprigType " + NameOf(info.ComponentClass) + " -> " + NameOf(info.EditorClass);
  }
  return {};
}

}  // namespace designide
