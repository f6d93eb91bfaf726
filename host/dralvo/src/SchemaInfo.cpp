// TDVDatabase::GetSchemaInfo: catalog answers as datasets.
#include "db/MemDataSet.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"

namespace dralvo {

namespace {
std::unique_ptr<db::TMemDataSet> NameList(const char* column, const std::vector<std::string>& names) {
  auto ds = std::make_unique<db::TMemDataSet>();
  ds->FieldDefs()->AddFieldDef(column, db::TFieldType::ftString);
  for (const std::string& n : names) ds->AddRecord({db::TValue(n)});
  return ds;
}
}  // namespace

std::unique_ptr<db::TDataSet> TDVDatabase::GetSchemaInfo(TDVSchemaType kind, const std::string& object) {
  Open();
  TDVConnection& conn = Connection();
  std::unique_ptr<db::TMemDataSet> ds;
  std::vector<std::string> names;
  switch (kind) {
    case TDVSchemaType::stTables:
    case TDVSchemaType::stSysTables:
      conn.GetTableNames(object, kind == TDVSchemaType::stSysTables, names);
      ds = NameList("TABLE_NAME", names);
      break;
    case TDVSchemaType::stProcedures:
      conn.GetStoredProcNames(names);
      ds = NameList("PROCEDURE_NAME", names);
      break;
    case TDVSchemaType::stColumns: {
      TDVTableRef ref;
      if (!conn.FindTable(object, ref)) return nullptr;
      conn.GetFieldNames(ref, names);
      ds = NameList("COLUMN_NAME", names);
      break;
    }
    case TDVSchemaType::stProcedureParams: {
      TDVProcDesc desc;
      if (!conn.SupportsStoredProcs() || !conn.DescribeStoredProc(object, desc)) return nullptr;
      ds = std::make_unique<db::TMemDataSet>();
      ds->FieldDefs()->AddFieldDef("PARAMETER_NAME", db::TFieldType::ftString);
      ds->FieldDefs()->AddFieldDef("PARAMETER_TYPE", db::TFieldType::ftInteger);
      ds->FieldDefs()->AddFieldDef("DATA_TYPE", db::TFieldType::ftInteger);
      for (const TDVProcParam& p : desc.Params)
        ds->AddRecord({db::TValue(p.Name), db::TValue(static_cast<int64_t>(p.ParamType)),
                       db::TValue(static_cast<int64_t>(p.DataType))});
      break;
    }
    case TDVSchemaType::stIndexes: {
      TDVTableRef ref;
      if (!conn.FindTable(object, ref)) return nullptr;
      std::vector<TDVIndexColumn> rows;
      conn.GetIndexColumns(ref, rows);
      ds = std::make_unique<db::TMemDataSet>();
      ds->FieldDefs()->AddFieldDef(SchemaIndexName, db::TFieldType::ftString);
      ds->FieldDefs()->AddFieldDef(SchemaColumnName, db::TFieldType::ftString);
      ds->FieldDefs()->AddFieldDef(SchemaIndexType, db::TFieldType::ftInteger);
      ds->FieldDefs()->AddFieldDef(SchemaColumnPosition, db::TFieldType::ftInteger);
      for (const TDVIndexColumn& r : rows)
        ds->AddRecord({db::TValue(r.IndexName), r.ColumnName.empty() ? db::TValue() : db::TValue(r.ColumnName),
                       r.IndexType == 0 ? db::TValue() : db::TValue(static_cast<int64_t>(r.IndexType)),
                       db::TValue(static_cast<int64_t>(r.Position))});
      break;
    }
    default:
      return nullptr;
  }
  ds->Open();
  return ds;
}

}  // namespace dralvo
