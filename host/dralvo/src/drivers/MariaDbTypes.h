#pragma once
// MariaDB column types as the library's field types, and result text as
// values.
#include <cstddef>

#include "db/FieldType.h"
#include "db/Value.h"

struct st_mysql_field;

namespace dralvo {

db::TFieldType FieldTypeOfMariaDbField(const st_mysql_field& field);
// A value of that column from the text the server (or the client library)
// gives for it; `text` null means SQL null.
db::TValue MariaDbValue(db::TFieldType type, const char* text, size_t length);

}  // namespace dralvo
