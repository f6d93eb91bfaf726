#include "PgTypes.h"

#include <libpq-fe.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace dralvo {

namespace {
enum : unsigned {
  kBool = 16,
  kBytea = 17,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kText = 25,
  kOid = 26,
  kFloat4 = 700,
  kFloat8 = 701,
  kBpchar = 1042,
  kVarchar = 1043,
  kDate = 1082,
  kTime = 1083,
  kTimestamp = 1114,
  kTimestampTz = 1184,
  kNumeric = 1700,
};
}  // namespace

db::TFieldType FieldTypeOfPgType(unsigned int typeOid) {
  switch (typeOid) {
    case kBool:
      return db::TFieldType::ftBoolean;
    case kBytea:
      return db::TFieldType::ftBlob;
    case kInt8:
      return db::TFieldType::ftLargeint;
    case kInt2:
      return db::TFieldType::ftSmallint;
    case kInt4:
    case kOid:
      return db::TFieldType::ftInteger;
    case kFloat4:
    case kFloat8:
    case kNumeric:
      return db::TFieldType::ftFloat;
    case kDate:
      return db::TFieldType::ftDate;
    case kTime:
      return db::TFieldType::ftTime;
    case kTimestamp:
    case kTimestampTz:
      return db::TFieldType::ftDateTime;
    case kText:
      return db::TFieldType::ftMemo;
    default:
      return db::TFieldType::ftString;
  }
}

db::TValue PgValue(unsigned int typeOid, const char* text, size_t length) {
  switch (FieldTypeOfPgType(typeOid)) {
    case db::TFieldType::ftBoolean:
      return db::TValue(text[0] == 't');
    case db::TFieldType::ftSmallint:
    case db::TFieldType::ftInteger:
    case db::TFieldType::ftLargeint:
      return db::TValue(static_cast<int64_t>(std::strtoll(text, nullptr, 10)));
    case db::TFieldType::ftFloat:
      return db::TValue(std::strtod(text, nullptr));
    case db::TFieldType::ftBlob: {
      size_t n = 0;
      unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &n);
      if (bytes == nullptr) return db::TValue(std::string(text, length));
      std::string out(reinterpret_cast<const char*>(bytes), n);
      PQfreemem(bytes);
      return db::TValue(std::move(out));
    }
    default:
      return db::TValue(std::string(text, length));
  }
}

std::string PgFloatText(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", value);
  return buf;
}

}  // namespace dralvo
