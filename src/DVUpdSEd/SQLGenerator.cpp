#include "DVUpdSEd/SQLGenerator.h"

#include "dralvo/Common.h"
#include "rtl/SysUtils.h"

namespace dv {

TSQLGenerator::TSQLGenerator(TSQLGenChoice choice, const rtl::TStrings& fieldInfo)
    : TSQLGenerator(std::move(choice), std::make_shared<const TFieldAliases>(fieldInfo)) {}

TSQLGenerator::TSQLGenerator(TSQLGenChoice choice, std::shared_ptr<const TFieldAliases> aliases)
    : choice_(std::move(choice)), aliases_(std::move(aliases)) {
  tableRef_ = QuoteName(dralvo::GetValidObjName(choice_.TableText, !choice_.ObjOwnerSupported));
  keys_ = Describe(choice_.KeyFields);
  updates_ = Describe(choice_.UpdateFields);
  conditions_ = BuildConditions();
}

std::string TSQLGenerator::QuoteName(const std::string& identName) const {
  return dralvo::QuoteIdentifier(identName, choice_.QuoteNames);
}

std::string TSQLGenerator::FindFieldAlias(const std::string& tableName, const std::string& fieldName) const {
  const std::string* alias = aliases_->Find(tableName, fieldName);
  return alias != nullptr ? *alias : fieldName;
}

std::vector<TSQLGenerator::TFieldText> TSQLGenerator::Describe(const std::vector<std::string>& fields) const {
  std::vector<TFieldText> out(fields.size());
  const TFieldAliases::TColumnFields* columns = aliases_->ForTable(choice_.TableText);
  for (size_t i = 0; i < fields.size(); ++i) {
    TFieldText& t = out[i];
    t.name = &fields[i];
    t.alias = t.name;
    if (columns != nullptr) {
      auto alias = columns->find(fields[i]);
      if (alias != columns->end()) t.alias = &alias->second;
    }
    if (choice_.QuoteNames) {
      t.quotedName = QuoteName(*t.name);
      t.quotedAlias = QuoteName(*t.alias);
    }
  }
  return out;
}

// The key conditions, "  column = :OLD_alias" joined by " and", are the
// same in every statement that has them: built once.
std::vector<std::string> TSQLGenerator::BuildConditions() const {
  std::vector<std::string> conditions;
  conditions.reserve(keys_.size());
  for (size_t i = 0; i < keys_.size(); ++i) {
    const TFieldText& k = keys_[i];
    std::string param = QuoteName("OLD_" + *k.alias);
    std::string line;
    line.reserve(Quoted(k).size() + param.size() + 10);
    line.append("  ").append(Quoted(k)).append(" = :").append(param);
    if (i + 1 < keys_.size()) line += " and";
    conditions.push_back(std::move(line));
  }
  return conditions;
}

void TSQLGenerator::AppendConditions(std::vector<std::string>& lines) const {
  lines.emplace_back("where");
  lines.insert(lines.end(), conditions_.begin(), conditions_.end());
}

void TSQLGenerator::Store(rtl::TStrings& sql, std::vector<std::string> lines) {
  sql.BeginUpdate();
  sql.Clear();
  sql.AddLines(std::move(lines));
  sql.EndUpdate();
}

void TSQLGenerator::GenerateModifySQL(rtl::TStrings& sql) const {
  std::vector<std::string> lines;
  lines.reserve(updates_.size() + keys_.size() + 3);
  lines.push_back("update " + tableRef_);
  lines.emplace_back("set");
  for (size_t i = 0; i < updates_.size(); ++i) {
    const TFieldText& f = updates_[i];
    std::string line;
    line.reserve(Quoted(f).size() + QuotedAlias(f).size() + 8);
    line.append("  ").append(Quoted(f)).append(" = :").append(QuotedAlias(f));
    if (i + 1 < updates_.size()) line += ',';
    lines.push_back(std::move(line));
  }
  AppendConditions(lines);
  Store(sql, std::move(lines));
}

void TSQLGenerator::GenerateInsertSQL(rtl::TStrings& sql) const {
  std::string columns, values;
  for (const TFieldText& f : updates_) {
    if (!columns.empty()) columns += ", ";
    columns += Quoted(f);
    if (!values.empty()) values += ", ";
    values += ':';
    values += QuotedAlias(f);
  }
  Store(sql, {"insert into " + tableRef_, "  (" + columns + ")", "values", "  (" + values + ")"});
}

void TSQLGenerator::GenerateDeleteSQL(rtl::TStrings& sql) const {
  std::vector<std::string> lines;
  lines.reserve(keys_.size() + 2);
  lines.push_back("delete from " + tableRef_);
  AppendConditions(lines);
  Store(sql, std::move(lines));
}

void TSQLGenerator::GenerateRefreshSQL(rtl::TStrings& sql) const {
  std::string selectList;
  for (const TFieldText& f : updates_) {
    if (!selectList.empty()) selectList += ", ";
    selectList += Quoted(f);
    if (*f.alias != *f.name) {
      selectList += " as ";
      selectList += QuotedAlias(f);
    }
  }
  std::vector<std::string> lines;
  lines.reserve(keys_.size() + 2);
  // One entry holding two lines: the select line and the from line.
  lines.push_back("select " + selectList + "\r\nfrom " + tableRef_);
  AppendConditions(lines);
  Store(sql, std::move(lines));
}

}  // namespace dv
