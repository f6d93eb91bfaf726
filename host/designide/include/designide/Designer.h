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
  // Makes `instance` (a component or a collection item) what the Object
  // Inspector shows; a host without an inspector ignores it.
  virtual void SelectComponent(rtl::TPersistent* instance) { (void)instance; }
};

// The designer of each designed root, as the host announces it, for the
// parts of the framework that change a component on their own (the strings
// file system saving a code-editor text into a property). A host sets it
// when it starts designing a root and clears it (designer null) before the
// root or the designer goes.
void SetRootDesigner(rtl::TComponent* root, IDesigner* designer);
// The designer of the root that owns `component` (directly or through its
// owners), or of `component` itself when it is a root; null when none.
IDesigner* FindRootDesigner(const rtl::TComponent* component);

}  // namespace designide
