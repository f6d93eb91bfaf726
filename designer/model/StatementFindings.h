#pragma once
// `check`'s findings for one statement of an update object, placed on the
// lines of the statement's text, so that the code editor can mark them
// where they are: on the line and column the finding's position names (what
// it is about as the statement writes it: a parameter, a column, a table,
// the where clause), the start for the statement or the object as a whole;
// each with the rule `check` reports it under.
#include <string>
#include <vector>

namespace dralvo {
class TDVDataSetUpdateObject;
}

namespace designer {

struct TLineFinding {
  int Line = 0;    // 0-based
  int Column = 0;  // 0-based, in characters
  std::string Rule;  // the stable rule id, as `check` reports it ("unknown-column")
  std::string Message;
};

// The statement an update object's property holds ("ModifySQL" -> "modify"),
// or "" for any other property.
std::string StatementOfProperty(const std::string& propertyName);
// The property that holds a statement ("modify" -> "ModifySQL").
std::string PropertyOfStatement(const std::string& statement);

// Checks the update object against its live database (dralvo's
// CheckUpdateObject) and keeps the findings about that property's
// statement and about the object as a whole, placed in `text`.
std::vector<TLineFinding> CheckStatement(dralvo::TDVDataSetUpdateObject& update, const std::string& propertyName,
                                         const std::string& text);

}  // namespace designer
