// dvdesigner show FILE [--package FILE]: opens a data module as the designer
// does and prints every component with its class and the published
// properties that differ from their defaults, in the form-file notation
// (strings quoted, lists in parentheses, collections in angle brackets).
// Passwords are shown masked.
#include <iostream>

#include "Commands.h"
#include "ModuleSession.h"
#include "dralvo/Secrets.h"
#include "rtl/forms/FormFiles.h"

namespace designer {

int RunShow(const TArgs& arguments) {
  TArgs args = arguments;
  std::string packageFile = TakeOption(args, "--package");
  if (args.empty()) throw EBadInput("show needs the data module file");
  std::string moduleFile = args.front();
  args.erase(args.begin());
  NoMoreArgs(args, "show");
  if (packageFile.empty()) packageFile = DefaultPackagePath();

  std::unique_ptr<TModuleSession> session = OpenModule(packageFile, moduleFile);
  const rtl::TComponent& root = session->Root();
  std::cout << "Module " << moduleFile << ": " << root.Name() << " (" << root.ClassName() << ") with "
            << root.ComponentCount() << (root.ComponentCount() == 1 ? " component\n" : " components\n");
  std::cout << rtl::WriteComponentText(root, [](std::string_view value, bool listEntry) {
    return listEntry ? dralvo::MaskPasswordParam(value) : dralvo::MaskPasswords(value);
  });
  return 0;
}

}  // namespace designer
