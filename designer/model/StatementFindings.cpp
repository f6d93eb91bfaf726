#include "model/StatementFindings.h"

#include <algorithm>

#include "dralvo/UpdateCheck.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {
constexpr const char* kStatements[][2] = {
    {"refresh", "RefreshSQL"}, {"modify", "ModifySQL"}, {"insert", "InsertSQL"}, {"delete", "DeleteSQL"}};
}  // namespace

std::string StatementOfProperty(const std::string& propertyName) {
  for (const auto& [statement, property] : kStatements)
    if (rtl::SameText(propertyName, property)) return statement;
  return {};
}

std::string PropertyOfStatement(const std::string& statement) {
  for (const auto& [name, property] : kStatements)
    if (statement == name) return property;
  return {};
}

TLineFinding PlacedFinding(const dralvo::TDVCheckFinding& finding, const std::string& text) {
  // The check read the stored statement, which the tab's text was saved
  // into; a line past the text's end stays on its last line.
  const int lastLine = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  std::string message = finding.Problem;
  if (!finding.ServerMessage.empty()) message += " (the server says: " + finding.ServerMessage + ")";
  return {std::clamp(finding.Line - 1, 0, lastLine), std::max(finding.Column - 1, 0), dralvo::FindingRuleId(finding.Kind),
          message};
}

std::vector<TLineFinding> CheckStatement(dralvo::TDVDataSetUpdateObject& update, const std::string& propertyName,
                                         const std::string& text) {
  const std::string statement = StatementOfProperty(propertyName);
  const dralvo::TDVCheckResult result = dralvo::CheckUpdateObject(update);
  std::vector<TLineFinding> findings;
  for (const dralvo::TDVCheckFinding& f : result.Findings)
    if (f.Statement.empty() || f.Statement == statement) findings.push_back(PlacedFinding(f, text));
  return findings;
}

}  // namespace designer
