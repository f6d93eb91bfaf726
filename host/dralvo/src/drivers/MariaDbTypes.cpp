#include "MariaDbTypes.h"

#include <mysql.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace dralvo {

namespace {
constexpr unsigned kBinaryCharset = 63;
}

db::TFieldType FieldTypeOfMariaDbField(const MYSQL_FIELD& field) {
  const bool binary = field.charsetnr == kBinaryCharset;
  switch (field.type) {
    case MYSQL_TYPE_TINY:
    case MYSQL_TYPE_SHORT:
    case MYSQL_TYPE_YEAR:
      return db::TFieldType::ftSmallint;
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_INT24:
      return db::TFieldType::ftInteger;
    case MYSQL_TYPE_LONGLONG:
    case MYSQL_TYPE_BIT:
      return db::TFieldType::ftLargeint;
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL:
      return db::TFieldType::ftFloat;
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE:
      return db::TFieldType::ftDate;
    case MYSQL_TYPE_TIME:
      return db::TFieldType::ftTime;
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP:
      return db::TFieldType::ftDateTime;
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
    case MYSQL_TYPE_BLOB:
      return binary ? db::TFieldType::ftBlob : db::TFieldType::ftMemo;
    case MYSQL_TYPE_STRING:
    case MYSQL_TYPE_VAR_STRING:
    case MYSQL_TYPE_VARCHAR:
      return binary ? db::TFieldType::ftVarBytes : db::TFieldType::ftString;
    default:
      return db::TFieldType::ftString;
  }
}

db::TValue MariaDbValue(db::TFieldType type, const char* text, size_t length) {
  if (text == nullptr) return {};
  std::string s(text, length);
  switch (type) {
    case db::TFieldType::ftSmallint:
    case db::TFieldType::ftInteger:
    case db::TFieldType::ftLargeint: {
      // An unsigned value beyond the signed range stays text.
      errno = 0;
      char* end = nullptr;
      long long v = std::strtoll(s.c_str(), &end, 10);
      if (errno == 0 && end != nullptr && *end == 0 && !s.empty()) return db::TValue(static_cast<int64_t>(v));
      return db::TValue(std::move(s));
    }
    case db::TFieldType::ftFloat:
      return db::TValue(std::strtod(s.c_str(), nullptr));
    default:
      return db::TValue(std::move(s));
  }
}

}  // namespace dralvo
