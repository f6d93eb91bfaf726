#include "model/AppliedStatements.h"

#include "rtl/text/Escaping.h"

namespace designer {

namespace {
// One item of a line: nothing in it can break the line or pass for another.
std::string Item(const std::string& text) { return rtl::EscapeText(text, rtl::TEscapeMode::Item); }

const char* Verb(const std::string& statement) {
  if (statement == "modify") return "changed";
  if (statement == "insert") return "inserted";
  if (statement == "delete") return "deleted";
  return "read";
}

// The statement's words on one line, whatever its line breaks and indents.
std::string OneLine(const std::string& sql) {
  std::string out;
  bool blank = false;
  for (char c : sql) {
    const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
    if (space) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

std::string Shown(const db::TValue& value) {
  if (value.IsNull()) return "null";
  const std::string text = Item(value.AsString());
  return value.IsText() ? "'" + text + "'" : text;
}
}  // namespace

std::vector<std::string> AppliedStatementLines(const dralvo::TDVApplyResult& result) {
  std::vector<std::string> lines;
  for (const dralvo::TDVAppliedStatement& s : result.Statements) {
    std::string line = s.Statement + ": ";
    if (s.Rows >= 0) line += std::to_string(s.Rows) + (s.Rows == 1 ? " row " : " rows ") + Verb(s.Statement);
    if (!s.Problem.empty())
      line += (s.Rows >= 0 ? " (" : "") + s.Problem +
              (s.ServerMessage.empty() ? "" : ": " + Item(s.ServerMessage)) + (s.Rows >= 0 ? ")" : "");
    line += ": " + Item(OneLine(s.Sql));
    std::string params;
    for (const auto& [name, value] : s.Params) params += (params.empty() ? ":" : ", :") + name + " = " + Shown(value);
    if (!params.empty()) line += " (" + params + ")";
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace designer
