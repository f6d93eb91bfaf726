// Stored procedures and functions of PostgreSQL, described from pg_proc.
#include <libpq-fe.h>

#include <memory>

#include "PgConnection.h"
#include "PgTypes.h"

namespace dralvo {

namespace {
db::TParamType ParamTypeOfMode(char mode) {
  switch (mode) {
    case 'o':
    case 't':
      return db::TParamType::ptOutput;
    case 'b':
      return db::TParamType::ptInputOutput;
    default:
      return db::TParamType::ptInput;
  }
}
}  // namespace

bool TPgConnection::LookupStoredProc(const std::string& schema, const std::string& proc, TDVProcDesc& desc) {
  static const std::string kSelect =
      "select p.oid::int8, p.prokind, p.proretset, n.nspname, p.proname, p.prorettype::int8"
      " from pg_proc p join pg_namespace n on n.oid = p.pronamespace where p.prokind in ('f', 'p') and ";
  // Overloads: the oldest one of that name is described.
  std::vector<db::TValue> lookupArgs{db::TValue(proc)};
  std::string sql = kSelect + "p.proname = $1 and pg_function_is_visible(p.oid) order by p.oid limit 1";
  if (!schema.empty()) {
    sql = kSelect + "p.proname = $1 and n.nspname = $2 order by p.oid limit 1";
    lookupArgs.emplace_back(schema);
  }
  TDVResult r = Execute(sql, lookupArgs);
  if (r.Rows.empty()) return false;
  std::vector<std::string> found;
  for (const auto& v : r.Rows[0]) found.push_back(v.AsString());

  desc = TDVProcDesc{};
  desc.CallName = QuoteName(found[3]) + "." + QuoteName(found[4]);
  desc.IsProcedure = found[1] == "p";
  desc.ReturnsSet = found[2] == "1";
  TDVResult args = Execute(
      "select coalesce(p.proargnames[a.ord], ''), coalesce(p.proargmodes[a.ord], 'i'), a.typ::int8, a.ord"
      " from pg_proc p cross join lateral"
      " unnest(coalesce(p.proallargtypes, p.proargtypes::oid[])) with ordinality as a(typ, ord)"
      " where p.oid = $1::oid order by a.ord",
      {db::TValue(found[0])});
  bool hasOutput = false;
  for (const auto& row : args.Rows) {
    TDVProcParam p;
    p.Name = row[0].AsString().empty() ? "P" + row[3].AsString() : row[0].AsString();
    p.ParamType = ParamTypeOfMode(row[1].AsString().empty() ? 'i' : row[1].AsString()[0]);
    p.DataType = FieldTypeOfPgType(static_cast<unsigned>(row[2].AsInteger()));
    hasOutput = hasOutput || p.ParamType != db::TParamType::ptInput;
    desc.Params.push_back(std::move(p));
  }
  constexpr int64_t kVoid = 2278;
  if (!desc.IsProcedure && !hasOutput && !desc.ReturnsSet && std::stoll(found[5]) != kVoid) {
    TDVProcParam result;
    result.Name = "Result";
    result.ParamType = db::TParamType::ptResult;
    result.DataType = FieldTypeOfPgType(static_cast<unsigned>(std::stoul(found[5])));
    desc.Params.insert(desc.Params.begin(), result);
  }
  return true;
}

}  // namespace dralvo
