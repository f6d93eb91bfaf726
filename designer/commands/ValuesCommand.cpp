// dvdesigner values FILE COMPONENT PROPERTY [--package FILE]: the value list
// the Object Inspector offers for a property, one value a line, in the order
// a person sees it (sorted when the editor says so). Exit status 1 when the
// property offers no list or listing fails (a database that cannot be
// reached, say).
#include <iostream>

#include "Commands.h"
#include "InspectedComponent.h"
#include "StructureText.h"
#include "dralvo/Secrets.h"

namespace designer {

int RunValues(const TArgs& arguments) {
  TArgs args = arguments;
  const std::string packageFile = PackageOption(args);
  std::string moduleFile, componentName, property;
  TakeOperands(args, "values", {&moduleFile, &componentName, &property},
               "the data module file, a component's name and a property");
  TInspectedComponent inspected(packageFile, moduleFile, componentName);
  designide::TInspectorRow& row = inspected.Row(property);
  const std::string where = componentName + "." + row.Path();
  if ((row.Attributes() & designide::paValueList) == 0) {
    std::cerr << "dvdesigner values: " << where << " offers no value list\n";
    return 1;
  }
  std::vector<std::string> values;
  try {
    values = row.Values();
  } catch (const std::exception& e) {
    throw rtl::Exception("Cannot list the values of " + where + " in " + moduleFile + ": " + e.what());
  }
  for (const std::string& value : values) std::cout << dralvo::MaskPasswords(value) << "\n";
  return 0;
}

}  // namespace designer
