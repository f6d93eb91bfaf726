#pragma once
// IDesigner: the form designer as the package sees it. The host program
// implements it for a person; tests implement it for assertions.
#include <string>

#include "rtl/objects/Component.h"

namespace designide {

class IDesigner {
 public:
  virtual ~IDesigner() = default;
  // Marks the designed module changed (it needs saving).
  virtual void Modified() = 0;
  // The form or data module being designed.
  virtual rtl::TComponent* GetRoot() = 0;
  // The file extension of the designed module ("dfm").
  virtual std::string GetDesignerExtension() { return "dfm"; }
};

}  // namespace designide
