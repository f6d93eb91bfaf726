// dvdesigner structure FILE [--package FILE]: the Structure view of a data
// module as the package's sprigs arrange it, one node a line, indented by
// level, with marks for problem, transient and unplaced nodes.
#include <iostream>

#include "Commands.h"
#include "StructureText.h"

namespace designer {

int RunStructure(const TArgs& arguments) {
  TArgs args = arguments;
  std::string packageFile = TakeOption(args, "--package");
  if (args.empty()) throw EBadInput("structure needs the data module file");
  const std::string moduleFile = args.front();
  args.erase(args.begin());
  NoMoreArgs(args, "structure");
  if (packageFile.empty()) packageFile = DefaultPackagePath();

  std::unique_ptr<TModuleSession> session = OpenModule(packageFile, moduleFile);
  designide::TSprigTree tree(session.get());
  tree.Build(&session->Root());
  PrintStructure(std::cout, tree);
  return 0;
}

}  // namespace designer
