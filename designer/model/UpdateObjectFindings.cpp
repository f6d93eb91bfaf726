#include "model/UpdateObjectFindings.h"

#include <algorithm>

#include "dralvo/UpdateCheck.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/text/Strings.h"

namespace designer {

namespace {
const char* const kProperties[] = {"RefreshSQL", "ModifySQL", "InsertSQL", "DeleteSQL"};

std::string TextOf(dralvo::TDVDataSetUpdateObject& update, const std::string& property) {
  const rtl::TPropInfo* prop = update.ClassType().FindProperty(property);
  auto* lines = prop != nullptr && prop->GetObj ? dynamic_cast<rtl::TStrings*>(prop->GetObj(update)) : nullptr;
  return lines != nullptr ? lines->Text() : std::string();
}

int Rank(const std::string& property) {
  for (int i = 0; i < 4; ++i)
    if (property == kProperties[i]) return i;
  return -1;
}
}  // namespace

std::vector<TStatementFinding> CheckUpdateStatements(dralvo::TDVDataSetUpdateObject& update) {
  const dralvo::TDVCheckResult result = dralvo::CheckUpdateObject(update);
  std::vector<TStatementFinding> findings;
  for (const dralvo::TDVCheckFinding& f : result.Findings) {
    std::string property;
    for (const char* name : kProperties)
      if (!f.Statement.empty() && StatementOfProperty(name) == f.Statement) property = name;
    findings.push_back({property, PlacedFinding(f, property.empty() ? std::string() : TextOf(update, property))});
  }
  std::stable_sort(findings.begin(), findings.end(), [](const TStatementFinding& a, const TStatementFinding& b) {
    return Rank(a.Property) < Rank(b.Property);
  });
  return findings;
}

}  // namespace designer
