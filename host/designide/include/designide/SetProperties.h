#pragma once
// Set properties: shown as "[a,b]" and edited one element at a time, each
// element a True/False sub-property.
#include "designide/PropertyEditors.h"

namespace designide {

class TSetProperty : public TPropertyEditor {
  RTL_CLASS(TSetProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  // Takes "[a,b]" (or "a,b"); raises EPropertyError for a name the set
  // does not have.
  void SetValue(const std::string& value) override;
  void GetProperties(const TGetPropProc& proc) override;
};

// One element of a set: True while the set holds it. Setting it changes
// only that element in each edited component's set.
class TSetElementProperty : public TPropertyEditor {
  RTL_CLASS(TSetElementProperty)
 public:
  void SetElement(int element) { element_ = element; }
  TPropertyAttributes GetAttributes() override;
  std::string GetName() const override;
  std::string GetValue() override;
  void SetValue(const std::string& value) override;
  void GetValues(const TGetStrProc& proc) override;
  bool AllEqual() override;

 private:
  bool Has(int index) const { return (GetOrdValueAt(index) >> element_ & 1) != 0; }
  int element_ = 0;
};

}  // namespace designide
