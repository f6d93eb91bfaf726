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

std::vector<TLineFinding> CheckStatement(dralvo::TDVDataSetUpdateObject& update, const std::string& propertyName,
                                         const std::string& text) {
  const std::string statement = StatementOfProperty(propertyName);
  const dralvo::TDVCheckResult result = dralvo::CheckUpdateObject(update);
  // The check read the stored statement, which the tab's text was saved
  // into; a line past the text's end stays on its last line.
  const int lastLine = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  std::vector<TLineFinding> findings;
  for (const dralvo::TDVCheckFinding& f : result.Findings) {
    if (!f.Statement.empty() && f.Statement != statement) continue;
    std::string message = f.Problem;
    if (!f.ServerMessage.empty()) message += " (the server says: " + f.ServerMessage + ")";
    findings.push_back(
        {std::clamp(f.Line - 1, 0, lastLine), std::max(f.Column - 1, 0), dralvo::FindingRuleId(f.Kind), message});
  }
  return findings;
}

}  // namespace designer
