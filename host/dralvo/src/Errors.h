#pragma once
// Raising the library's database errors from its message formats. A server's
// message may quote the connection string: passwords are masked.
#include <initializer_list>
#include <string>

#include "dralvo/Secrets.h"
#include "rtl/objects/Component.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

[[noreturn]] inline void RaiseDatabaseError(const char* format, std::initializer_list<rtl::TVarRec> args) {
  throw rtl::EDatabaseError(MaskPasswords(rtl::Format(format, args)));
}

// Where an error happened, for a person to find it: "OrdersQuery in module
// ShopModule" (the component's class when it has no name).
inline std::string ComponentPlace(const rtl::TComponent& component) {
  std::string place = component.Name().empty() ? component.ClassName() : component.Name();
  if (const rtl::TComponent* owner = component.Owner(); owner != nullptr && !owner->Name().empty())
    place += " in module " + owner->Name();
  return place;
}

// The database a component names, looked up through `find`; a database
// error on the way ("Database 'x' not found") says which component asked.
template <class TFind>
auto DatabaseFor(const rtl::TComponent& component, TFind find) -> decltype(find()) {
  try {
    return find();
  } catch (const rtl::EDatabaseError& e) {
    throw rtl::EDatabaseError(ComponentPlace(component) + ": " + e.Message());
  }
}

}  // namespace dralvo
