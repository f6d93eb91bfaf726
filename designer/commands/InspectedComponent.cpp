#include "InspectedComponent.h"

#include "StructureText.h"

namespace designer {

TInspectedComponent::TInspectedComponent(const std::string& packageFile, const std::string& moduleFile,
                                         const std::string& componentName)
    : session_(OpenModule(packageFile, moduleFile)) {
  component_ = session_->Root().FindComponent(componentName);
  if (component_ == nullptr)
    throw EBadInput("The module " + moduleFile + " has no component named \"" + componentName + "\"");
  inspector_ = std::make_unique<designide::TObjectInspector>(session_.get(), std::vector<rtl::TPersistent*>{component_});
}

designide::TInspectorRow& TInspectedComponent::Row(const std::string& path) const {
  designide::TInspectorRow* row = inspector_->FindRow(path);
  if (row == nullptr)
    throw EBadInput(component_->Name() + " (" + component_->ClassName() + ") has no property \"" + path +
                    "\" in the Object Inspector");
  return *row;
}

std::string PackageOption(TArgs& args) {
  std::string packageFile;
  try {
    packageFile = TakeOption(args, "--package");
  } catch (const rtl::Exception& e) {
    throw EBadInput(e.what());
  }
  return packageFile.empty() ? DefaultPackagePath() : packageFile;
}

void TakeOperands(TArgs& args, const std::string& command, std::vector<std::string*> operands,
                  const std::string& what) {
  for (const std::string& arg : args)
    if (arg.rfind("--", 0) == 0) throw EBadInput("Unknown option for " + command + ": " + arg);
  if (args.size() != operands.size()) throw EBadInput(command + " needs " + what);
  for (size_t i = 0; i < operands.size(); ++i) *operands[i] = args[i];
  args.clear();
}

}  // namespace designer
