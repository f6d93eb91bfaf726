#pragma once
// TDataModule: a non-visual root component that holds other components.
// It is not a form, so code that asks whether an owner is a form can tell
// the two apart. Registered as a class so form files can create it.
#include "rtl/objects/Component.h"
#include "vcl/Types.h"

namespace vcl {

class TDataModule : public rtl::TComponent {
  RTL_CLASS(TDataModule)
 public:
  explicit TDataModule(rtl::TComponent* owner);
};

}  // namespace vcl
