// dvdesigner verb FILE COMPONENT INDEX [--accept] [--save] [--package FILE]:
// runs one context-menu verb of a component through the component editor
// the package registered for its class, as the designer's menu does. A
// dialog the verb opens is cancelled, or accepted with --accept (see
// VerbAutomation.h). Prints "changed" when the editor reported the module
// modified, "unchanged" otherwise; with --save a changed module is written
// back. Exit status 1 when the verb raised or showed an error.
#include <iostream>

#include "Commands.h"
#include "StructureText.h"
#include "VerbAutomation.h"
#include "model/ComponentVerbs.h"
#include "vcl/Application.h"

namespace designer {

namespace {
int ParseIndex(const std::string& text) {
  try {
    size_t used = 0;
    const int index = std::stoi(text, &used);
    if (used == text.size()) return index;
  } catch (const std::exception&) {
  }
  throw EBadInput("The verb index \"" + text + "\" is not a whole number");
}
}  // namespace

int RunVerb(const TArgs& arguments) {
  TArgs args = arguments;
  std::string packageFile = TakeOption(args, "--package");
  const bool accept = TakeFlag(args, "--accept");
  const bool save = TakeFlag(args, "--save");
  for (const std::string& arg : args)
    if (arg.rfind("--", 0) == 0)
      throw EBadInput("Unknown option for verb: " + arg);
  if (args.size() != 3) throw EBadInput("verb needs the data module file, the component and the verb's index");
  const int index = ParseIndex(args[2]);
  if (packageFile.empty()) packageFile = DefaultPackagePath();

  ChooseWidgetPlatform();
  std::unique_ptr<TModuleSession> session = OpenModule(packageFile, args[0]);
  rtl::TComponent* component = session->Root().FindComponent(args[1]);
  if (component == nullptr)
    throw EBadInput("The module " + args[0] + " has no component named \"" + args[1] + "\"");
  const std::vector<TVerb> verbs = ComponentVerbs(*component, *session);
  if (verbs.empty()) throw EBadInput(args[1] + " (" + component->ClassName() + ") has no component editor verbs");
  if (index < 0 || index >= static_cast<int>(verbs.size()))
    throw EBadInput(args[1] + " has no verb " + args[2] + "; its verbs are 0 to " +
                    std::to_string(verbs.size() - 1));

  std::cerr << "Running \"" << verbs[static_cast<size_t>(index)].Caption << "\" on " << args[1] << " ...\n";
  vcl::EnsureWidgetSystem();
  TVerbAutomation automation(accept, std::cerr);
  {
    vcl::ScopedAutomation scope(automation);
    ExecuteComponentVerb(*component, *session, index);
  }
  std::cout << (session->IsModified() ? "changed" : "unchanged") << "\n";
  if (save) session->Save();
  return automation.Failed() ? 1 : 0;
}

}  // namespace designer
