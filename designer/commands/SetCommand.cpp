// dvdesigner set FILE COMPONENT PROPERTY VALUE [--save] [--package FILE]:
// types VALUE into a property's row of the Object Inspector, so the
// registered editor's rules apply (a database's Connected set to true
// connects it and records its remote database in the settings file), then
// prints "PROPERTY = VALUE" as the row shows it afterwards. With --save the
// module is written back when the editor changed it. Exit status 1 when the
// editor refuses the value (the error names the component, the property
// and the value; nothing is changed).
#include <iostream>

#include "Commands.h"
#include "InspectedComponent.h"
#include "StructureText.h"
#include "dralvo/Secrets.h"

namespace designer {

int RunSet(const TArgs& arguments) {
  TArgs args = arguments;
  const std::string packageFile = PackageOption(args);
  const bool save = TakeFlag(args, "--save");
  std::string moduleFile, componentName, property, value;
  TakeOperands(args, "set", {&moduleFile, &componentName, &property, &value},
               "the data module file, a component's name, a property and its new value");
  TInspectedComponent inspected(packageFile, moduleFile, componentName);
  designide::TInspectorRow& row = inspected.Row(property);
  try {
    row.SetValue(value);
  } catch (const std::exception& e) {
    throw rtl::Exception("Cannot set " + componentName + "." + row.Path() + " in " + moduleFile + " to \"" + value +
                         "\": " + e.what());
  }
  std::cout << row.Path() << " = " << dralvo::MaskPasswords(row.Value()) << "\n";
  if (save) inspected.Session().Save();
  return 0;
}

}  // namespace designer
