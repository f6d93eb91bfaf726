#pragma once
// The four update statements of an update object, generated from a table,
// key fields, update fields and the field info of the dataset's SQL. No
// widgets: the editor form hands in what its controls hold.
//
// Key fields appear only with "OLD_" parameters, update fields only with
// plain ones; parameters are named after the dataset fields that show the
// columns (FindFieldAlias).
#include <string>
#include <unordered_map>
#include <vector>

#include "rtl/Strings.h"

namespace dv {

struct TSQLGenChoice {
  std::string TableText;           // exactly as typed or chosen
  bool ObjOwnerSupported = false;  // the dataset's IsObjOwnerSupported
  bool QuoteNames = false;         // "Quote Field Names"
  std::vector<std::string> KeyFields;     // selected, in list order
  std::vector<std::string> UpdateFields;  // selected, in list order
};

class TSQLGenerator {
 public:
  // fieldInfo: name = dataset field, value = "table.column"; read here once.
  TSQLGenerator(TSQLGenChoice choice, const rtl::TStrings& fieldInfo);

  // The runtime's quoting, on or off as chosen.
  std::string QuoteName(const std::string& identName) const;
  // The dataset field that shows column `fieldName` of table `tableName`
  // (both compared exactly), or fieldName itself when none does.
  std::string FindFieldAlias(const std::string& tableName, const std::string& fieldName) const;

  void GenerateModifySQL(rtl::TStrings& sql) const;
  void GenerateInsertSQL(rtl::TStrings& sql) const;
  void GenerateDeleteSQL(rtl::TStrings& sql) const;
  void GenerateRefreshSQL(rtl::TStrings& sql) const;

 private:
  struct TColumnKey {
    std::string table;
    std::string column;
    bool operator==(const TColumnKey& other) const { return table == other.table && column == other.column; }
  };
  struct TColumnKeyHash {
    size_t operator()(const TColumnKey& k) const;
  };
  // One selected field as it appears in the statements.
  struct TFieldText {
    std::string name;         // the column, unquoted
    std::string quoted;       // QuoteName(column)
    std::string alias;        // the dataset field's name
    std::string quotedAlias;  // QuoteName(alias)
  };

  void IndexFieldInfo(const rtl::TStrings& fieldInfo);
  std::vector<TFieldText> Describe(const std::vector<std::string>& fields) const;
  void AppendConditions(std::vector<std::string>& lines) const;
  static void AddWithSeparator(std::vector<std::string>& lines, const char* head, const char* separator,
                               std::string entry);
  static void Store(rtl::TStrings& sql, const std::vector<std::string>& lines);

  TSQLGenChoice choice_;
  std::unordered_map<TColumnKey, std::string, TColumnKeyHash> aliases_;
  std::string tableRef_;
  std::vector<TFieldText> keys_;
  std::vector<TFieldText> updates_;
};

}  // namespace dv
