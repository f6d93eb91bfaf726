#include "DVUpdSEd/FieldAliases.h"

#include "rtl/system/SysUtils.h"

namespace dv {

// Entry by entry, in list order: the value of the first entry bearing the
// entry's name (names ignore case) is split at its last dot that has a
// character after it, into table and column; the first entry to claim a
// table and column gives the alias.
TFieldAliases::TFieldAliases(const rtl::TStrings& fieldInfo) {
  std::unordered_map<std::string, std::string> firstValueByName;
  bool emptyNameAbsent = false;
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
    TTable& table = byTable_[value.substr(0, dot)];
    auto [column, added] = table.columns.try_emplace(value.substr(dot + 1), std::move(name));
    if (added && column->first != column->second) table.renamed = true;
  }
}

const TFieldAliases::TTable* TFieldAliases::ForTable(const std::string& tableName) const {
  auto table = byTable_.find(tableName);
  return table == byTable_.end() ? nullptr : &table->second;
}

const TFieldAliases::TColumnFields* TFieldAliases::RenamedColumns(const std::string& tableName) const {
  const TTable* table = ForTable(tableName);
  return table != nullptr && table->renamed ? &table->columns : nullptr;
}

const std::string* TFieldAliases::Find(const std::string& tableName, const std::string& fieldName) const {
  const TTable* table = ForTable(tableName);
  if (table == nullptr) return nullptr;
  auto column = table->columns.find(fieldName);
  return column == table->columns.end() ? nullptr : &column->second;
}

}  // namespace dv
