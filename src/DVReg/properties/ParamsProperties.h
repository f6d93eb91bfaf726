#pragma once
// The Params collections of queries and stored procedures: shown as
// "(TParams)" and edited in the framework's collection editor.
#include "designide/PropertyEditors.h"

namespace dv {

class TDVParamsProperty : public designide::TPropertyEditor {
  RTL_CLASS(TDVParamsProperty)
 public:
  designide::TPropertyAttributes GetAttributes() override;
  // The class name of TParams itself in parentheses, whatever the value.
  std::string GetValue() override;
};

class TDVQueryParamsProperty : public TDVParamsProperty {
  RTL_CLASS(TDVQueryParamsProperty)
 public:
  void Edit() override;
};

class TDVStoredProcParamsProperty : public TDVParamsProperty {
  RTL_CLASS(TDVStoredProcParamsProperty)
 public:
  void Edit() override;
};

}  // namespace dv
