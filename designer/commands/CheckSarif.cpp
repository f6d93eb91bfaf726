// `check`'s SARIF 2.1.0 log: one run of the tool "dvdesigner", one rule per
// kind of finding (ids stable, in a fixed order), one result per finding
// placed in its module file. Columns count characters (Unicode code
// points), as the findings do.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "commands/CheckReports.h"

#ifndef DV_VERSION
#error "DV_VERSION: the program's version, set by the build"
#endif

namespace designer {

namespace {
using Json = nlohmann::ordered_json;

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~' || c == '/';
}

// The file as given on the command line, as a URI reference: relative
// stays relative (to where the check ran), absolute becomes a file: URI;
// every byte outside the unreserved characters and "/" is %-escaped.
std::string UriOf(const std::string& file) {
  std::string uri = !file.empty() && file[0] == '/' ? "file://" : "";
  for (char ch : file) {
    const auto c = static_cast<unsigned char>(ch);
    if (Unreserved(c)) {
      uri += ch;
      continue;
    }
    char escaped[4];
    std::snprintf(escaped, sizeof escaped, "%%%02X", c);
    uri += escaped;
  }
  return uri;
}

Json Rules() {
  Json rules = Json::array();
  for (const TCheckRule& rule : CheckRules())
    rules.push_back({{"id", rule.Id},
                     {"shortDescription", {{"text", rule.Description}}},
                     {"defaultConfiguration", {{"level", rule.Level}}}});
  return rules;
}

Json Result(const TPlacedFinding& f) {
  const std::string where = WhereInModule(f);
  std::string text = (where.empty() ? "" : where + ": ") + f.Message;
  if (!f.ServerMessage.empty()) text += " -- server: " + f.ServerMessage;
  Json physical = {{"artifactLocation", {{"uri", UriOf(f.File)}}}};
  if (f.Place.Line > 0) physical["region"] = {{"startLine", f.Place.Line}, {"startColumn", f.Place.Column}};
  Json location = {{"physicalLocation", physical}};
  if (!where.empty()) location["logicalLocations"] = Json::array({{{"fullyQualifiedName", where}}});
  return {{"ruleId", f.Rule->Id},
          {"ruleIndex", f.Rule - CheckRules().data()},
          {"level", f.Rule->Level},
          {"message", {{"text", text}}},
          {"locations", Json::array({location})}};
}
}  // namespace

void WriteSarifReport(std::ostream& out, const std::vector<TPlacedFinding>& findings) {
  Json results = Json::array();
  bool complete = true;
  for (const TPlacedFinding& f : findings) {
    results.push_back(Result(f));
    complete = complete && !f.Unchecked();
  }
  Json run = {{"tool", {{"driver", {{"name", "dvdesigner"}, {"version", DV_VERSION}, {"rules", Rules()}}}}},
              {"invocations", Json::array({{{"executionSuccessful", complete}}})},
              {"columnKind", "unicodeCodePoints"},
              {"results", results}};
  Json log = {{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
              {"version", "2.1.0"},
              {"runs", Json::array({run})}};
  out << log.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace designer
