#pragma once
// Which dataset field shows which table column. The field info of the
// dataset's SQL (entries "field=table.column") is indexed once, so that
// looking up every field of a wide table does not rescan the list, and one
// index serves every generation until the field info changes.
#include <string>
#include <unordered_map>

#include "rtl/text/Strings.h"

namespace dv {

class TFieldAliases {
 public:
  explicit TFieldAliases(const rtl::TStrings& fieldInfo);

  // The dataset field that shows column `fieldName` of table `tableName`
  // (both compared exactly), or null when none does.
  const std::string* Find(const std::string& tableName, const std::string& fieldName) const;
  // The same, or fieldName itself when no field shows that column.
  std::string FieldFor(const std::string& tableName, const std::string& fieldName) const {
    const std::string* field = Find(tableName, fieldName);
    return field != nullptr ? *field : fieldName;
  }

  // column -> field, for one table
  using TColumnFields = std::unordered_map<std::string, std::string>;
  // The columns of `tableName` that some field shows, or null when no field
  // shows one of them under another name: then every column is its own
  // alias and a wide table needs no look-up per column.
  const TColumnFields* RenamedColumns(const std::string& tableName) const;

 private:
  struct TTable {
    TColumnFields columns;
    bool renamed = false;  // some field's name differs from its column's
  };
  const TTable* ForTable(const std::string& tableName) const;

  std::unordered_map<std::string, TTable> byTable_;
};

}  // namespace dv
