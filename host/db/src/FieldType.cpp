#include "db/FieldType.h"

namespace db {

const rtl::TTypeInfo& TypeInfoFieldType() {
  static const rtl::TTypeInfo info{"TFieldType",
                                   rtl::TTypeKind::Enumeration,
                                   {"ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean",
                                    "ftFloat", "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftBytes",
                                    "ftVarBytes", "ftAutoInc", "ftBlob", "ftMemo", "ftLargeint", "ftWideString"},
                                   nullptr};
  return info;
}

std::string FieldTypeName(TFieldType type) { return TypeInfoFieldType().EnumName(static_cast<int64_t>(type)); }

const rtl::TTypeInfo& TypeInfoParamType() {
  static const rtl::TTypeInfo info{
      "TParamType", rtl::TTypeKind::Enumeration, {"ptUnknown", "ptInput", "ptOutput", "ptInputOutput", "ptResult"},
      nullptr};
  return info;
}

}  // namespace db
