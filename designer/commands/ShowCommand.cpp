// dvdesigner show FILE [--package FILE]: opens a data module as the designer
// does and prints every component with its class and the published
// properties that differ from their defaults, in the form-file notation
// (strings quoted, lists in parentheses, collections in angle brackets).
// Passwords are shown masked.
#include <iostream>

#include "Commands.h"
#include "CommandModule.h"
#include "OutputText.h"
#include "dralvo/Secrets.h"
#include "rtl/forms/FormFiles.h"

namespace designer {

int RunShow(const TArgs& args) {
  std::unique_ptr<TDesignModule> module = OpenModule(args);
  const rtl::TComponent& root = module->Root();
  std::cout << "Module " << Escaped(args.Operand(0)) << ": " << root.Name() << " (" << root.ClassName() << ") with "
            << root.ComponentCount() << (root.ComponentCount() == 1 ? " component\n" : " components\n");
  std::cout << rtl::WriteComponentText(root, [](std::string_view value, bool listEntry) {
    return listEntry ? dralvo::MaskPasswordParam(value) : dralvo::MaskPasswords(value);
  });
  return 0;
}

}  // namespace designer
