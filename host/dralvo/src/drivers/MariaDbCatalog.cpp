// The MariaDB driver's catalog look-ups, through information_schema with
// the names bound as parameters. Table and database names are matched as
// the server matches them (exactly, or ignoring case when
// lower_case_table_names says so); column names always ignore case.
#include <algorithm>
#include <map>

#include "MariaDbConnection.h"
#include "dralvo/SchemaInfo.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
// information_schema compares without case; the server may not.
bool SameStoredName(const std::string& stored, const std::string& typed, bool caseBlind) {
  return caseBlind ? rtl::AnsiSameText(stored, typed) : stored == typed;
}

db::TFieldType FieldTypeOfTypeName(const std::string& name) {
  std::string t = rtl::LowerCase(name);
  if (t == "tinyint" || t == "smallint" || t == "year") return db::TFieldType::ftSmallint;
  if (t == "int" || t == "mediumint") return db::TFieldType::ftInteger;
  if (t == "bigint") return db::TFieldType::ftLargeint;
  if (t == "float" || t == "double" || t == "decimal") return db::TFieldType::ftFloat;
  if (t == "date") return db::TFieldType::ftDate;
  if (t == "time") return db::TFieldType::ftTime;
  if (t == "datetime" || t == "timestamp") return db::TFieldType::ftDateTime;
  if (t.find("blob") != std::string::npos) return db::TFieldType::ftBlob;
  if (t.find("text") != std::string::npos) return db::TFieldType::ftMemo;
  return db::TFieldType::ftString;
}
}  // namespace

bool TMariaDbConnection::LookupTable(const std::string& schema, const std::string& name, TDVTableRef& ref) {
  TDVResult r = Execute(
      "select table_schema, table_name from information_schema.TABLES where table_schema = " +
          std::string(schema.empty() ? "database()" : "?") + " and table_name = ?",
      schema.empty() ? std::vector<db::TValue>{db::TValue(name)} : std::vector<db::TValue>{schema, name});
  // The exact spelling first; another spelling only where the server
  // ignores case.
  const std::vector<db::TValue>* found = nullptr;
  for (auto& row : r.Rows)
    if (row[1].AsString() == name && (schema.empty() || row[0].AsString() == schema)) found = &row;
  if (found == nullptr)
    for (auto& row : r.Rows)
      if (SameStoredName(row[1].AsString(), name, caseBlindTables_) &&
          (schema.empty() || SameStoredName(row[0].AsString(), schema, caseBlindTables_)))
        found = found == nullptr ? &row : found;
  if (found == nullptr) return false;
  ref = TDVTableRef{};
  ref.Schema = (*found)[0].AsString();
  ref.Name = (*found)[1].AsString();
  ref.Quoted = QuoteName(ref.Schema) + "." + QuoteName(ref.Name);
  return true;
}

void TMariaDbConnection::GetTableNames(const std::string& pattern, bool systemTables,
                                       std::vector<std::string>& names) {
  // The current database's tables and views; without one, every
  // database's, qualified.
  std::string sql =
      "select if(table_schema = database(), table_name, concat(table_schema, '.', table_name))"
      " from information_schema.TABLES where (table_schema = database() or database() is null)";
  if (!systemTables)
    sql += " and table_schema not in ('information_schema', 'mysql', 'performance_schema', 'sys')";
  std::vector<db::TValue> args;
  if (!pattern.empty()) {
    sql += " and table_name like ?";
    args.emplace_back(pattern);
  }
  names = Column(sql + " order by 1", args);
}

void TMariaDbConnection::GetFieldNames(const TDVTableRef& table, std::vector<std::string>& names) {
  TDVResult r = Execute(
      "select table_name, column_name from information_schema.COLUMNS where table_schema = ? and table_name = ?"
      " order by ordinal_position",
      {table.Schema, table.Name});
  names.clear();
  for (auto& row : r.Rows)
    if (row[0].AsString() == table.Name) names.push_back(row[1].AsString());
}

void TMariaDbConnection::GetNotNullColumns(const TDVTableRef& table, std::vector<std::string>& names) {
  TDVResult r = Execute(
      "select table_name, column_name from information_schema.COLUMNS where table_schema = ? and table_name = ?"
      " and is_nullable = 'NO' order by ordinal_position",
      {table.Schema, table.Name});
  names.clear();
  for (auto& row : r.Rows)
    if (row[0].AsString() == table.Name) names.push_back(row[1].AsString());
}

