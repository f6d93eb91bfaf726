#pragma once
// `check`'s findings for all four statements of an update object at once,
// each placed on the line of its statement it is about (as StatementFindings
// places them for one statement), for "Check statement" with no code tab in
// front.
#include <string>
#include <vector>

#include "model/StatementFindings.h"

namespace dralvo {
class TDVDataSetUpdateObject;
}

namespace designer {

struct TStatementFinding {
  std::string Property;  // "ModifySQL"; "" for the object as a whole
  TLineFinding Finding;
};

// Checks the update object against its live database; refresh, modify,
// insert and delete findings in that order, the object's own first.
std::vector<TStatementFinding> CheckUpdateStatements(dralvo::TDVDataSetUpdateObject& update);

}  // namespace designer
