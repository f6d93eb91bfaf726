// The IDE's look-ups over the registrations, following class inheritance.
#include <algorithm>
#include <climits>

#include "RegistryStore.h"
#include "designide/Registration.h"
#include "rtl/system/SysUtils.h"

namespace designide {

namespace {

// Steps from `cls` up to `ancestor` (0: the class itself); -1 when
// `ancestor` is not an ancestor.
int Distance(const rtl::TClass& cls, const rtl::TClass& ancestor) {
  int steps = 0;
  for (const rtl::TClass* c = &cls; c != nullptr; c = c->ClassParent(), ++steps)
    if (c == &ancestor) return steps;
  return -1;
}

// The registration of `kind` for the nearest ancestor; the later wins among
// registrations for the same class.
const rtl::TClass* Nearest(TRegistrationKind kind, const rtl::TClass& componentClass) {
  const rtl::TClass* best = nullptr;
  int bestDistance = INT_MAX;
  for (const auto& info : detail::Store()) {
    if (info.Kind != kind) continue;
    int d = Distance(componentClass, *info.ComponentClass);
    if (d >= 0 && d <= bestDistance) {
      best = info.EditorClass;
      bestDistance = d;
    }
  }
  return best;
}

// How well a registered property type fits the property's type: 0 exact,
// n for a registered class type n steps above the property's class; -1 no fit.
int TypeDistance(const rtl::TTypeInfo& registered, const rtl::TTypeInfo& actual) {
  if (&registered == &actual) return 0;
  if (registered.Kind != actual.Kind) return -1;
  if (registered.Kind == rtl::TTypeKind::Class && registered.ClassType != nullptr && actual.ClassType != nullptr)
    return Distance(*actual.ClassType, *registered.ClassType);
  // Separately built descriptions of the same type.
  return rtl::SameText(registered.Name, actual.Name) ? 0 : -1;
}

struct TFit {
  int Level;          // 3 name and class, 2 name, 1 class, 0 type only
  int ClassDistance;  // smaller is nearer
  int TypeDistance;   // smaller is nearer
  bool BetterOrEqual(const TFit& other) const {
    if (Level != other.Level) return Level > other.Level;
    if (ClassDistance != other.ClassDistance) return ClassDistance < other.ClassDistance;
    return TypeDistance <= other.TypeDistance;
  }
};

}  // namespace

std::vector<std::string> PalettePages() {
  std::vector<std::string> pages;
  for (const auto& info : detail::Store())
    if (info.Kind == TRegistrationKind::Components &&
        std::none_of(pages.begin(), pages.end(), [&](const std::string& p) { return rtl::SameText(p, info.Page); }))
      pages.push_back(info.Page);
  return pages;
}

std::vector<const rtl::TClass*> PaletteComponents(const std::string& page) {
  std::vector<const rtl::TClass*> classes;
  for (const auto& info : detail::Store())
    if (info.Kind == TRegistrationKind::Components && rtl::SameText(info.Page, page))
      for (const rtl::TClass* cls : info.Classes)
        if (std::find(classes.begin(), classes.end(), cls) == classes.end()) classes.push_back(cls);
  return classes;
}

std::string FindPalettePage(const rtl::TClass& componentClass) {
  for (const auto& info : detail::Store())
    if (info.Kind == TRegistrationKind::Components &&
        std::find(info.Classes.begin(), info.Classes.end(), &componentClass) != info.Classes.end())
      return info.Page;
  return {};
}

const rtl::TClass* FindComponentEditorClass(const rtl::TClass& componentClass) {
  return Nearest(TRegistrationKind::ComponentEditor, componentClass);
}

const rtl::TClass* FindSprigClass(const rtl::TClass& componentClass) {
  return Nearest(TRegistrationKind::SprigType, componentClass);
}

std::vector<const rtl::TClass*> RegisteredSprigClasses() {
  std::vector<const rtl::TClass*> classes;
  for (const auto& info : detail::Store())
    if (info.Kind == TRegistrationKind::SprigType &&
        std::find(classes.begin(), classes.end(), info.EditorClass) == classes.end())
      classes.push_back(info.EditorClass);
  return classes;
}

const rtl::TClass* FindPropertyEditorClass(const rtl::TClass& componentClass, const rtl::TTypeInfo& propertyType,
                                           const std::string& propertyName) {
  const rtl::TClass* best = nullptr;
  TFit bestFit{-1, 0, 0};
  for (const auto& info : detail::Store()) {
    if (info.Kind != TRegistrationKind::PropertyEditor) continue;
    int typeDistance = TypeDistance(*info.PropertyType, propertyType);
    if (typeDistance < 0) continue;
    int classDistance = 0;
    if (info.ComponentClass != nullptr) {
      classDistance = Distance(componentClass, *info.ComponentClass);
      if (classDistance < 0) continue;
    }
    bool named = !info.PropertyName.empty();
    if (named && !rtl::SameText(info.PropertyName, propertyName)) continue;
    TFit fit{(named ? 2 : 0) + (info.ComponentClass != nullptr ? 1 : 0), classDistance, typeDistance};
    if (best == nullptr || fit.BetterOrEqual(bestFit)) {
      best = info.EditorClass;
      bestFit = fit;
    }
  }
  return best;
}

bool MatchPropertyPattern(const std::string& pattern, const std::string& name) {
  // Iterative wildcard match with one back-track point per "*".
  size_t p = 0, n = 0, star = std::string::npos, mark = 0;
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  auto same = [&](char a, char b) { return upper(a) == upper(b); };
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (p < pattern.size() && same(pattern[p], name[n])) {
      ++p;
      ++n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<std::string> GetPropertyCategories(const rtl::TClass& componentClass, const std::string& propertyName) {
  std::vector<std::string> categories;
  for (const auto& info : detail::Store()) {
    if (info.Kind != TRegistrationKind::PropertiesInCategory) continue;
    if (Distance(componentClass, *info.ComponentClass) < 0) continue;
    bool listed = std::any_of(info.Names.begin(), info.Names.end(),
                              [&](const std::string& pattern) { return MatchPropertyPattern(pattern, propertyName); });
    if (listed && std::find(categories.begin(), categories.end(), info.Category) == categories.end())
      categories.push_back(info.Category);
  }
  return categories;
}

bool IsPropertyInCategory(const std::string& category, const rtl::TClass& componentClass,
                          const std::string& propertyName) {
  auto categories = GetPropertyCategories(componentClass, propertyName);
  return std::find(categories.begin(), categories.end(), category) != categories.end();
}

}  // namespace designide