// Rows in the server's key order (the primary key first, then unique keys),
// which only SHOW INDEX gives; the name is quoted. A unique index over a
// column that may be null admits several rows with null there, so it pins
// no row and is shown as a plain index.
void TMariaDbConnection::GetIndexColumns(const TDVTableRef& table, std::vector<TDVIndexColumn>& rows) {
  enum { kNonUnique = 1, kKeyName = 2, kSeq = 3, kColumn = 4, kNull = 9 };
  TDVResult r = Execute("show index from " + QuoteName(table.Schema) + "." + QuoteName(table.Name), {});
  std::map<std::string, bool> nullable;
  for (auto& row : r.Rows) nullable[row[kKeyName].AsString()] |= row[kNull].AsString() == "YES";
  rows.clear();
  for (auto& row : r.Rows) {
    TDVIndexColumn c;
    c.IndexName = row[kKeyName].AsString();
    c.ColumnName = row[kColumn].AsString();
    c.Position = static_cast<int>(row[kSeq].AsInteger());
    if (c.IndexName == "PRIMARY")
      c.IndexType = IndexTypePrimary | IndexTypeUnique;
    else if (row[kNonUnique].AsInteger() == 0 && !nullable[c.IndexName])
      c.IndexType = IndexTypeUnique;
    rows.push_back(std::move(c));
  }
}

void TMariaDbConnection::GetPrimaryKeyColumns(const TDVTableRef& table, std::vector<std::string>& names) {
  std::vector<TDVIndexColumn> rows;
  GetIndexColumns(table, rows);
  std::vector<const TDVIndexColumn*> key;
  for (const TDVIndexColumn& c : rows)
    if ((c.IndexType & IndexTypePrimary) != 0) key.push_back(&c);
  std::sort(key.begin(), key.end(), [](auto* a, auto* b) { return a->Position < b->Position; });
  names.clear();
  for (auto* c : key) names.push_back(c->ColumnName);
}

// The engine of the table, and whether the server says that engine has
// transactions (information_schema.ENGINES): MyISAM, Aria, MEMORY and the
// like keep what was written whatever the transaction does. A view's
// tables are not in the catalog, so a view is not taken on trust.
std::string TMariaDbConnection::WhyNotRolledBack(const std::string& name) {
  if (name.empty()) return "the statement's table cannot be read from its text, so whether a rollback undoes its changes is not known";
  TDVTableRef table;
  if (!FindTable(name, table))
    return "table " + name + " is not in the catalog, so whether a rollback undoes changes to it is not known";
  TDVResult r = Execute(
      "select t.table_schema, t.table_name, t.table_type, t.engine, e.transactions from information_schema.TABLES t"
      " left join information_schema.ENGINES e on e.engine = t.engine where t.table_schema = ? and t.table_name = ?",
      {table.Schema, table.Name});
  for (const auto& row : r.Rows) {
    // information_schema compares without case; the table is the one spelt exactly.
    if (row[0].AsString() != table.Schema || row[1].AsString() != table.Name) continue;
    if (row[2].AsString() == "VIEW")
      return name + " is a view: the catalog does not say which tables it writes, nor whether their engines roll back";
    if (row[4].AsString() != "YES")
      return "table " + name + " uses the " + row[3].AsString() + " engine, which has no transactions: a rollback would not undo its changes";
  }
  return {};
}

void TMariaDbConnection::GetStoredProcNames(std::vector<std::string>& names) {
  names = Column(
      "select routine_name from information_schema.ROUTINES where routine_schema = database()"
      " and routine_type in ('PROCEDURE', 'FUNCTION') order by 1",
      {});
}

bool TMariaDbConnection::LookupStoredProc(const std::string& schema, const std::string& routine, TDVProcDesc& desc) {
  std::string where = std::string(" where specific_schema = ") + (schema.empty() ? "database()" : "?") +
                      " and specific_name = ?";
  std::vector<db::TValue> args;
  if (!schema.empty()) args.emplace_back(schema);
  args.emplace_back(routine);
  TDVResult kind = Execute(
      "select routine_schema, routine_name, routine_type from information_schema.ROUTINES where routine_schema = " +
          std::string(schema.empty() ? "database()" : "?") + " and routine_name = ?",
      args);
  if (kind.Rows.empty()) return false;
  desc = TDVProcDesc{};
  desc.CallName = QuoteName(kind.Rows[0][0].AsString()) + "." + QuoteName(kind.Rows[0][1].AsString());
  desc.IsProcedure = kind.Rows[0][2].AsString() == "PROCEDURE";
  desc.ReturnsSet = desc.IsProcedure;
  desc.ScalarFunction = !desc.IsProcedure;
  TDVResult params = Execute(
      "select ordinal_position, parameter_mode, parameter_name, data_type from information_schema.PARAMETERS" + where +
          " order by ordinal_position",
      args);
  for (auto& row : params.Rows) {
    TDVProcParam p;
    p.DataType = FieldTypeOfTypeName(row[3].AsString());
    if (row[0].AsInteger() == 0) {  // a function's result
      p.Name = "Result";
      p.ParamType = db::TParamType::ptResult;
    } else {
      p.Name = row[2].AsString();
      std::string mode = row[1].AsString();
      p.ParamType = mode == "OUT"     ? db::TParamType::ptOutput
                    : mode == "INOUT" ? db::TParamType::ptInputOutput
                                      : db::TParamType::ptInput;
    }
    desc.Params.push_back(std::move(p));
  }
  return true;
}

}  // namespace dralvo
