// dvdesigner structure FILE [--package FILE]: the Structure view of a data
// module as the package's sprigs arrange it, one node a line, indented by
// level, with marks for problem, transient and unplaced nodes.
#include <iostream>

#include "CommandModule.h"
#include "StructureText.h"

namespace designer {

int RunStructure(const TArgs& args) {
  std::unique_ptr<TDesignModule> module = OpenModule(args);
  designide::TSprigTree tree(module.get());
  tree.Build(&module->Root());
  PrintStructure(std::cout, tree);
  return 0;
}

}  // namespace designer
