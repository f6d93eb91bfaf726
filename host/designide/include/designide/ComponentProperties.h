#pragma once
// Properties that name components: a reference to another component of the
// designed module, and a component's own Name.
#include "designide/PropertyEditors.h"

namespace designide {

// A reference: shown as the component's name, chosen from the components
// of the designed root that fit the property's class; "" clears it.
class TComponentProperty : public TPropertyEditor {
  RTL_CLASS(TComponentProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // Raises EPropertyError when the root has no fitting component of that
  // name.
  void SetValue(const std::string& value) override;
  void GetValues(const TGetStrProc& proc) override;
};

// A component's Name: one component at a time.
class TComponentNameProperty : public TStringProperty {
  RTL_CLASS(TComponentNameProperty)
 public:
  TPropertyAttributes GetAttributes() override;
};

}  // namespace designide
