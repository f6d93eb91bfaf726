// The Firebird driver's catalog look-ups, from the system tables with names
// bound as parameters. Names are stored as the server reads them (bare ones
// in upper case) and matched exactly; the stored names are padded with
// blanks, which reading a CHAR value cuts off (FirebirdSqlda.cpp). Names are
// listed quoted where Firebird would not read them back bare, so that a
// listed name finds its own table.
#include <algorithm>
#include <set>

#include "FirebirdConnection.h"
#include "dralvo/SchemaInfo.h"

namespace dralvo {

namespace {
// A column type of RDB$FIELDS (RDB$FIELD_TYPE, RDB$FIELD_SCALE,
// RDB$FIELD_SUB_TYPE) as the runtime's field type.
db::TFieldType FieldTypeOfCatalog(int64_t type, int64_t scale, int64_t subType) {
  switch (type) {
    case 7:
      return scale < 0 ? db::TFieldType::ftFloat : db::TFieldType::ftSmallint;
    case 8:
      return scale < 0 ? db::TFieldType::ftFloat : db::TFieldType::ftInteger;
    case 16:
      return scale < 0 ? db::TFieldType::ftFloat : db::TFieldType::ftLargeint;
    case 10:
    case 11:
    case 27:
      return db::TFieldType::ftFloat;
    case 12:
      return db::TFieldType::ftDate;
    case 13:
      return db::TFieldType::ftTime;
    case 35:
      return db::TFieldType::ftDateTime;
    case 23:
      return db::TFieldType::ftBoolean;
    case 261:
      return subType == 1 ? db::TFieldType::ftMemo : db::TFieldType::ftBlob;
    default:
      return db::TFieldType::ftString;
  }
}

constexpr const char* kUserRelations = " coalesce(rdb$system_flag, 0) = 0";
}  // namespace

bool TFirebirdConnection::LookupTable(const std::string& schema, const std::string& name, TDVTableRef& ref) {
  if (!schema.empty() || name.empty()) return false;  // Firebird has no schemas
  std::vector<std::string> found =
      Column("select rdb$relation_name from rdb$relations where rdb$relation_name = ?", {name});
  if (found.empty() || found[0] != name) return false;
  ref = TableRef("", found[0]);
  return true;
}

void TFirebirdConnection::GetTableNames(const std::string& pattern, bool systemTables,
                                        std::vector<std::string>& names) {
  std::string sql = "select rdb$relation_name from rdb$relations where";
  sql += systemTables ? " 1 = 1" : kUserRelations;
  std::vector<db::TValue> args;
  if (!pattern.empty()) {
    sql += " and trim(trailing from rdb$relation_name) like ?";
    args.emplace_back(pattern);
  }
  names = Column(sql + " order by rdb$relation_name", args);
  std::shared_ptr<const TDVNameRules> rules = NameRules();
  for (std::string& n : names)
    if (rules->NeedsQuotes(n)) n = rules->Quote(n);
}

void TFirebirdConnection::GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) {
  names = Column(
      "select rdb$field_name from rdb$relation_fields where rdb$relation_name = ?"
      " order by rdb$field_position",
      {table.Name});
}

void TFirebirdConnection::GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) {
  // NOT NULL on the column, or on the domain it takes its type from.
  names = Column(
      "select r.rdb$field_name from rdb$relation_fields r"
      " join rdb$fields f on f.rdb$field_name = r.rdb$field_source"
      " where r.rdb$relation_name = ? and coalesce(r.rdb$null_flag, f.rdb$null_flag, 0) = 1"
      " order by r.rdb$field_position",
      {table.Name});
}

