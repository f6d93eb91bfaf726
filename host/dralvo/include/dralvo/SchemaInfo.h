#pragma once
// Kinds of schema information a database answers with GetSchemaInfo, and
// the columns of the index schema.
namespace dralvo {

enum class TDVSchemaType {
  stTables = 0,
  stSysTables = 1,
  stProcedures = 2,
  stColumns = 3,
  stProcedureParams = 4,
  stIndexes = 5,
};

// Index schema columns: one row per index column, indexes in the server's
// order, columns in key order.
inline constexpr const char* SchemaIndexName = "INDEX_NAME";
inline constexpr const char* SchemaColumnName = "COLUMN_NAME";
inline constexpr const char* SchemaIndexType = "INDEX_TYPE";  // null: plain index
inline constexpr const char* SchemaColumnPosition = "COLUMN_POSITION";
inline constexpr int IndexTypeUnique = 2;
inline constexpr int IndexTypePrimary = 4;

}  // namespace dralvo
