#pragma once
// Running an update object's statements on the runtime's own, as try does
// on one row and applying cached updates does for each change: each slot
// must hold one statement of its own kind (anything else might commit by
// itself), parameters are bound from rows of values as Apply binds a
// record's, and a table a rollback would not restore is found before
// anything runs.
#include <string>
#include <vector>

#include "db/DataSet.h"
#include "db/Params.h"
#include "dralvo/Result.h"
#include "dralvo/SqlParser.h"
#include "dralvo/UpdateSQL.h"

namespace dralvo {

class TDVConnection;

namespace update {

constexpr int kRefresh = 0;
constexpr int kModify = 1;
constexpr int kInsert = 2;
constexpr int kDelete = 3;
// "refresh", "modify", "insert", "delete".
const char* SlotName(int slot);
int SlotOf(db::TUpdateKind kind);

// The fields of the rows bound, in the rows' order.
struct TFields {
  std::vector<std::string> Names;
  std::vector<db::TFieldType> Types;
  int IndexOf(const std::string& name) const;  // ignoring case; -1 when none
};

// Why the object's statement in `slot` cannot run as one statement of its
// kind ("its insert statement is empty"); empty when it can.
std::string WhyNotRunnable(const TDVDataSetUpdateObject& update, int slot, const sql::LexicalRules& lexis);

// Binds each parameter of `text` once: plain ones from `newRow`, OLD_ ones
// from `oldRow` (FieldOfUpdateParam). The first parameter that is no field
// ("OLD_order_no"), or empty when all are bound. `sources` (may be null)
// gets where each parameter, in the order of `params`, was taken from.
std::string Bind(const std::string& text, const sql::LexicalRules& lexis, const TFields& fields,
                 const db::TRow& oldRow, const db::TRow& newRow, db::TParams& params,
                 std::vector<TDVParamField>* sources = nullptr);

// Why a rollback would leave what one of the statements changed in place,
// as the driver says of their tables; empty when it would not.
std::string WhyNotRolledBack(TDVConnection& conn, const std::vector<std::string>& texts);

// Runs `text` on `conn` with `params` bound to its markers, told to the
// monitors under the database's name.
TDVResult Run(TDVConnection& conn, const std::string& databaseName, const std::string& text,
              const db::TParams& params);

}  // namespace update
}  // namespace dralvo
