// dvdesigner properties FILE COMPONENT [--package FILE]: the Object
// Inspector rows of a component of the data module, one a line, the
// sub-properties of an expandable row after it under their dotted paths:
//   NAME <tab> VALUE <tab> ATTRIBUTES <tab> EDITOR CLASS <tab> CATEGORIES
// ATTRIBUTES are those a person sees (ValueList, SortList, MultiSelect,
// Dialog, SubProperties, ReadOnly), comma-separated, "-" for none;
// CATEGORIES are comma-separated. Passwords are shown masked.
#include <iostream>

#include "OutputText.h"
#include "Commands.h"
#include "InspectedComponent.h"
#include "dralvo/Secrets.h"
#include "StructureText.h"

namespace designer {

namespace {

std::string AttributeNames(designide::TPropertyAttributes attributes) {
  using namespace designide;
  static const std::pair<TPropertyAttribute, const char*> kNames[] = {
      {paValueList, "ValueList"}, {paSortList, "SortList"},           {paMultiSelect, "MultiSelect"},
      {paDialog, "Dialog"},       {paSubProperties, "SubProperties"}, {paReadOnly, "ReadOnly"}};
  std::string text;
  for (const auto& [flag, name] : kNames)
    if (attributes & flag) text += (text.empty() ? "" : ",") + std::string(name);
  return text.empty() ? "-" : text;
}

std::string CategoryNames(const designide::TInspectorRow& row) {
  if (row.Categories().empty()) return designide::TObjectInspector::MiscellaneousCategory;
  std::string text;
  for (const std::string& category : row.Categories()) text += (text.empty() ? "" : ",") + category;
  return text;
}

void PrintRow(designide::TInspectorRow& row) {
  std::cout << Escaped(row.Path()) << "\t" << Shown(row.Value()) << "\t" << AttributeNames(row.Attributes())
            << "\t" << row.EditorClass().ClassName() << "\t" << CategoryNames(row) << "\n";
  for (const auto& sub : row.SubRows()) PrintRow(*sub);
}

}  // namespace

int RunProperties(const TArgs& args) {
  TInspectedComponent inspected(args);
  for (const auto& row : inspected.Inspector().Rows()) PrintRow(*row);
  return 0;
}

}  // namespace designer
