// dvdesigner verbs FILE [COMPONENT] [--package FILE]: the context-menu verbs
// of each component of the module (or of the one named), as the component
// editor the package registered for its class offers them: one verb a
// line, "COMPONENT INDEX CAPTION", separators as "-". Components whose
// class has no editor print nothing.
#include <iostream>

#include "OutputText.h"
#include "Commands.h"
#include "StructureText.h"
#include "model/ComponentVerbs.h"

namespace designer {

namespace {
void PrintVerbs(TModuleSession& session, rtl::TComponent& component) {
  for (const TVerb& verb : ComponentVerbs(component, session))
    std::cout << component.Name() << " " << verb.Index << " " << Escaped(verb.Caption) << "\n";
}
}  // namespace

int RunVerbs(const TArgs& arguments) {
  TArgs args = arguments;
  std::string packageFile = TakeOption(args, "--package");
  for (const std::string& arg : args)
    if (arg.rfind("--", 0) == 0) throw EBadInput("Unknown option for verbs: " + arg);
  if (args.empty() || args.size() > 2) throw EBadInput("verbs needs the data module file and at most one component");
  if (packageFile.empty()) packageFile = DefaultPackagePath();

  ChooseWidgetPlatform();
  std::unique_ptr<TModuleSession> session = OpenModule(packageFile, args[0]);
  if (args.size() == 2) {
    rtl::TComponent* component = session->Root().FindComponent(args[1]);
    if (component == nullptr)
      throw EBadInput("The module " + args[0] + " has no component named \"" + args[1] + "\"");
    PrintVerbs(*session, *component);
    return 0;
  }
  for (int i = 0; i < session->Root().ComponentCount(); ++i) PrintVerbs(*session, *session->Root().Components(i));
  return 0;
}

}  // namespace designer
