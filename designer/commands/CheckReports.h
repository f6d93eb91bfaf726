#pragma once
// `check`'s findings written for people and for programs, all to one stream:
//   text   one line a finding, "FILE:LINE:COLUMN: COMPONENT.PROPERTY: message [rule]"
//   json   one document: a list of findings, each with file, line, column,
//          component, property, rule, level, message and serverMessage
//   sarif  a SARIF 2.1.0 log of one run, for code-review systems
// JSON strings are escaped as JSON asks (control characters as \uXXXX);
// bytes that are not UTF-8 are replaced by U+FFFD.
#include <ostream>
#include <string>
#include <vector>

#include "commands/CheckFindings.h"

namespace designer {

void WriteTextReport(std::ostream& out, const std::vector<TPlacedFinding>& findings);
void WriteJsonReport(std::ostream& out, const std::vector<TPlacedFinding>& findings);
void WriteSarifReport(std::ostream& out, const std::vector<TPlacedFinding>& findings);

// "COMPONENT.PROPERTY", "COMPONENT" or "" for a module as a whole.
std::string WhereInModule(const TPlacedFinding& finding);

}  // namespace designer
