// TDVDataSet::ParseFieldInfoFromSQL: which table column each field of a
// SELECT shows. The text gives names as written; the server's description
// of the prepared statement settles what the text cannot ("*", unqualified
// columns of a join).
#include <algorithm>
#include <optional>
#include <unordered_set>

#include "drivers/NameParts.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "dralvo/SqlParser.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
// The bare last part of a table name, for comparing a written name with
// the server's.
std::string BareName(const std::string& name) {
  std::vector<TNamePart> parts = SplitObjectName(name);
  return parts.empty() ? rtl::Trim(name) : parts.back().Text;
}

// The table as written in FROM for a table the server names, or the
// server's name when the text does not name it.
std::string WrittenTable(const sql::ParsedSelect& parsed, const std::string& serverTable) {
  for (const sql::TableEntry& t : parsed.tables)
    if (rtl::AnsiSameText(BareName(t.table), BareName(serverTable))) return t.table;
  return serverTable;
}

std::optional<std::vector<TDVColumnDesc>> DescribeOnServer(const TDVDataSet& ds, const std::string& text) {
  TDVDatabase* db = ds.FindDatabase();
  if (db == nullptr || !db->Connected()) return std::nullopt;
  TDVConnection& conn = db->Connection();
  try {
    return conn.Describe(conn.Positional(text).sql);
  } catch (const rtl::EDatabaseError&) {
    return std::nullopt;  // the text alone must do
  }
}

// Server columns in select-list order, matched to the list's items: an
// item gives one column, a star as many as are left for it.
void FromServer(const sql::ParsedSelect& parsed, const std::vector<TDVColumnDesc>& cols, rtl::TStrings* fieldInfo) {
  struct Item {
    const sql::SelectField* field = nullptr;
    const sql::StarItem* star = nullptr;
  };
  std::vector<Item> items;
  for (const auto& f : parsed.fields) items.push_back({&f, nullptr});
  for (const auto& s : parsed.stars) items.push_back({nullptr, &s});
  std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    return (a.field ? a.field->position : a.star->position) < (b.field ? b.field->position : b.star->position);
  });
  std::unordered_set<std::string> usedNames;  // case-folded
  auto add = [&](const TDVColumnDesc& col, const std::string& value) {
    // The dataset numbers repeated column names; so does its field info.
    std::string name = col.Name;
    for (int n = 1; !usedNames.insert(rtl::AnsiFoldCase(name)).second; ++n) name = col.Name + "_" + std::to_string(n);
    if (!value.empty()) fieldInfo->Add(name + "=" + value);
  };
  size_t c = 0;
  for (size_t i = 0; i < items.size() && c < cols.size(); ++i) {
    if (items[i].field != nullptr) {
      const sql::SelectField& f = *items[i].field;
      const TDVColumnDesc& col = cols[c++];
      std::string value = f.value;
      if (value.empty() && !col.Table.empty() && f.kind == sql::FieldKind::Column)
        value = WrittenTable(parsed, col.Table) + "." + col.Column;
      add(col, value);
      continue;
    }
    size_t laterItems = items.size() - i - 1;
    size_t room = cols.size() - c > laterItems ? cols.size() - c - laterItems : 0;
    bool lastStar = true;
    for (size_t k = i + 1; k < items.size(); ++k) lastStar = lastStar && items[k].star == nullptr;
    std::string firstTable = c < cols.size() ? cols[c].Table : std::string();
    for (size_t taken = 0; taken < room && c < cols.size(); ++taken) {
      const TDVColumnDesc& col = cols[c];
      if (!lastStar && taken > 0 && col.Table != firstTable) break;
      ++c;
      std::string table = !items[i].star->table.empty() ? items[i].star->table : WrittenTable(parsed, col.Table);
      add(col, col.Table.empty() ? std::string() : table + "." + col.Column);
    }
  }
}
}  // namespace

void TDVDataSet::ParseFieldInfoFromSQL(const std::string& sql, rtl::TStrings* fieldInfo, rtl::TStrings* tableInfo,
                                       rtl::TStrings* third) const {
  // Read as the dataset's server reads it; with no database, as any would.
  const TDVDatabase* db = FindDatabase();
  sql::ParsedSelect parsed = sql::ParseSelect(sql, db != nullptr ? db->LexicalRules() : sql::LexicalRules{});
  if (fieldInfo != nullptr) fieldInfo->Clear();
  if (tableInfo != nullptr) tableInfo->Clear();
  if (third != nullptr) third->Clear();
  for (const sql::TableEntry& t : parsed.tables) {
    if (tableInfo != nullptr) tableInfo->Add(t.alias + "=" + t.table);
    if (third != nullptr && third->IndexOf(t.table) < 0) third->Add(t.table);
  }
  if (fieldInfo == nullptr) return;
  std::optional<std::vector<TDVColumnDesc>> cols = parsed.ok ? DescribeOnServer(*this, sql) : std::nullopt;
  if (cols) {
    FromServer(parsed, *cols, fieldInfo);
    return;
  }
  for (const sql::SelectField& f : parsed.fields)
    if (!f.name.empty() && !f.value.empty()) fieldInfo->Add(f.name + "=" + f.value);
}

}  // namespace dralvo
