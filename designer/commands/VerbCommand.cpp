// dvdesigner verb FILE COMPONENT INDEX [--accept] [--save] [--package FILE]:
// runs one context-menu verb of a component through the component editor
// the package registered for its class, as the designer's menu does. A
// dialog the verb opens is cancelled, or accepted with --accept (see
// VerbAutomation.h). Prints "changed" when the editor reported the module
// modified, "unchanged" otherwise; with --save a changed module is written
// back. Exit status 1 when the verb raised or showed an error; 2 for an
// INDEX that is not decimal digits alone, names no verb, or a separator.
#include <iostream>

#include "CommandModule.h"
#include "OutputText.h"
#include "VerbAutomation.h"
#include "model/ComponentVerbs.h"
#include "vcl/Application.h"

namespace designer {

int RunVerb(const TArgs& args) {
  // One rule for the index: decimal digits alone, naming a verb that is not
  // a separator; anything else is bad usage.
  const std::string& indexText = args.Operand(2);
  const std::optional<long long> index = WholeNumber(indexText);
  if (!index) throw EBadInput("The verb index \"" + indexText + "\" is not a whole number");

  ChooseWidgetPlatform();
  std::unique_ptr<TDesignModule> module = OpenModule(args);
  const std::string& name = args.Operand(1);
  rtl::TComponent& component = ComponentOf(*module, args, 1);
  const std::vector<TVerb> verbs = ComponentVerbs(component, *module);
  if (verbs.empty()) throw EBadInput(name + " (" + component.ClassName() + ") has no component editor verbs");
  if (*index < 0 || *index >= static_cast<long long>(verbs.size()))
    throw EBadInput(name + " has no verb " + indexText + "; its verbs are 0 to " + std::to_string(verbs.size() - 1));
  const TVerb& verb = verbs[static_cast<size_t>(*index)];
  if (verb.IsSeparator()) throw EBadInput("Verb " + indexText + " of " + name + " is a separator, not a verb");

  std::cerr << "Running \"" << ForTerminal(verb.Caption) << "\" on " << ForTerminal(name) << " ...\n";
  vcl::EnsureWidgetSystem();
  TVerbAutomation automation(args.Flag("--accept"), std::cerr);
  {
    vcl::ScopedAutomation scope(automation);
    ExecuteComponentVerb(component, *module, verb.Index);
  }
  std::cout << (module->HasChanges() ? "changed" : "unchanged") << "\n";
  if (args.Flag("--save")) SaveModule(*module, args);
  return automation.Failed() ? 1 : 0;
}

}  // namespace designer
