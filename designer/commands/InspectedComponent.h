#pragma once
// The Object Inspector on one component of a data module opened for the
// command line: the rows, editors and rules are those the package
// registered, reached through the design framework only.
#include <memory>
#include <string>
#include <vector>

#include "Commands.h"
#include "ModuleSession.h"
#include "designide/ObjectInspector.h"

namespace designer {

class TInspectedComponent {
 public:
  // Raises EBadInput for a module that cannot be read or a component it
  // does not hold; a package that cannot be loaded raises its own error.
  TInspectedComponent(const std::string& packageFile, const std::string& moduleFile,
                      const std::string& componentName);

  TModuleSession& Session() const { return *session_; }
  rtl::TComponent& Component() const { return *component_; }
  designide::TObjectInspector& Inspector() const { return *inspector_; }
  // The row of a property name or dotted path ("DesignOptions.ddoStoreConnected");
  // raises EBadInput naming the component and the property when there is none.
  designide::TInspectorRow& Row(const std::string& path) const;

 private:
  std::unique_ptr<TModuleSession> session_;
  rtl::TComponent* component_ = nullptr;
  std::unique_ptr<designide::TObjectInspector> inspector_;
};

// The package file of "--package FILE", or the one beside the program.
// Raises EBadInput for an option without its value.
std::string PackageOption(TArgs& args);
// Takes the operands left in args (after the options were taken) into the
// strings given, in order. Raises EBadInput for an unknown option or
// another number of operands, saying what the command needs.
void TakeOperands(TArgs& args, const std::string& command, std::vector<std::string*> operands,
                  const std::string& what);

}  // namespace designer
