// dvdesigner set FILE COMPONENT PROPERTY VALUE [--save] [--package FILE]:
// types VALUE into a property's row of the Object Inspector, so the
// registered editor's rules apply (a database's Connected set to true
// connects it and records its remote database in the settings file), then
// prints "PROPERTY = VALUE" as the row shows it afterwards. With --save the
// module is written back when the editor changed it. Exit status 1 when the
// editor refuses the value (the error names the component, the property
// and the value; nothing is changed).
#include <iostream>

#include "OutputText.h"
#include "Commands.h"
#include "InspectedComponent.h"
#include "dralvo/Secrets.h"
#include "StructureText.h"

namespace designer {

int RunSet(const TArgs& args) {
  const std::string& componentName = args.Operand(1);
  const std::string& value = args.Operand(3);
  TInspectedComponent inspected(args);
  designide::TInspectorRow& row = inspected.Row(args.Operand(2));
  try {
    row.SetValue(value);
  } catch (const std::exception& e) {
    throw rtl::Exception("Cannot set " + componentName + "." + row.Path() + " in " + args.Operand(0) + " to \"" +
                         value + "\": " + e.what());
  }
  std::cout << Escaped(row.Path()) << " = " << Shown(row.Value()) << "\n";
  if (args.Flag("--save")) SaveModule(inspected.Module(), args);
  return 0;
}

}  // namespace designer
