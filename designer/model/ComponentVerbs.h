#pragma once
// A component's context-menu verbs and double-click action, asked of the
// component editor registered for its class, as an IDE asks: a fresh editor
// for every request, freed when the request is done.
#include <string>
#include <vector>

#include "designide/Designer.h"
#include "rtl/objects/Component.h"

namespace designer {

struct TVerb {
  int Index = 0;
  std::string Caption;
  bool IsSeparator() const { return Caption == "-"; }
};

// Every verb the component's editor offers, in order (separators as "-").
// Empty when no editor is registered for the class or its ancestors.
std::vector<TVerb> ComponentVerbs(rtl::TComponent& component, designide::IDesigner& designer);
// Runs verb `index` of the component's editor.
void ExecuteComponentVerb(rtl::TComponent& component, designide::IDesigner& designer, int index);
// The double-click: the editor's Edit. False when no editor is registered.
bool EditComponent(rtl::TComponent& component, designide::IDesigner& designer);

}  // namespace designer
