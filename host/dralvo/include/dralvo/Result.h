#pragma once
// What a statement run through TDVDatabase::Execute gives back.
#include <cstdint>
#include <string>
#include <vector>

#include "db/FieldType.h"
#include "db/Value.h"

namespace dralvo {

struct TDVColumnDesc {
  std::string Name;           // result column name
  db::TFieldType DataType = db::TFieldType::ftUnknown;
  std::string Table;          // origin table, empty for expressions
  std::string Column;         // origin column, empty for expressions
};

struct TDVResult {
  std::vector<TDVColumnDesc> Columns;
  std::vector<std::vector<db::TValue>> Rows;
  int64_t RowsAffected = 0;
};

}  // namespace dralvo
