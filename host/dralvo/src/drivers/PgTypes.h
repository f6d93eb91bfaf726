#pragma once
// PostgreSQL built-in type ids and the conversion of text-format values.
#include <cstddef>
#include <string>

#include "db/FieldType.h"
#include "db/Value.h"

namespace dralvo {

db::TFieldType FieldTypeOfPgType(unsigned int typeOid);
// A text-format result value of that type.
db::TValue PgValue(unsigned int typeOid, const char* text, size_t length);
// A double as PostgreSQL reads it back exactly.
std::string PgFloatText(double value);

}  // namespace dralvo
