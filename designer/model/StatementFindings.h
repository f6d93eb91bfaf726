#pragma once
// `check`'s findings for one statement of an update object, placed on the
// lines of the statement's text, so that the code editor can mark them
// where they are: on the line the finding's position names (what it is
// about as the statement writes it: a parameter, a column, a table, the
// where clause), the first line for the statement or the object as a whole.
#include <string>
#include <vector>

namespace dralvo {
class TDVDataSetUpdateObject;
}

namespace designer {

struct TLineFinding {
  int Line = 0;  // 0-based
  std::string Message;
};

// The statement an update object's property holds ("ModifySQL" -> "modify"),
// or "" for any other property.
std::string StatementOfProperty(const std::string& propertyName);

// Checks the update object against its live database (dralvo's
// CheckUpdateObject) and keeps the findings about that property's
// statement and about the object as a whole, placed in `text`.
std::vector<TLineFinding> CheckStatement(dralvo::TDVDataSetUpdateObject& update, const std::string& propertyName,
                                         const std::string& text);

}  // namespace designer
