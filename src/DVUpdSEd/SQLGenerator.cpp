#include "DVUpdSEd/SQLGenerator.h"

#include <functional>

#include "dralvo/Common.h"
#include "rtl/SysUtils.h"

namespace dv {

size_t TSQLGenerator::TColumnKeyHash::operator()(const TColumnKey& k) const {
  size_t h = std::hash<std::string>{}(k.table);
  return h ^ (std::hash<std::string>{}(k.column) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}

TSQLGenerator::TSQLGenerator(TSQLGenChoice choice, const rtl::TStrings& fieldInfo) : choice_(std::move(choice)) {
  IndexFieldInfo(fieldInfo);
  tableRef_ = QuoteName(dralvo::GetValidObjName(choice_.TableText, !choice_.ObjOwnerSupported));
  keys_ = Describe(choice_.KeyFields);
  updates_ = Describe(choice_.UpdateFields);
}

std::string TSQLGenerator::QuoteName(const std::string& identName) const {
  return dralvo::QuoteIdentifier(identName, choice_.QuoteNames);
}

// Entry by entry, in list order: the value of the first entry bearing the
// entry's name (names ignore case) is split at its last dot that has a
// character after it, into table and column; the first entry to claim a
// table and column gives the alias. Indexed in one pass, so that looking up
// every field of a wide table does not rescan the list per field.
void TSQLGenerator::IndexFieldInfo(const rtl::TStrings& fieldInfo) {
  std::unordered_map<std::string, std::string> firstValueByName;
  bool emptyNameAbsent = false;
  aliases_.reserve(static_cast<size_t>(fieldInfo.Count()));
  for (int i = 0, n = fieldInfo.Count(); i < n; ++i) {
    std::string entry = fieldInfo.Get(i);
    size_t eq = entry.find('=');
    std::string name = eq == std::string::npos ? std::string() : entry.substr(0, eq);
    std::string key = rtl::AnsiUpperCase(name);
    auto first = firstValueByName.find(key);
    if (first == firstValueByName.end()) {
      if (eq != std::string::npos) {
        // The entry itself is the first of its name.
        first = firstValueByName.emplace(std::move(key), entry.substr(eq + 1)).first;
      } else if (!emptyNameAbsent) {
        // An entry without "=" has the empty name, whose value is that of
        // the first entry starting with "=", which may come later.
        for (int j = i + 1; j < n && first == firstValueByName.end(); ++j) {
          std::string later = fieldInfo.Get(j);
          if (!later.empty() && later[0] == '=') first = firstValueByName.emplace("", later.substr(1)).first;
        }
        emptyNameAbsent = first == firstValueByName.end();
      }
      if (first == firstValueByName.end()) continue;
    }
    const std::string& value = first->second;
    if (value.size() < 2) continue;
    size_t dot = value.rfind('.', value.size() - 2);  // a dot at the very end belongs to the column
    if (dot == std::string::npos) continue;
    aliases_.try_emplace(TColumnKey{value.substr(0, dot), value.substr(dot + 1)}, std::move(name));
  }
}

std::string TSQLGenerator::FindFieldAlias(const std::string& tableName, const std::string& fieldName) const {
  auto it = aliases_.find(TColumnKey{tableName, fieldName});
  return it == aliases_.end() ? fieldName : it->second;
}

std::vector<TSQLGenerator::TFieldText> TSQLGenerator::Describe(const std::vector<std::string>& fields) const {
  std::vector<TFieldText> out;
  out.reserve(fields.size());
  for (const std::string& f : fields) {
    TFieldText t;
    t.name = f;
    t.quoted = QuoteName(f);
    t.alias = FindFieldAlias(choice_.TableText, f);
    t.quotedAlias = QuoteName(t.alias);
    out.push_back(std::move(t));
  }
  return out;
}

// Before a field entry is added, the entry before it gets the separator
// unless it is the head ("set" or "where") itself.
void TSQLGenerator::AddWithSeparator(std::vector<std::string>& lines, const char* head, const char* separator,
                                     std::string entry) {
  if (!lines.empty() && lines.back() != head) lines.back() += separator;
  lines.push_back(std::move(entry));
}

void TSQLGenerator::AppendConditions(std::vector<std::string>& lines) const {
  lines.emplace_back("where");
  for (const TFieldText& k : keys_)
    AddWithSeparator(lines, "where", " and", "  " + k.quoted + " = :" + QuoteName("OLD_" + k.alias));
}

void TSQLGenerator::Store(rtl::TStrings& sql, const std::vector<std::string>& lines) {
  sql.BeginUpdate();
  sql.Clear();
  for (const std::string& line : lines) sql.Add(line);
  sql.EndUpdate();
}

void TSQLGenerator::GenerateModifySQL(rtl::TStrings& sql) const {
  std::vector<std::string> lines;
  lines.reserve(updates_.size() + keys_.size() + 3);
  lines.push_back("update " + tableRef_);
  lines.emplace_back("set");
  for (const TFieldText& f : updates_)
    AddWithSeparator(lines, "set", ",", "  " + f.quoted + " = :" + f.quotedAlias);
  AppendConditions(lines);
  Store(sql, lines);
}

void TSQLGenerator::GenerateInsertSQL(rtl::TStrings& sql) const {
  std::string columns, values;
  for (const TFieldText& f : updates_) {
    if (!columns.empty()) columns += ", ";
    columns += f.quoted;
    if (!values.empty()) values += ", ";
    values += ':';
    values += f.quotedAlias;
  }
  Store(sql, {"insert into " + tableRef_, "  (" + columns + ")", "values", "  (" + values + ")"});
}

void TSQLGenerator::GenerateDeleteSQL(rtl::TStrings& sql) const {
  std::vector<std::string> lines;
  lines.reserve(keys_.size() + 2);
  lines.push_back("delete from " + tableRef_);
  AppendConditions(lines);
  Store(sql, lines);
}

void TSQLGenerator::GenerateRefreshSQL(rtl::TStrings& sql) const {
  std::string selectList;
  for (const TFieldText& f : updates_) {
    if (!selectList.empty()) selectList += ", ";
    selectList += f.quoted;
    if (f.alias != f.name) {
      selectList += " as ";
      selectList += f.quotedAlias;
    }
  }
  std::vector<std::string> lines;
  lines.reserve(keys_.size() + 2);
  // One entry holding two lines: the select line and the from line.
  lines.push_back("select " + selectList + "\r\nfrom " + tableRef_);
  AppendConditions(lines);
  Store(sql, lines);
}

}  // namespace dv
