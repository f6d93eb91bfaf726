#pragma once
// The Object Inspector on one component of a data module opened for the
// command line: the rows, editors and rules are those the package
// registered, reached through the design framework only.
#include <memory>
#include <string>

#include "CommandModule.h"
#include "designide/ObjectInspector.h"

namespace designer {

class TInspectedComponent {
 public:
  // The module of the first operand, the component of the second. Raises
  // EBadInput for a package or module that cannot be read or a component
  // the module does not hold.
  explicit TInspectedComponent(const TArgs& args);

  TDesignModule& Module() const { return *module_; }
  rtl::TComponent& Component() const { return *component_; }
  designide::TObjectInspector& Inspector() const { return *inspector_; }
  // The row of a property name or dotted path ("DesignOptions.ddoStoreConnected");
  // raises EBadInput naming the component and the property when there is none.
  designide::TInspectorRow& Row(const std::string& path) const;

 private:
  std::unique_ptr<TDesignModule> module_;
  rtl::TComponent* component_ = nullptr;
  std::unique_ptr<designide::TObjectInspector> inspector_;
};

}  // namespace designer
