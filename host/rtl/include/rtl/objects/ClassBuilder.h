#pragma once
// ClassBuilder<T>: builds the published-property table of class T with
// typed accessors, so that each class states its properties in one place:
//
//   const rtl::TClass& TFoo::StaticClass() {
//     static const rtl::TClass cls = rtl::ClassBuilder<TFoo>("TFoo", &TBar::StaticClass())
//         .Creatable()
//         .Str("Caption", &TFoo::Caption, &TFoo::SetCaption)
//         .Bool("Active", &TFoo::Active, &TFoo::SetActive, false)
//         .Build();
//     return cls;
//   }
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

#include "rtl/objects/Component.h"
#include "rtl/objects/Object.h"

namespace rtl {

template <class T>
class ClassBuilder {
 public:
  ClassBuilder(std::string name, const TClass* parent) : cls_(std::move(name), parent) {}

  // Components are created with an owner; other classes without one.
  ClassBuilder& Creatable() {
    TClass::Factory factory = [](TComponent* owner) -> TObject* {
      if constexpr (std::is_constructible_v<T, TComponent*>) {
        return new T(owner);
      } else {
        (void)owner;
        return new T();
      }
    };
    cls_.SetFactory(std::move(factory));
    return *this;
  }

  template <class G, class S>
  ClassBuilder& Bool(std::string name, G get, S set, bool def = false) {
    TPropInfo p = Base(std::move(name), TypeInfoBoolean());
    p.GetOrd = [get](const TObject& o) -> int64_t { return std::invoke(get, static_cast<const T&>(o)) ? 1 : 0; };
    p.SetOrd = [set](TObject& o, int64_t v) { std::invoke(set, static_cast<T&>(o), v != 0); };
    p.DefaultOrd = def ? 1 : 0;
    return Add(std::move(p));
  }

  template <class G, class S>
  ClassBuilder& Int(std::string name, G get, S set, std::optional<int64_t> def = 0) {
    TPropInfo p = Base(std::move(name), TypeInfoInteger());
    p.GetOrd = [get](const TObject& o) -> int64_t { return std::invoke(get, static_cast<const T&>(o)); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.SetOrd = [set](TObject& o, int64_t v) { std::invoke(set, static_cast<T&>(o), static_cast<int>(v)); };
    p.DefaultOrd = def;
    return Add(std::move(p));
  }

  template <class G, class S>
  ClassBuilder& Str(std::string name, G get, S set, std::string def = {}) {
    TPropInfo p = Base(std::move(name), TypeInfoString());
    p.GetStr = [get](const TObject& o) -> std::string { return std::invoke(get, static_cast<const T&>(o)); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>)
      p.SetStr = [set](TObject& o, const std::string& v) { std::invoke(set, static_cast<T&>(o), v); };
    p.DefaultStr = std::move(def);
    return Add(std::move(p));
  }

  // Enumerations (and sets, as bit masks over the type's names) stored as
  // their ordinal; E is the C++ enum or integer type of the accessors.
  template <class G, class S>
  ClassBuilder& Enum(std::string name, const TTypeInfo& type, G get, S set, int64_t def = 0) {
    TPropInfo p = Base(std::move(name), type);
    p.GetOrd = [get](const TObject& o) -> int64_t {
      return static_cast<int64_t>(std::invoke(get, static_cast<const T&>(o)));
    };
    p.SetOrd = [set](TObject& o, int64_t v) {
      using Arg = std::remove_cvref_t<decltype(std::invoke(std::declval<G>(), std::declval<const T&>()))>;
      std::invoke(set, static_cast<T&>(o), static_cast<Arg>(v));
    };
    p.DefaultOrd = def;
    return Add(std::move(p));
  }

  // An owned sub-object edited in place (string lists, collections, fonts).
  template <class G>
  ClassBuilder& Owned(std::string name, const TTypeInfo& type, G get) {
    TPropInfo p = Base(std::move(name), type);
    p.GetObj = [get](const TObject& o) -> TObject* {
      return const_cast<TObject*>(static_cast<const TObject*>(std::invoke(get, static_cast<const T&>(o))));
    };
    return Add(std::move(p));
  }

  // A reference to another component (a dataset's UpdateObject, say).
  template <class G, class S>
  ClassBuilder& Ref(std::string name, const TTypeInfo& type, G get, S set) {
    TPropInfo p = Base(std::move(name), type);
    p.GetObj = [get](const TObject& o) -> TObject* {
      return const_cast<TObject*>(static_cast<const TObject*>(std::invoke(get, static_cast<const T&>(o))));
    };
    const TClass* target = type.ClassType;
    p.SetObj = [set, target](TObject& o, TObject* v) {
      if (v != nullptr && target != nullptr && !v->InheritsFrom(*target)) RaiseInvalidCast(*v, *target);
      using Ptr = std::remove_cvref_t<decltype(std::invoke(std::declval<G>(), std::declval<const T&>()))>;
      std::invoke(set, static_cast<T&>(o), static_cast<Ptr>(v));
    };
    return Add(std::move(p));
  }

  // Makes the property declared last stored in form files only when
  // stored(object) is true.
  template <class F>
  ClassBuilder& StoredWhen(F stored) {
    if (pending_) pending_->Stored = [stored](const TObject& o) { return std::invoke(stored, static_cast<const T&>(o)); };
    return *this;
  }

  // The descriptor is kept in a function-local static of the defining
  // library, so it goes away with that library when a package is unloaded.
  TClass Build() {
    Flush();
    return std::move(cls_);
  }

 private:
  static TPropInfo Base(std::string name, const TTypeInfo& type) {
    TPropInfo p;
    p.Name = std::move(name);
    p.Type = &type;
    return p;
  }
  // A property joins the class when the next one is declared, so that
  // StoredWhen can still amend it.
  ClassBuilder& Add(TPropInfo p) {
    Flush();
    pending_ = std::make_unique<TPropInfo>(std::move(p));
    return *this;
  }
  void Flush() {
    if (pending_) cls_.AddProperty(std::move(*pending_));
    pending_.reset();
  }
  TClass cls_;
  std::unique_ptr<TPropInfo> pending_;  // not an optional: GCC 12 at -O3 warns falsely on one
};

}  // namespace rtl
