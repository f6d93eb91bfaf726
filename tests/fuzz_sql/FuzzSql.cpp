// Fuzz entry: any bytes go through the tokenizer, the SELECT parser and the
// parameter scanner. Besides crashes and hangs it stops on results that
// break their own promises.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dralvo/SqlParser.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckSelect(const std::string& sql) {
  using namespace dralvo::sql;
  ParsedSelect r = ParseSelect(sql);
  Require(r.hasStar == !r.stars.empty());
  if (!r.ok) Require(r.fields.empty() && r.tables.empty() && r.stars.empty());
  for (const TableEntry& t : r.tables) Require(!t.alias.empty() && !t.table.empty());
  for (const SelectField& f : r.fields) {
    Require(f.value.empty() == f.table.empty());
    if (!f.table.empty()) Require(f.kind == FieldKind::Column && f.value == f.table + "." + f.column);
  }
}

void CheckParams(const std::string& sql) {
  using namespace dralvo::sql;
  size_t end = 0;
  auto params = FindParams(sql);
  for (const ParamRef& p : params) {
    Require(p.offset >= end && p.offset + p.length <= sql.size() && sql[p.offset] == ':');
    end = p.offset + p.length;
  }
  Require(ToPositionalParams(sql, ParamMarker::Question).names.size() == params.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string sql(reinterpret_cast<const char*>(data), size);
  CheckSelect(sql);
  CheckParams(sql);
  return 0;
}
