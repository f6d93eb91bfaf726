#include "model/StatementFindings.h"

#include <cctype>

#include "dralvo/UpdateCheck.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n')
      lines.emplace_back();
    else
      lines.back() += c;
  }
  return lines;
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

// Whether `line` holds `name` as a whole word; ignoring case unless quoted.
bool Holds(const std::string& line, const std::string& name, bool exact) {
  if (name.empty()) return false;
  const std::string hay = exact ? line : rtl::LowerCase(line);
  const std::string needle = exact ? name : rtl::LowerCase(name);
  for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) {
    const bool startOk = at == 0 || !IsNameChar(hay[at - 1]) || !IsNameChar(needle.front());
    const size_t end = at + needle.size();
    const bool endOk = end >= hay.size() || !IsNameChar(hay[end]) || !IsNameChar(needle.back());
    if (startOk && endOk) return true;
  }
  return false;
}

// The name after `lead` in the problem ("column ", "table ", "parameter "),
// up to the next blank (or the closing quote of a quoted name).
std::string NameAfter(const std::string& problem, const std::string& lead) {
  const size_t at = problem.find(lead);
  if (at == std::string::npos) return {};
  size_t start = at + lead.size();
  if (start < problem.size() && problem[start] == '"') {
    const size_t close = problem.find('"', start + 1);
    return close == std::string::npos ? std::string() : problem.substr(start, close + 1 - start);
  }
  size_t end = start;
  while (end < problem.size() && problem[end] != ' ' && problem[end] != ',' && problem[end] != ';') ++end;
  return problem.substr(start, end - start);
}
}  // namespace

std::string StatementOfProperty(const std::string& propertyName) {
  for (const char* statement : {"refresh", "modify", "insert", "delete"})
    if (rtl::SameText(propertyName, std::string(statement) + "SQL")) return statement;
  return {};
}

int LineOfProblem(const std::string& text, const std::string& problem) {
  const std::vector<std::string> lines = Lines(text);
  // The most telling name first: a column is more precise than its table.
  std::vector<std::pair<std::string, bool>> wanted;
  if (std::string parameter = NameAfter(problem, "parameter "); !parameter.empty()) wanted.push_back({parameter, false});
  if (std::string column = NameAfter(problem, "column "); !column.empty())
    wanted.push_back({column, column.front() == '"'});
  if (problem.find("where clause") != std::string::npos) wanted.push_back({"where", false});
  if (std::string table = NameAfter(problem, "table "); !table.empty()) wanted.push_back({table, table.front() == '"'});
  for (const auto& [name, exact] : wanted)
    for (size_t i = 0; i < lines.size(); ++i)
      if (Holds(lines[i], name, exact)) return static_cast<int>(i);
  return 0;
}

std::vector<TLineFinding> CheckStatement(dralvo::TDVDataSetUpdateObject& update, const std::string& propertyName,
                                         const std::string& text) {
  const std::string statement = StatementOfProperty(propertyName);
  const dralvo::TDVCheckResult result = dralvo::CheckUpdateObject(update);
  std::vector<TLineFinding> findings;
  for (const dralvo::TDVCheckFinding& f : result.Findings) {
    if (!f.Statement.empty() && f.Statement != statement) continue;
    std::string message = f.Problem;
    if (!f.ServerMessage.empty()) message += " (the server says: " + f.ServerMessage + ")";
    findings.push_back({f.Statement.empty() ? 0 : LineOfProblem(text, f.Problem), message});
  }
  return findings;
}

}  // namespace designer
