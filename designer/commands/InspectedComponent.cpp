#include "InspectedComponent.h"

namespace designer {

TInspectedComponent::TInspectedComponent(const TArgs& args)
    : module_(OpenModule(args)), component_(&ComponentOf(*module_, args, 1)) {
  inspector_ = std::make_unique<designide::TObjectInspector>(module_.get(), std::vector<rtl::TPersistent*>{component_});
}

designide::TInspectorRow& TInspectedComponent::Row(const std::string& path) const {
  designide::TInspectorRow* row = inspector_->FindRow(path);
  if (row == nullptr)
    throw EBadInput(component_->Name() + " (" + component_->ClassName() + ") has no property \"" + path +
                    "\" in the Object Inspector");
  return *row;
}

}  // namespace designer
