#include "DVReg/sprigs/SprigUndo.h"

#include "dralvo/DataSet.h"
#include "dralvo/Database.h"

namespace dv {

TDVPlacementUndo::TDVPlacementUndo(designide::TSprig* Node) {
  std::vector<designide::TSprig*> Stack{Node};
  while (!Stack.empty()) {
    designide::TSprig* Sprig = Stack.back();
    Stack.pop_back();
    if (auto* Database = dynamic_cast<dralvo::TDVDatabase*>(Sprig->Item()))
      FNames.push_back({Database, Database->SessionName(), Database->DatabaseName()});
    else if (auto* DataSet = dynamic_cast<dralvo::TDVDataSet*>(Sprig->Item()))
      FNames.push_back({DataSet, DataSet->SessionName(), DataSet->DatabaseName()});
    for (int I = 0; I < Sprig->Count(); ++I) Stack.push_back(Sprig->Child(I));
  }
}

void TDVPlacementUndo::Restore() noexcept {
  for (auto It = FNames.rbegin(); It != FNames.rend(); ++It) {
    try {
      if (auto* Database = dynamic_cast<dralvo::TDVDatabase*>(It->Component)) {
        Database->SetSessionName(It->SessionName);
        Database->SetDatabaseName(It->DatabaseName);
      } else if (auto* DataSet = dynamic_cast<dralvo::TDVDataSet*>(It->Component)) {
        DataSet->SetDatabaseName(It->DatabaseName);
        DataSet->SetSessionName(It->SessionName);
      }
    } catch (const std::exception&) {
      // Not expected: the setters refuse only open components, and those
      // kept their names. The drop's error is reported either way.
    }
  }
}

}  // namespace dv
