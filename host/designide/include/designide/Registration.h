#pragma once
// What packages tell the IDE in their Register procedure, and the look-ups
// the IDE makes with it. Every registration records the package whose
// Register is running (rtl::RegisteringPackage(), null for the host
// program's own); unloading a package removes exactly its registrations.
#include <string>
#include <vector>

#include "rtl/packages/Packages.h"
#include "rtl/objects/TypeInfo.h"

namespace designide {

// --- Registration calls ------------------------------------------------------

// Puts the classes on the palette page, after those already there.
void RegisterComponents(const std::string& page, const std::vector<const rtl::TClass*>& classes);
// `componentClass` null: any component; `propertyName` empty: any property
// of that type. `editorClass` must descend from TPropertyEditor.
void RegisterPropertyEditor(const rtl::TTypeInfo& propertyType, const rtl::TClass* componentClass,
                            const std::string& propertyName, const rtl::TClass& editorClass);
// `editorClass` must descend from TComponentEditor.
void RegisterComponentEditor(const rtl::TClass& componentClass, const rtl::TClass& editorClass);
// Names may hold "*" standing for any run of characters ("*SQL").
void RegisterPropertiesInCategory(const std::string& category, const rtl::TClass& componentClass,
                                  const std::vector<std::string>& names);
// `sprigClass` must descend from TSprig.
void RegisterSprigType(const rtl::TClass& componentClass, const rtl::TClass& sprigClass);

// The IDE's resource string naming its database category; loaded on each call.
std::string sDatabaseCategoryName();

// --- Look-ups ------------------------------------------------------------------

// Palette pages in the order they first appeared, and a page's classes in
// registration order.
std::vector<std::string> PalettePages();
std::vector<const rtl::TClass*> PaletteComponents(const std::string& page);
// The palette page that holds the class, or "".
std::string FindPalettePage(const rtl::TClass& componentClass);

// The editor registered for the nearest ancestor (or the class itself);
// among registrations for the same class the later wins. Null when none.
const rtl::TClass* FindComponentEditorClass(const rtl::TClass& componentClass);

// The editor for a property of a component class: the type matches exactly
// or, for class types, the property's class descends from the registered
// one; the component class descends from the registered one (or none was
// given); the name matches ignoring case (or none was given). The most
// precise registration wins: name and class, then name only, then class
// only, then type only; then the nearer component class, then the nearer
// property type; the later registration wins among equals. Null when none.
const rtl::TClass* FindPropertyEditorClass(const rtl::TClass& componentClass, const rtl::TTypeInfo& propertyType,
                                           const std::string& propertyName);

// Categories of a property, each once, in registration order.
std::vector<std::string> GetPropertyCategories(const rtl::TClass& componentClass, const std::string& propertyName);
bool IsPropertyInCategory(const std::string& category, const rtl::TClass& componentClass,
                          const std::string& propertyName);
// True when `name` matches `pattern` ignoring case; "*" matches any run.
bool MatchPropertyPattern(const std::string& pattern, const std::string& name);

// The sprig class of the nearest registered ancestor; null when none.
const rtl::TClass* FindSprigClass(const rtl::TClass& componentClass);
// Every registered sprig class, in the order of registration (a class
// registered twice, at its first place).
std::vector<const rtl::TClass*> RegisteredSprigClasses();

// --- Listing and unloading ---------------------------------------------------

enum class TRegistrationKind { Components, PropertyEditor, ComponentEditor, PropertiesInCategory, SprigType };

struct TRegistrationInfo {
  TRegistrationKind Kind = TRegistrationKind::Components;
  rtl::HMODULE Package = nullptr;
  std::string Page;                       // Components
  std::vector<const rtl::TClass*> Classes;  // Components
  const rtl::TTypeInfo* PropertyType = nullptr;  // PropertyEditor
  const rtl::TClass* ComponentClass = nullptr;   // all but Components
  std::string PropertyName;                      // PropertyEditor
  const rtl::TClass* EditorClass = nullptr;      // editor or sprig class
  std::string Category;                          // PropertiesInCategory
  std::vector<std::string> Names;                // PropertiesInCategory
};

// Registrations made by one package (null: by the host program), in order.
std::vector<TRegistrationInfo> Registrations(rtl::HMODULE package);
std::vector<TRegistrationInfo> AllRegistrations();
// One line such as "ComponentEditor TDVQuery -> TDVQueryEditor".
std::string DescribeRegistration(const TRegistrationInfo& info);
// Removes every registration of the package.
void UnregisterPackage(rtl::HMODULE package);

}  // namespace designide
