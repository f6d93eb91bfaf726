#include "UpdateRun.h"

#include <algorithm>

#include "dralvo/Monitor.h"
#include "drivers/Driver.h"
#include "rtl/system/SysUtils.h"
#include "sql/StatementKind.h"
#include "sql/UpdateStatement.h"

namespace dralvo::update {

namespace {
constexpr const char* kSlotNames[] = {"refresh", "modify", "insert", "delete"};
// The one kind of statement each slot runs.
constexpr const char* kSlotVerbs[] = {"select", "update", "insert", "delete"};
}  // namespace

const char* SlotName(int slot) { return kSlotNames[slot]; }

int SlotOf(db::TUpdateKind kind) {
  switch (kind) {
    case db::TUpdateKind::ukModify: return kModify;
    case db::TUpdateKind::ukInsert: return kInsert;
    case db::TUpdateKind::ukDelete: return kDelete;
  }
  return kModify;
}

int TFields::IndexOf(const std::string& name) const {
  for (size_t i = 0; i < Names.size(); ++i)
    if (rtl::AnsiSameText(Names[i], name)) return static_cast<int>(i);
  return -1;
}

std::string WhyNotRunnable(const TDVDataSetUpdateObject& update, int slot, const sql::LexicalRules& lexis) {
  const std::string text = update.GetSQLIndex(slot)->Text();
  const std::string its = std::string("its ") + kSlotNames[slot] + " statement ";
  if (rtl::Trim(text).empty()) return its + "is empty";
  const sql::StatementKind kind = sql::ReadStatementKind(text, lexis);
  if (kind.statements > 1)
    return its + "holds " + std::to_string(kind.statements) + " statements; it must be one " + kSlotVerbs[slot];
  if (kind.verb != kSlotVerbs[slot])
    return its + "is a " + kind.verb + " statement; it must be one " + kSlotVerbs[slot];
  return {};
}

std::string Bind(const std::string& text, const sql::LexicalRules& lexis, const TFields& fields,
                 const db::TRow& oldRow, const db::TRow& newRow, db::TParams& params,
                 std::vector<TDVParamField>* sources) {
  auto find = [&fields](const std::string& name) { return fields.IndexOf(name); };
  for (const sql::ParamRef& ref : sql::FindParams(text, lexis)) {
    if (params.FindParam(ref.name) != nullptr) continue;
    const TDVParamField source = FieldOfUpdateParam(ref.name, find);
    if (source.Index < 0) return ref.name;
    const auto field = static_cast<size_t>(source.Index);
    const db::TRow& row = source.Old ? oldRow : newRow;
    params.CreateParam(fields.Types[field], ref.name, db::TParamType::ptInput)
        ->SetValue(field < row.size() ? row[field] : db::TValue());
    if (sources != nullptr) sources->push_back(source);
  }
  return {};
}

std::string WhyNotRolledBack(TDVConnection& conn, const std::vector<std::string>& texts) {
  std::vector<std::string> asked;
  for (const std::string& text : texts) {
    const sql::UpdateStatement st = sql::ReadUpdateStatement(text, sql::Tokenize(text, conn.Lexis()));
    const std::string table = st.ok ? st.table : std::string();
    if (std::find(asked.begin(), asked.end(), table) != asked.end()) continue;
    asked.push_back(table);
    if (std::string why = conn.WhyNotRolledBack(table); !why.empty()) return why;
  }
  return {};
}

TDVResult Run(TDVConnection& conn, const std::string& databaseName, const std::string& text,
              const db::TParams& params) {
  const sql::PositionalSql positional = conn.Positional(text);
  std::vector<db::TValue> values;
  values.reserve(positional.names.size());
  for (const std::string& name : positional.names) values.push_back(params.ParamByName(name)->BoundValue());
  NotifyMonitors(databaseName, text);
  return conn.Execute(positional.sql, values);
}

}  // namespace dralvo::update