// Rows of the primary key first, then of the other indexes in the order
// they were made, so that the first unique one gives the key where there
// is no primary key. A unique index over a column that may be null admits
// several rows with null there, so it pins no row and is shown as a plain
// index; so are an inactive one and one over an expression.
void TFirebirdConnection::GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) {
  TDVResult r = Read(
      "select i.rdb$index_name, s.rdb$field_name,"
      " coalesce(s.rdb$field_position, 0) + 1, coalesce(i.rdb$unique_flag, 0), coalesce(i.rdb$index_inactive, 0),"
      " case when c.rdb$constraint_type = 'PRIMARY KEY' then 1 else 0 end"
      " from rdb$indices i"
      " left join rdb$index_segments s on s.rdb$index_name = i.rdb$index_name"
      " left join rdb$relation_constraints c on c.rdb$index_name = i.rdb$index_name"
      " where i.rdb$relation_name = ?"
      " order by 6 desc, i.rdb$index_id, 3",
      {table.Name});
  std::vector<std::string> notNullList;
  GetNotNullColumns(table, notNullList);
  const std::set<std::string> notNull(notNullList.begin(), notNullList.end());
  std::set<std::string> pinsNoRow;  // unique indexes that cannot be keys
  for (const auto& row : r.Rows)
    if (row[1].IsNull() || row[4].AsInteger() != 0 || notNull.count(row[1].AsString()) == 0)
      pinsNoRow.insert(row[0].AsString());
  rows.clear();
  for (const auto& row : r.Rows) {
    TDVIndexColumn c;
    c.IndexName = row[0].AsString();
    c.ColumnName = row[1].AsString();
    c.Position = static_cast<int>(row[2].AsInteger());
    if (row[5].AsInteger() != 0)
      c.IndexType = IndexTypePrimary | IndexTypeUnique;
    else if (row[3].AsInteger() != 0 && pinsNoRow.count(c.IndexName) == 0)
      c.IndexType = IndexTypeUnique;
    rows.push_back(std::move(c));
  }
}

void TFirebirdConnection::GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) {
  names = Column(
      "select s.rdb$field_name from rdb$relation_constraints c"
      " join rdb$index_segments s on s.rdb$index_name = c.rdb$index_name"
      " where c.rdb$relation_name = ? and c.rdb$constraint_type = 'PRIMARY KEY' order by s.rdb$field_position",
      {table.Name});
}

void TFirebirdConnection::GetStoredProcNames(std::vector<std::string>& names) {
  names = Column(
      "select rdb$procedure_name from rdb$procedures where" + std::string(kUserRelations) +
          " and rdb$package_name is null order by rdb$procedure_name",
      {});
  std::shared_ptr<const TDVNameRules> rules = NameRules();
  for (std::string& n : names)
    if (rules->NeedsQuotes(n)) n = rules->Quote(n);
}

// A selectable procedure (one that suspends rows) is read with a select;
// an executable one runs with EXECUTE PROCEDURE and answers with one row
// of its outputs.
bool TFirebirdConnection::LookupStoredProc(const std::string& schema, const std::string& name, TDVProcDesc& desc) {
  if (!schema.empty() || name.empty()) return false;
  TDVResult kind = Read(
      "select rdb$procedure_name, coalesce(rdb$procedure_type, 2) from rdb$procedures"
      " where rdb$procedure_name = ? and rdb$package_name is null",
      {name});
  if (kind.Rows.empty() || kind.Rows[0][0].AsString() != name) return false;
  desc = TDVProcDesc{};
  desc.CallName = QuoteName(name);
  desc.ReturnsSet = kind.Rows[0][1].AsInteger() == 1;
  desc.ExecuteProcedure = !desc.ReturnsSet;
  TDVResult params = Read(
      "select p.rdb$parameter_name, p.rdb$parameter_type, f.rdb$field_type,"
      " coalesce(f.rdb$field_scale, 0), coalesce(f.rdb$field_sub_type, 0)"
      " from rdb$procedure_parameters p join rdb$fields f on f.rdb$field_name = p.rdb$field_source"
      " where p.rdb$procedure_name = ? and p.rdb$package_name is null"
      " order by p.rdb$parameter_type, p.rdb$parameter_number",
      {name});
  for (const auto& row : params.Rows) {
    TDVProcParam p;
    p.Name = row[0].AsString();
    p.ParamType = row[1].AsInteger() == 0 ? db::TParamType::ptInput : db::TParamType::ptOutput;
    p.DataType = FieldTypeOfCatalog(row[2].AsInteger(), row[3].AsInteger(), row[4].AsInteger());
    desc.Params.push_back(std::move(p));
  }
  return true;
}

}  // namespace dralvo
