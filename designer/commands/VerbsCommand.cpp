// dvdesigner verbs FILE [COMPONENT] [--package FILE]: the context-menu verbs
// of each component of the module (or of the one named), as the component
// editor the package registered for its class offers them: one verb a
// line, "COMPONENT INDEX CAPTION", separators as "-". Components whose
// class has no editor print nothing.
#include <iostream>

#include "CommandModule.h"
#include "OutputText.h"
#include "Commands.h"
#include "StructureText.h"
#include "model/ComponentVerbs.h"

namespace designer {

namespace {
void PrintVerbs(TDesignModule& module, rtl::TComponent& component) {
  for (const TVerb& verb : ComponentVerbs(component, module))
    std::cout << component.Name() << " " << verb.Index << " " << Escaped(verb.Caption) << "\n";
}
}  // namespace

int RunVerbs(const TArgs& args) {
  ChooseWidgetPlatform();
  std::unique_ptr<TDesignModule> module = OpenModule(args);
  if (args.HasOperand(1)) {
    PrintVerbs(*module, ComponentOf(*module, args, 1));
    return 0;
  }
  for (int i = 0; i < module->Root().ComponentCount(); ++i) PrintVerbs(*module, *module->Root().Components(i));
  return 0;
}

}  // namespace designer
