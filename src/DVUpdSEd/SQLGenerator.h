#pragma once
// The four update statements of an update object, generated from a table,
// key fields, update fields and the field info of the dataset's SQL. No
// widgets: the editor form hands in what its controls hold.
//
// Key fields appear only with "OLD_" parameters, update fields only with
// plain ones; parameters are named after the dataset fields that show the
// columns (FindFieldAlias).
#include <memory>
#include <string>
#include <vector>

#include "DVUpdSEd/FieldAliases.h"
#include "dralvo/NameRules.h"
#include "rtl/text/LineText.h"
#include "rtl/text/Strings.h"

namespace dv {

struct TSQLGenChoice {
  std::string TableText;           // exactly as typed or chosen
  bool ObjOwnerSupported = false;  // the dataset's IsObjOwnerSupported
  bool QuoteNames = false;         // "Quote Field Names"
  // How the server reads bare names and which quotes it takes: with
  // QuoteNames off, a name it would misread is quoted all the same. Null: no
  // server known, names as they are, or in double quotes when asked.
  std::shared_ptr<const dralvo::TDVNameRules> NameRules;
  std::vector<std::string> KeyFields;     // selected, in list order
  std::vector<std::string> UpdateFields;  // selected, in list order
};

class TSQLGenerator {
 public:
  // fieldInfo: name = dataset field, value = "table.column"; read here once.
  TSQLGenerator(TSQLGenChoice choice, const rtl::TStrings& fieldInfo);
  // With field info already indexed (shared, it is only read).
  TSQLGenerator(TSQLGenChoice choice, std::shared_ptr<const TFieldAliases> aliases);
  // Field texts point into the generator's own choice: moved, never copied.
  TSQLGenerator(TSQLGenerator&&) = default;
  TSQLGenerator(const TSQLGenerator&) = delete;
  TSQLGenerator& operator=(const TSQLGenerator&) = delete;

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
  // One selected field as it appears in the statements. The names point
  // into choice_ and the alias index, which live as long as the generator;
  // quoted forms are kept only when quoting changes them.
  struct TFieldText {
    const std::string* name = nullptr;   // the column, unquoted
    const std::string* alias = nullptr;  // the dataset field's name
    bool quoteName = false;              // the column is written quoted
    bool quoteAlias = false;             // so are its parameters and label
    std::string quotedName;              // the quoted column, when quoted
    std::string quotedAlias;             // the quoted alias, when quoted
  };
  static const std::string& Quoted(const TFieldText& f) { return f.quoteName ? f.quotedName : *f.name; }
  static const std::string& QuotedAlias(const TFieldText& f) { return f.quoteAlias ? f.quotedAlias : *f.alias; }

  std::vector<TFieldText> Describe(const std::vector<std::string>& fields) const;
  rtl::TLineText Conditions() const;

  TSQLGenChoice choice_;
  std::shared_ptr<const TFieldAliases> aliases_;
  std::string tableRef_;
  std::vector<TFieldText> keys_;
  std::vector<TFieldText> updates_;
  rtl::TLineText conditions_;  // "where" and one line per key field
};

}  // namespace dv
