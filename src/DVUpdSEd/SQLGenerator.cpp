#include "DVUpdSEd/SQLGenerator.h"

#include <utility>

#include "dralvo/Common.h"
#include "rtl/system/SysUtils.h"

namespace dv {

TSQLGenerator::TSQLGenerator(TSQLGenChoice choice, const rtl::TStrings& fieldInfo)
    : TSQLGenerator(std::move(choice), std::make_shared<const TFieldAliases>(fieldInfo)) {}

TSQLGenerator::TSQLGenerator(TSQLGenChoice choice, std::shared_ptr<const TFieldAliases> aliases)
    : choice_(std::move(choice)), aliases_(std::move(aliases)) {
  // The owner, when kept, is quoted apart from the table.
  const std::string table = dralvo::GetValidObjName(choice_.TableText, !choice_.ObjOwnerSupported);
  if (choice_.NameRules == nullptr)
    tableRef_ = dralvo::QuoteObjectName(table, choice_.QuoteNames);
  else
    tableRef_ = choice_.QuoteNames ? choice_.NameRules->QuoteReference(table) : choice_.NameRules->TableReference(table);
  updates_ = Describe(choice_.UpdateFields);
  // Both lists start out holding every field: describe them once then.
  keys_ = choice_.KeyFields == choice_.UpdateFields ? updates_ : Describe(choice_.KeyFields);
  conditions_ = Conditions();
}

std::string TSQLGenerator::QuoteName(const std::string& identName) const {
  return dralvo::QuoteIdentifier(identName, choice_.QuoteNames);
}

std::string TSQLGenerator::FindFieldAlias(const std::string& tableName, const std::string& fieldName) const {
  return aliases_->FieldFor(tableName, fieldName);
}

std::vector<TSQLGenerator::TFieldText> TSQLGenerator::Describe(const std::vector<std::string>& fields) const {
  std::vector<TFieldText> out(fields.size());
  const TFieldAliases::TColumnFields* columns = aliases_->RenamedColumns(choice_.TableText);
  for (size_t i = 0; i < fields.size(); ++i) {
    TFieldText& t = out[i];
    t.name = &fields[i];
    t.alias = t.name;
    if (columns != nullptr) {
      auto alias = columns->find(fields[i]);
      if (alias != columns->end()) t.alias = &alias->second;
    }
    // Unasked, a name is quoted only when its server would misread it bare
    // (its parameters then follow it); with no server known, never.
    // Names take the server's quotes; parameters the runtime's own.
    const bool guarded = !choice_.QuoteNames && choice_.NameRules != nullptr;
    t.quoteName = choice_.QuoteNames || (guarded && choice_.NameRules->NeedsQuotes(*t.name));
    t.quoteAlias = t.quoteName || (guarded && dralvo::ParamNeedsQuotes(*t.alias));
    if (t.quoteName)
      t.quotedName = choice_.NameRules != nullptr ? choice_.NameRules->Quote(*t.name) : dralvo::QuoteIdentifier(*t.name, true);
    if (t.quoteAlias) t.quotedAlias = dralvo::QuoteIdentifier(*t.alias, true);
  }
  return out;
}

// The key conditions, shared by the modify, delete and refresh statements.
rtl::TLineText TSQLGenerator::Conditions() const {
  rtl::TLineText lines;
  size_t size = 8;
  for (const TFieldText& k : keys_) size += Quoted(k).size() + k.alias->size() + 20;
  lines.Reserve(size, keys_.size() + 1);
  lines.AddLine("where");
  for (size_t i = 0; i < keys_.size(); ++i) {
    const TFieldText& k = keys_[i];
    std::string& line = lines.Current();
    line.append("  ").append(Quoted(k)).append(" = :");
    if (k.quoteAlias)
      line.append(dralvo::QuoteIdentifier("OLD_" + *k.alias, true));
    else
      line.append("OLD_").append(*k.alias);
    if (i + 1 < keys_.size()) line.append(" and");
    lines.EndLine();
  }
  return lines;
}

void TSQLGenerator::GenerateModifySQL(rtl::TStrings& sql) const {
  rtl::TLineText lines;
  size_t size = tableRef_.size() + conditions_.Bytes() + 16;
  for (const TFieldText& f : updates_) size += Quoted(f).size() + QuotedAlias(f).size() + 8;
  lines.Reserve(size, updates_.size() + conditions_.Count() + 2);
  lines.Current().append("update ").append(tableRef_);
  lines.EndLine();
  lines.AddLine("set");
  for (size_t i = 0; i < updates_.size(); ++i) {
    const TFieldText& f = updates_[i];
    lines.Current().append("  ").append(Quoted(f)).append(" = :").append(QuotedAlias(f));
    if (i + 1 < updates_.size()) lines.Current().push_back(',');
    lines.EndLine();
  }
  lines.AddLines(conditions_);
  sql.SetLines(std::move(lines));
}

void TSQLGenerator::GenerateInsertSQL(rtl::TStrings& sql) const {
  rtl::TLineText lines;
  size_t size = tableRef_.size() + 32;
  for (const TFieldText& f : updates_) size += Quoted(f).size() + QuotedAlias(f).size() + 5;
  lines.Reserve(size, 4);
  lines.Current().append("insert into ").append(tableRef_);
  lines.EndLine();
  std::string& columns = lines.Current().append("  (");
  for (size_t i = 0; i < updates_.size(); ++i) columns.append(i > 0 ? ", " : "").append(Quoted(updates_[i]));
  columns.push_back(')');
  lines.EndLine();
  lines.AddLine("values");
  std::string& values = lines.Current().append("  (");
  for (size_t i = 0; i < updates_.size(); ++i) values.append(i > 0 ? ", :" : ":").append(QuotedAlias(updates_[i]));
  values.push_back(')');
  lines.EndLine();
  sql.SetLines(std::move(lines));
}

void TSQLGenerator::GenerateDeleteSQL(rtl::TStrings& sql) const {
  rtl::TLineText lines;
  lines.Reserve(tableRef_.size() + conditions_.Bytes() + 16, conditions_.Count() + 1);
  lines.Current().append("delete from ").append(tableRef_);
  lines.EndLine();
  lines.AddLines(conditions_);
  sql.SetLines(std::move(lines));
}

void TSQLGenerator::GenerateRefreshSQL(rtl::TStrings& sql) const {
  // One entry holding two lines: the select line and the from line.
  rtl::TLineText lines;
  size_t size = tableRef_.size() + conditions_.Bytes() + 16;
  for (const TFieldText& f : updates_) size += Quoted(f).size() + QuotedAlias(f).size() + 6;
  lines.Reserve(size, conditions_.Count() + 1);
  std::string& select = lines.Current().append("select ");
  for (size_t i = 0; i < updates_.size(); ++i) {
    const TFieldText& f = updates_[i];
    if (i > 0) select.append(", ");
    select.append(Quoted(f));
    if (*f.alias != *f.name) select.append(" as ").append(QuotedAlias(f));
  }
  select.append("\r\nfrom ").append(tableRef_);
  lines.EndLine();
  lines.AddLines(conditions_);
  sql.SetLines(std::move(lines));
}

}  // namespace dv
