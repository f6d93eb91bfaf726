// TDVTable: the statements that read and write the table's rows. Names
// from the server are quoted; values are always bound.
#include "Errors.h"
#include "db/Field.h"
#include "dralvo/Consts.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "dralvo/Table.h"

namespace dralvo {

std::string TDVTable::SelectSQL() const {
  if (tableName_.empty()) throw rtl::EDatabaseError(DisplayNameForErrors() + ": " + STableNameMissing);
  TDVDatabase* db = Database();
  db->Open();
  TDVConnection& conn = db->Connection();
  TDVTableRef ref = db->FindTableOrRaise(tableName_);
  std::string sql = "select * from " + ref.Quoted;
  std::vector<std::string> keys = CurrentIndexFields();
  std::string where;
  for (int i = 0; i < masterParams_.Count() && i < static_cast<int>(keys.size()); ++i)
    where += (where.empty() ? " where " : " and ") + conn.QuoteName(keys[static_cast<size_t>(i)]) + " = :" +
             masterParams_.Items(i)->Name();
  sql += where;
  std::string order;
  for (const std::string& k : keys) order += (order.empty() ? " order by " : ", ") + conn.QuoteName(k);
  return sql + order;
}

void TDVTable::InternalOpen() {
  // The master's current values limit the rows: the n-th master field
  // matches the n-th field of the current index.
  masterParams_.Clear();
  db::TDataSet* master = MasterSource() != nullptr ? MasterSource()->DataSet() : nullptr;
  std::vector<std::string> masterFields = db::SplitFieldNames(masterFields_);
  if (master == nullptr || masterFields.empty()) {
    TDVDataSet::InternalOpen();
    return;
  }
  const std::string masterName = master->Name().empty() ? master->ClassName() : master->Name();
  if (!master->Active())
    throw rtl::EDatabaseError(DisplayNameForErrors() + ": master field '" + masterFields[0] + "' of " + masterName +
                              " has no value: " + masterName + " is closed");
  for (size_t i = 0; i < masterFields.size(); ++i) {
    db::TParam* p =
        masterParams_.CreateParam(db::TFieldType::ftUnknown, "M" + std::to_string(i + 1), db::TParamType::ptInput);
    const db::TField* field = master->FieldByName(masterFields[i]);
    if (!master->IsEmpty()) p->SetValue(field->Value());
    // No master record, or a null key: bound as null (a type says it was
    // given), it matches no row.
    if (p->IsNull())
      p->SetDataType(field->DataType() != db::TFieldType::ftUnknown ? field->DataType() : db::TFieldType::ftString);
  }
  TDVDataSet::InternalOpen();
}

void TDVTable::InternalPost(db::TUpdateKind kind, const db::TRow& oldRow, const db::TRow& newRow) {
  if (UpdateObject() != nullptr) {
    TDVDataSet::InternalPost(kind, oldRow, newRow);
    return;
  }
  TDVDatabase* db = Database();
  TDVConnection& conn = db->Connection();
  TDVTableRef ref = db->FindTableOrRaise(tableName_);
  db::TParams params;
  std::string sql;
  auto bindNew = [&](int i) {
    std::string name = "N" + std::to_string(i + 1);
    params.CreateParam(Fields(i)->DataType(), name, db::TParamType::ptInput)->SetValue(newRow[static_cast<size_t>(i)]);
    return ":" + name;
  };
  if (kind == db::TUpdateKind::ukInsert) {
    std::string cols, vals;
    for (int i = 0; i < FieldCount(); ++i) {
      if (newRow[static_cast<size_t>(i)].IsNull()) continue;  // let defaults apply
      cols += (cols.empty() ? "" : ", ") + conn.QuoteName(Fields(i)->FieldName());
      vals += (vals.empty() ? "" : ", ") + bindNew(i);
    }
    sql = cols.empty() ? "insert into " + ref.Quoted + " default values"
                       : "insert into " + ref.Quoted + " (" + cols + ") values (" + vals + ")";
  } else {
    std::string set;
    for (int i = 0; i < FieldCount(); ++i)
      if (!(newRow[static_cast<size_t>(i)] == oldRow[static_cast<size_t>(i)]))
        set += (set.empty() ? "" : ", ") + conn.QuoteName(Fields(i)->FieldName()) + " = " + bindNew(i);
    if (set.empty()) return;
    sql = "update " + ref.Quoted + " set " + set;
  }
  if (kind == db::TUpdateKind::ukModify) {
    std::string where;
    db::TIndexDef* key = IndexDefs()->GetPrimary();
    if (key == nullptr) RaiseDatabaseError(SNoPrimaryKey, {DisplayNameForErrors(), tableName_});
    for (const std::string& k : db::SplitFieldNames(key->Fields())) {
      db::TField* f = FieldByName(k);
      std::string name = "O" + std::to_string(f->Index() + 1);
      params.CreateParam(f->DataType(), name, db::TParamType::ptInput)->SetValue(oldRow[static_cast<size_t>(f->Index())]);
      where += (where.empty() ? " where " : " and ") + conn.QuoteName(k) + " = :" + name;
    }
    sql += where;
  }
  TDVResult r = db->Execute(sql, &params);
  if (kind == db::TUpdateKind::ukModify && r.RowsAffected == 0)
    throw rtl::EDatabaseError(DisplayNameForErrors() + ": the record to update was not found");
}

void TDVTable::InternalDelete(const db::TRow& row) {
  if (UpdateObject() != nullptr) {
    TDVDataSet::InternalDelete(row);
    return;
  }
  TDVDatabase* db = Database();
  TDVTableRef ref = db->FindTableOrRaise(tableName_);
  db::TIndexDef* key = IndexDefs()->GetPrimary();
  if (key == nullptr) RaiseDatabaseError(SNoPrimaryKey, {DisplayNameForErrors(), tableName_});
  db::TParams params;
  std::string where;
  for (const std::string& k : db::SplitFieldNames(key->Fields())) {
    db::TField* f = FieldByName(k);
    std::string name = "O" + std::to_string(f->Index() + 1);
    params.CreateParam(f->DataType(), name, db::TParamType::ptInput)->SetValue(row[static_cast<size_t>(f->Index())]);
    where += (where.empty() ? " where " : " and ") + db->Connection().QuoteName(k) + " = :" + name;
  }
  TDVResult r = db->Execute("delete from " + ref.Quoted + where, &params);
  if (r.RowsAffected == 0) throw rtl::EDatabaseError(DisplayNameForErrors() + ": the record to delete was not found");
}

}  // namespace dralvo
