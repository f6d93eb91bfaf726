// dvdesigner data FILE DATASET [--limit N] [--package FILE]: the records of
// a dataset of the data module, as the designer would show them: a line of
// the field names, then one line a record, fields separated by tabs, in the
// dataset's field order. Null is an empty field; tabs, line breaks and
// backslashes in values are escaped (\t, \n, \\), binary values shown as
// their size. The statement runs read-only and the module is never saved.
#include <algorithm>
#include <iostream>

#include "CommandModule.h"
#include "OutputText.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "model/CellText.h"

namespace designer {

namespace {
int LimitOption(const TArgs& args) {
  const std::optional<std::string> text = args.Value("--limit");
  if (!text) return 100;
  const std::optional<long long> limit = WholeNumber(*text);
  if (!limit || *limit < 0 || *limit > 1000000000)
    throw EBadInput("--limit takes a whole number from 0, not \"" + *text + "\"");
  return static_cast<int>(*limit);
}

void PrintRecords(db::TDataSet& dataSet, int limit) {
  std::string line;
  for (int i = 0; i < dataSet.FieldCount(); ++i)
    line += (i > 0 ? "\t" : "") + Escaped(dataSet.Fields(i)->FieldName());
  std::cout << line << "\n";
  for (int n = 0; n < limit && !dataSet.Eof(); ++n, dataSet.Next()) {
    line.clear();
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
      const db::TField& field = *dataSet.Fields(i);
      line += (i > 0 ? "\t" : "") + LineFieldOf(field, field.Value());
    }
    std::cout << line << "\n";
  }
}
}  // namespace

int RunData(const TArgs& args) {
  const int limit = LimitOption(args);
  std::unique_ptr<TDesignModule> module = OpenModule(args);
  const std::string& dataSetName = args.Operand(1);
  rtl::TComponent& component = ComponentOf(*module, args, 1);
  if (!component.InheritsFrom(dralvo::TDVDataSet::StaticClass()))
    throw EBadInput(dataSetName + " in " + args.Operand(0) + " is not a dataset");
  auto* dataSet = static_cast<dralvo::TDVDataSet*>(&component);
  // Opened again read-only, with one packet of just the records shown.
  dataSet->Close();
  dataSet->Database()->StartReadOnly();
  dataSet->SetPacketRecords(std::max(limit, 1));
  dataSet->Open();
  PrintRecords(*dataSet, limit);
  return 0;
}

}  // namespace designer
