#include "commands/CheckFindings.h"

#include <cstring>

#include "dralvo/Secrets.h"
#include "model/StatementFindings.h"

namespace designer {

const char* const kModuleNotChecked = "module-not-checked";

const std::vector<TCheckRule>& CheckRules() {
  static const std::vector<TCheckRule> rules = {
      {"unknown-table", "error", "A table the statement names does not exist in the database."},
      {"unknown-column", "error", "A column the statement names does not exist in its table."},
      {"parameter-without-field", "error", "A parameter of the statement matches no field of the dataset."},
      {"where-without-key", "warning",
       "The where clause pins no key of the table: one statement may reach several rows."},
      {"wrong-statement-kind", "error",
       "The statement is not the one kind its slot runs (a select, update, insert or delete), or holds several."},
      {"not-accepted", "error", "The server does not accept the statement."},
      {"dataset-not-described", "error",
       "The dataset's own SQL cannot be described, so its fields cannot be matched to parameters."},
      {"not-checked", "warning",
       "The update object could not be checked: no dataset, no database, no connection, or a wait ran out."},
      {kModuleNotChecked, "error", "The data module could not be read, or what was named in it could not be checked."},
  };
  return rules;
}

namespace {
const TCheckRule* RuleOf(const char* id) {
  for (const TCheckRule& rule : CheckRules())
    if (std::strcmp(rule.Id, id) == 0) return &rule;
  return nullptr;
}
}  // namespace

bool TPlacedFinding::Unchecked() const {
  return std::strcmp(Rule->Id, kModuleNotChecked) == 0 || std::strcmp(Rule->Id, "not-checked") == 0;
}

namespace {
// What the finding names stands in the statement's list; a finding about
// the whole statement points at the list, one about the object at the
// object, one about the dataset's SQL at that SQL.
rtl::TFormPlace PlaceOf(const dralvo::TDVCheckFinding& f, const std::string& component, const std::string& property,
                        const std::string& dataSet, const rtl::TFormPositions& positions) {
  if (f.Kind == dralvo::TDVFindingKind::DataSetNotDescribed && !dataSet.empty()) {
    const rtl::TFormPlace place = positions.ListPlace(dataSet, "SQL");
    if (place.Line > 0) return place;
  }
  if (property.empty()) return positions.ObjectPlace(component);
  if (f.Subject.empty()) return positions.ListPlace(component, property);
  return positions.CharacterPlace(component, property, f.Line, f.Column);
}
}  // namespace

void PlaceFindings(const dralvo::TDVCheckResult& result, const std::string& file, const std::string& component,
                   const std::string& dataSet, const rtl::TFormPositions& positions,
                   std::vector<TPlacedFinding>& out) {
  for (const dralvo::TDVCheckFinding& f : result.Findings) {
    TPlacedFinding placed;
    placed.File = file;
    placed.Component = component;
    placed.Property = f.Statement.empty() ? std::string() : PropertyOfStatement(f.Statement);
    placed.Place = PlaceOf(f, component, placed.Property, dataSet, positions);
    placed.Rule = RuleOf(dralvo::FindingRuleId(f.Kind));
    placed.Message = dralvo::MaskPasswords(f.Problem);
    placed.ServerMessage = dralvo::MaskPasswords(f.ServerMessage);
    out.push_back(std::move(placed));
  }
}

TPlacedFinding ModuleNotChecked(const std::string& file, const std::string& message, rtl::TFormPlace place) {
  TPlacedFinding finding;
  finding.File = file;
  finding.Place = place;
  finding.Rule = RuleOf(kModuleNotChecked);
  finding.Message = dralvo::MaskPasswords(message);
  return finding;
}

}  // namespace designer
