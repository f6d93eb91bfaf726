#include "DVUpdSEd/SQLGenerator.h"

#include "dralvo/Common.h"
#include "rtl/SysUtils.h"

namespace dv {

TSQLGenerator::TSQLGenerator(TSQLGenChoice choice, const rtl::TStrings& fieldInfo)
    : TSQLGenerator(std::move(choice), std::make_shared<const TFieldAliases>(fieldInfo)) {}

TSQLGenerator::TSQLGenerator(TSQLGenChoice choice, std::shared_ptr<const TFieldAliases> aliases)
    : choice_(std::move(choice)), aliases_(std::move(aliases)) {
  // The owner, when kept, is quoted apart from the table.
  tableRef_ = dralvo::QuoteObjectName(dralvo::GetValidObjName(choice_.TableText, !choice_.ObjOwnerSupported),
                                      choice_.QuoteNames);
  updates_ = Describe(choice_.UpdateFields);
  // Both lists start out holding every field: describe them once then.
  keys_ = choice_.KeyFields == choice_.UpdateFields ? updates_ : Describe(choice_.KeyFields);
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

// Each statement that has the key conditions builds its own lines:
// building one costs about what copying a kept one would.
void TSQLGenerator::AppendConditions(std::vector<std::string>& lines) const {
  lines.emplace_back("where");
  for (size_t i = 0; i < keys_.size(); ++i) {
    const TFieldText& k = keys_[i];
    std::string line;
    line.reserve(Quoted(k).size() + k.alias->size() + 16);
    line.append("  ").append(Quoted(k)).append(" = :");
    if (choice_.QuoteNames)
      line.append(QuoteName("OLD_" + *k.alias));
    else
      line.append("OLD_").append(*k.alias);
    if (i + 1 < keys_.size()) line += " and";
    lines.push_back(std::move(line));
  }
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
  std::string columns = "  (";
  std::string values = "  (";
  size_t columnsSize = 0, valuesSize = 0;
  for (const TFieldText& f : updates_) {
    columnsSize += Quoted(f).size() + 2;
    valuesSize += QuotedAlias(f).size() + 3;
  }
  columns.reserve(columnsSize + 4);
  values.reserve(valuesSize + 4);
  for (size_t i = 0; i < updates_.size(); ++i) {
    if (i > 0) {
      columns += ", ";
      values += ", ";
    }
    columns += Quoted(updates_[i]);
    values += ':';
    values += QuotedAlias(updates_[i]);
  }
  columns += ')';
  values += ')';
  std::vector<std::string> lines;
  lines.push_back("insert into " + tableRef_);
  lines.push_back(std::move(columns));
  lines.emplace_back("values");
  lines.push_back(std::move(values));
  Store(sql, std::move(lines));
}

void TSQLGenerator::GenerateDeleteSQL(rtl::TStrings& sql) const {
  std::vector<std::string> lines;
  lines.reserve(keys_.size() + 2);
  lines.push_back("delete from " + tableRef_);
  AppendConditions(lines);
  Store(sql, std::move(lines));
}

void TSQLGenerator::GenerateRefreshSQL(rtl::TStrings& sql) const {
  // One entry holding two lines: the select line and the from line.
  std::string select = "select ";
  size_t size = tableRef_.size() + 16;
  for (const TFieldText& f : updates_) size += Quoted(f).size() + QuotedAlias(f).size() + 6;
  select.reserve(size);
  for (size_t i = 0; i < updates_.size(); ++i) {
    const TFieldText& f = updates_[i];
    if (i > 0) select += ", ";
    select += Quoted(f);
    if (*f.alias != *f.name) {
      select += " as ";
      select += QuotedAlias(f);
    }
  }
  select.append("\r\nfrom ").append(tableRef_);
  std::vector<std::string> lines;
  lines.reserve(keys_.size() + 2);
  lines.push_back(std::move(select));
  AppendConditions(lines);
  Store(sql, std::move(lines));
}

}  // namespace dv
