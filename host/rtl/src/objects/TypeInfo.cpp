#include "rtl/objects/TypeInfo.h"

#include <map>

#include "rtl/objects/Component.h"
#include "rtl/system/Exceptions.h"
#include "rtl/objects/NameTable.h"
#include "rtl/objects/Object.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

const std::string& TTypeInfo::EnumName(int64_t ordinal) const {
  static const std::string none;
  if (ordinal < 0 || ordinal >= static_cast<int64_t>(EnumNames.size())) return none;
  return EnumNames[static_cast<size_t>(ordinal)];
}

std::optional<int64_t> TTypeInfo::EnumValue(std::string_view name) const {
  for (size_t i = 0; i < EnumNames.size(); ++i)
    if (SameText(EnumNames[i], name)) return static_cast<int64_t>(i);
  return std::nullopt;
}

const TTypeInfo& TypeInfoBoolean() {
  static const TTypeInfo info{"Boolean", TTypeKind::Boolean, {"False", "True"}, nullptr};
  return info;
}
const TTypeInfo& TypeInfoInteger() {
  static const TTypeInfo info{"Integer", TTypeKind::Integer, {}, nullptr};
  return info;
}
const TTypeInfo& TypeInfoString() {
  static const TTypeInfo info{"string", TTypeKind::String, {}, nullptr};
  return info;
}
const TTypeInfo& TypeInfoMethod() {
  static const TTypeInfo info{"TNotifyEvent", TTypeKind::Method, {}, nullptr};
  return info;
}

TClass::TClass(std::string name, const TClass* parent, Factory factory)
    : name_(std::move(name)),
      parent_(parent),
      factory_(std::move(factory)),
      typeInfo_{name_, TTypeKind::Class, {}, this} {}

TClass::TClass(TClass&& other)
    : name_(std::move(other.name_)),
      parent_(other.parent_),
      factory_(std::move(other.factory_)),
      props_(std::move(other.props_)),
      typeInfo_{name_, TTypeKind::Class, {}, this} {}

bool TClass::InheritsFrom(const TClass& other) const {
  for (const TClass* c = this; c != nullptr; c = c->parent_)
    if (c == &other) return true;
  return false;
}

TObject* TClass::Create(TComponent* owner) const {
  if (!factory_) throw EComponentError("Cannot create an instance of abstract class " + name_);
  return factory_(owner);
}

void TClass::AddProperty(TPropInfo prop) { props_.push_back(std::move(prop)); }

const TPropInfo* TClass::FindProperty(const std::string& name) const {
  for (const TClass* c = this; c != nullptr; c = c->parent_)
    for (const auto& p : c->props_)
      if (SameText(p.Name, name)) return &p;
  return nullptr;
}

std::vector<const TPropInfo*> TClass::Properties() const {
  std::vector<const TClass*> chain;
  for (const TClass* c = this; c != nullptr; c = c->parent_) chain.push_back(c);
  std::vector<const TPropInfo*> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const auto& p : (*it)->props_) {
      // A descendant may republish a property: the nearest declaration wins.
      bool replaced = false;
      for (auto& r : result)
        if (SameText(r->Name, p.Name)) {
          r = &p;
          replaced = true;
        }
      if (!replaced) result.push_back(&p);
    }
  return result;
}

namespace {
std::map<std::string, const TClass*>& ClassTable() {
  static std::map<std::string, const TClass*> table;
  return table;
}
}  // namespace

const TTypeInfo& ClassTypeInfo(const TClass& cls) { return cls.TypeInfo(); }

void RegisterClass(const TClass& cls) { ClassTable()[UpperCase(cls.ClassName())] = &cls; }

void UnRegisterClass(const TClass& cls) {
  auto& table = ClassTable();
  auto it = table.find(UpperCase(cls.ClassName()));
  if (it != table.end() && it->second == &cls) table.erase(it);
}

const TClass* FindClass(const std::string& name) {
  auto& table = ClassTable();
  auto it = table.find(UpperCase(name));
  return it == table.end() ? nullptr : it->second;
}

const TClass& GetClass(const std::string& name) {
  const TClass* cls = FindClass(name);
  if (cls == nullptr) throw EComponentError("Class " + name + " not found");
  return *cls;
}

}  // namespace rtl
