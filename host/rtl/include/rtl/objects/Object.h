#pragma once
// TObject: the root of every class that has run-time type information.
#include <string>

#include "rtl/system/Exceptions.h"
#include "rtl/objects/TypeInfo.h"

namespace rtl {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClass& StaticClass();
  virtual const TClass& ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType().ClassName(); }
  bool InheritsFrom(const TClass& cls) const { return ClassType().InheritsFrom(cls); }
};

// Declares the class reference of T inside its class body.
#define RTL_CLASS(T)                                               \
 public:                                                           \
  static const ::rtl::TClass& StaticClass();                       \
  const ::rtl::TClass& ClassType() const override { return StaticClass(); }

// The platform's "is": true when obj is non-null and of class T or derived.
template <class T>
bool Is(const TObject* obj) {
  return obj != nullptr && obj->InheritsFrom(T::StaticClass());
}

[[noreturn]] void RaiseInvalidCast(const TObject& obj, const TClass& target);

// The platform's checked cast "as": null stays null, a wrong class raises
// EInvalidCast.
template <class T>
T* As(TObject* obj) {
  if (obj == nullptr) return nullptr;
  if (!obj->InheritsFrom(T::StaticClass())) RaiseInvalidCast(*obj, T::StaticClass());
  return static_cast<T*>(obj);
}
template <class T>
const T* As(const TObject* obj) {
  return As<T>(const_cast<TObject*>(obj));
}

}  // namespace rtl
