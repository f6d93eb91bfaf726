// dvdesigner values FILE COMPONENT PROPERTY [--package FILE]: the value list
// the Object Inspector offers for a property, one value a line, in the order
// a person sees it (sorted when the editor says so). Exit status 1 when the
// property offers no list or listing fails (a database that cannot be
// reached, say).
#include <iostream>

#include "OutputText.h"
#include "Commands.h"
#include "InspectedComponent.h"
#include "dralvo/Secrets.h"
#include "StructureText.h"

namespace designer {

int RunValues(const TArgs& args) {
  TInspectedComponent inspected(args);
  designide::TInspectorRow& row = inspected.Row(args.Operand(2));
  const std::string where = args.Operand(1) + "." + row.Path();
  if ((row.Attributes() & designide::paValueList) == 0) {
    std::cerr << "dvdesigner values: " << ForTerminal(where) << " offers no value list\n";
    return 1;
  }
  std::vector<std::string> values;
  try {
    values = row.Values();
  } catch (const std::exception& e) {
    throw rtl::Exception("Cannot list the values of " + where + " in " + args.Operand(0) + ": " + e.what());
  }
  for (const std::string& value : values) std::cout << Shown(value) << "\n";
  return 0;
}

}  // namespace designer
