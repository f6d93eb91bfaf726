#pragma once
// Field data types and parameter kinds, with their type information for
// form files ("DataType = ftInteger", "ParamType = ptInput").
#include "rtl/objects/TypeInfo.h"

namespace db {

enum class TFieldType {
  ftUnknown = 0,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftLargeint,
  ftWideString,
};
const rtl::TTypeInfo& TypeInfoFieldType();
std::string FieldTypeName(TFieldType type);

enum class TParamType { ptUnknown = 0, ptInput, ptOutput, ptInputOutput, ptResult };
const rtl::TTypeInfo& TypeInfoParamType();

enum class TDataSetState { dsInactive = 0, dsBrowse, dsEdit, dsInsert };
enum class TUpdateKind { ukModify = 0, ukInsert, ukDelete };

}  // namespace db
