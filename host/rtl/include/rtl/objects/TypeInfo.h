#pragma once
// Run-time type information: class references and published properties.
//
// One TClass describes one class: its name, its parent, how to create an
// instance, and the table of its published properties. The same table serves
// checked casts, property-editor registration, the Object Inspector and form
// files. Descriptors are function-local statics built on first use, so
// loading a library runs no code.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

class TObject;
class TComponent;
class TClass;

enum class TTypeKind { Boolean, Integer, String, Enumeration, Set, Class, Method };

// Type information of a property type. Enumerations and sets carry their
// element names (ordinal = position); class types carry their class.
struct TTypeInfo {
  std::string Name;
  TTypeKind Kind;
  std::vector<std::string> EnumNames;
  const TClass* ClassType = nullptr;

  const std::string& EnumName(int64_t ordinal) const;  // "" when out of range
  std::optional<int64_t> EnumValue(std::string_view name) const;  // ignores case
};

// Built-in property types.
const TTypeInfo& TypeInfoBoolean();
const TTypeInfo& TypeInfoInteger();
const TTypeInfo& TypeInfoString();
const TTypeInfo& TypeInfoMethod();  // event handlers: stored by name only

// One published property. Ordinal kinds (Boolean, Integer, Enumeration,
// Set as a bit mask) use GetOrd/SetOrd; String uses GetStr/SetStr; Class
// uses GetObj (and SetObj for references to other components; owned
// sub-objects such as string lists are edited in place and have no setter).
struct TPropInfo {
  std::string Name;
  const TTypeInfo* Type = nullptr;
  std::function<int64_t(const TObject&)> GetOrd;
  std::function<void(TObject&, int64_t)> SetOrd;
  std::function<std::string(const TObject&)> GetStr;
  std::function<void(TObject&, const std::string&)> SetStr;
  std::function<TObject*(const TObject&)> GetObj;
  std::function<void(TObject&, TObject*)> SetObj;
  std::optional<int64_t> DefaultOrd;  // ordinal properties: value not stored
  std::string DefaultStr;             // string properties: value not stored when equal
  // Whether the value goes into form files at all (a database's Connected
  // only when its design options say so); null: always, defaults aside.
  std::function<bool(const TObject&)> Stored;

  bool IsReadOnly() const { return !SetOrd && !SetStr && !SetObj; }
};

class TClass {
 public:
  using Factory = std::function<TObject*(TComponent* owner)>;

  TClass(std::string name, const TClass* parent, Factory factory = nullptr);
  TClass(const TClass&) = delete;
  TClass& operator=(const TClass&) = delete;
  // The moved-to class owns its own type information.
  TClass(TClass&& other);
  TClass& operator=(TClass&&) = delete;

  const std::string& ClassName() const { return name_; }
  const TClass* ClassParent() const { return parent_; }
  bool InheritsFrom(const TClass& other) const;
  bool CanCreate() const { return static_cast<bool>(factory_); }
  // Creates an instance owned by `owner` (which frees it), or an unowned one
  // when owner is null. Raises EComponentError for abstract classes.
  TObject* Create(TComponent* owner) const;

  void SetFactory(Factory factory) { factory_ = std::move(factory); }
  void AddProperty(TPropInfo prop);
  // Published property by name, ignoring case, searching parents too.
  const TPropInfo* FindProperty(const std::string& name) const;
  // Every published property, the parent's first, in declaration order.
  std::vector<const TPropInfo*> Properties() const;
  const std::vector<TPropInfo>& OwnProperties() const { return props_; }
  // Type information of this class type. It lives exactly as long as the
  // class, so property descriptors of classes still loaded never outlive it.
  const TTypeInfo& TypeInfo() const { return typeInfo_; }

 private:
  std::string name_;
  const TClass* parent_;
  Factory factory_;
  std::vector<TPropInfo> props_;
  TTypeInfo typeInfo_;
};

// Type information of a class type, for property registration.
const TTypeInfo& ClassTypeInfo(const TClass& cls);

// Registry of classes by name, filled by unit initializations (the form
// reader creates components through it). Names ignore case.
void RegisterClass(const TClass& cls);
void UnRegisterClass(const TClass& cls);
const TClass* FindClass(const std::string& name);
const TClass& GetClass(const std::string& name);  // raises EClassNotFound-style error

}  // namespace rtl
