#include "FirebirdSqlda.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "FirebirdStatus.h"
#include "rtl/system/Exceptions.h"

namespace dralvo {

namespace {
constexpr short kOctets = 1;          // the character set of binary text
constexpr unsigned short kSegment = 32768;

short BaseType(const XSQLVAR& v) { return static_cast<short>(v.sqltype & ~1); }

db::TFieldType FieldTypeOf(const XSQLVAR& v) {
  const bool scaled = v.sqlscale < 0;
  switch (BaseType(v)) {
    case SQL_SHORT:
      return scaled ? db::TFieldType::ftFloat : db::TFieldType::ftSmallint;
    case SQL_LONG:
      return scaled ? db::TFieldType::ftFloat : db::TFieldType::ftInteger;
    case SQL_INT64:
      return scaled ? db::TFieldType::ftFloat : db::TFieldType::ftLargeint;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
      return db::TFieldType::ftFloat;
    case SQL_TYPE_DATE:
      return db::TFieldType::ftDate;
    case SQL_TYPE_TIME:
      return db::TFieldType::ftTime;
    case SQL_TIMESTAMP:
      return db::TFieldType::ftDateTime;
    case SQL_BOOLEAN:
      return db::TFieldType::ftBoolean;
    case SQL_BLOB:
      return v.sqlsubtype == 1 ? db::TFieldType::ftMemo : db::TFieldType::ftBlob;
    case SQL_TEXT:
      return (v.sqlsubtype & 0xFF) == kOctets ? db::TFieldType::ftBytes : db::TFieldType::ftString;
    case SQL_VARYING:
      return (v.sqlsubtype & 0xFF) == kOctets ? db::TFieldType::ftVarBytes : db::TFieldType::ftString;
    default:
      return db::TFieldType::ftString;
  }
}

// Bytes a value of the entry's type takes.
size_t SizeOf(const XSQLVAR& v) {
  size_t len = static_cast<size_t>(v.sqllen);
  return BaseType(v) == SQL_VARYING ? len + sizeof(short) : len;
}

std::string Fraction(ISC_TIME t) {
  char buf[8];
  if (t % 10000 == 0) return {};
  std::snprintf(buf, sizeof buf, ".%04u", static_cast<unsigned>(t % 10000));
  return buf;
}

std::string DateText(const ISC_DATE& d) {
  std::tm tm{};
  isc_decode_sql_date(&d, &tm);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
  return buf;
}

std::string TimeText(const ISC_TIME& t) {
  std::tm tm{};
  isc_decode_sql_time(&t, &tm);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf + Fraction(t);
}

template <class T>
T Read(const char* data) {
  T v;
  std::memcpy(&v, data, sizeof v);
  return v;
}

db::TValue Number(int64_t v, short scale) {
  if (scale >= 0) return db::TValue(v);
  return db::TValue(static_cast<double>(v) / std::pow(10.0, -scale));
}

// The entry set to carry `x` as a number of that type, in `slot`.
template <class T>
void BindNumber(XSQLVAR& v, short type, T x, char* slot) {
  v.sqltype = static_cast<ISC_SHORT>(type | 1);
  v.sqlscale = 0;
  v.sqllen = sizeof x;
  v.sqldata = slot;
  std::memcpy(slot, &x, sizeof x);
}

bool ReadBlob(isc_db_handle* db, isc_tr_handle* tr, ISC_QUAD id, std::string& out, TFirebirdStatus& status) {
  isc_blob_handle blob = 0;
  if (isc_open_blob2(status.Vector(), db, tr, &blob, &id, 0, nullptr) != 0) return false;
  char buf[kSegment];
  for (;;) {
    unsigned short got = 0;
    ISC_STATUS rc = isc_get_segment(status.Vector(), &blob, &got, sizeof buf, buf);
    if (rc != 0 && rc != isc_segment) break;
    out.append(buf, got);
  }
  const bool ended = status.Vector()[1] == isc_segstr_eof;
  TFirebirdStatus closing;
  isc_close_blob(closing.Vector(), &blob);
  if (ended) status.Clear();
  return ended;
}

bool WriteBlob(isc_db_handle* db, isc_tr_handle* tr, const std::string& text, ISC_QUAD& id, TFirebirdStatus& status) {
  isc_blob_handle blob = 0;
  if (isc_create_blob2(status.Vector(), db, tr, &blob, &id, 0, nullptr) != 0) return false;
  for (size_t at = 0; at < text.size(); at += kSegment) {
    const auto n = static_cast<unsigned short>(std::min<size_t>(kSegment, text.size() - at));
    if (isc_put_segment(status.Vector(), &blob, n, text.data() + at) != 0) {
      TFirebirdStatus cancelling;
      isc_cancel_blob(cancelling.Vector(), &blob);
      return false;
    }
  }
  return isc_close_blob(status.Vector(), &blob) == 0;
}
}  // namespace

TFirebirdSqlda::TFirebirdSqlda(int count) : sqlda_(static_cast<XSQLDA*>(::operator new(XSQLDA_LENGTH(count)))) {
  std::memset(sqlda_.get(), 0, XSQLDA_LENGTH(count));
  sqlda_->version = SQLDA_VERSION1;
  sqlda_->sqln = static_cast<ISC_SHORT>(count);
}

char* TFirebirdSqlda::Slot(size_t entry, size_t bytes) {
  slots_[entry] = std::make_unique<int64_t[]>(bytes / sizeof(int64_t) + 1);
  return reinterpret_cast<char*>(slots_[entry].get());
}

std::vector<TDVColumnDesc> TFirebirdSqlda::Columns() const {
  std::vector<TDVColumnDesc> cols;
  for (int i = 0; i < Count(); ++i) {
    const XSQLVAR& v = sqlda_->sqlvar[i];
    TDVColumnDesc col;
    col.Name.assign(v.aliasname, static_cast<size_t>(v.aliasname_length));
    col.DataType = FieldTypeOf(v);
    col.Table.assign(v.relname, static_cast<size_t>(v.relname_length));
    if (!col.Table.empty()) col.Column.assign(v.sqlname, static_cast<size_t>(v.sqlname_length));
    cols.push_back(std::move(col));
  }
  return cols;
}

void TFirebirdSqlda::MakeRoom() {
  const auto n = static_cast<size_t>(Count());
  slots_.resize(n);
  nulls_.assign(n, 0);
  for (size_t i = 0; i < n; ++i) {
    XSQLVAR& v = sqlda_->sqlvar[i];
    v.sqldata = Slot(i, SizeOf(v));
    v.sqlind = &nulls_[i];
  }
}

bool TFirebirdSqlda::Row(isc_db_handle* db, isc_tr_handle* tr, std::vector<db::TValue>& row,
                         TFirebirdStatus& status) const {
  row.clear();
  row.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) {
    const XSQLVAR& v = sqlda_->sqlvar[i];
    const char* data = v.sqldata;
    if ((v.sqltype & 1) != 0 && *v.sqlind < 0) {
      row.emplace_back();
      continue;
    }
    switch (BaseType(v)) {
      case SQL_TEXT: {
        std::string s(data, static_cast<size_t>(v.sqllen));
        // CHAR is padded with blanks, which compare as nothing.
        if ((v.sqlsubtype & 0xFF) != kOctets) s.erase(s.find_last_not_of(' ') + 1);
        row.emplace_back(std::move(s));
        break;
      }
      case SQL_VARYING:
        row.emplace_back(std::string(data + sizeof(short), static_cast<size_t>(Read<short>(data))));
        break;
      case SQL_SHORT:
        row.push_back(Number(Read<int16_t>(data), v.sqlscale));
        break;
      case SQL_LONG:
        row.push_back(Number(Read<int32_t>(data), v.sqlscale));
        break;
      case SQL_INT64:
        row.push_back(Number(Read<int64_t>(data), v.sqlscale));
        break;
      case SQL_FLOAT:
        row.emplace_back(static_cast<double>(Read<float>(data)));
        break;
      case SQL_DOUBLE:
      case SQL_D_FLOAT:
        row.emplace_back(Read<double>(data));
        break;
      case SQL_TYPE_DATE:
        row.emplace_back(DateText(Read<ISC_DATE>(data)));
        break;
      case SQL_TYPE_TIME:
        row.emplace_back(TimeText(Read<ISC_TIME>(data)));
        break;
      case SQL_TIMESTAMP: {
        const auto ts = Read<ISC_TIMESTAMP>(data);
        row.emplace_back(DateText(ts.timestamp_date) + " " + TimeText(ts.timestamp_time));
        break;
      }
      case SQL_BOOLEAN:
        row.emplace_back(static_cast<int64_t>(data[0] != 0 ? 1 : 0));
        break;
      case SQL_BLOB: {
        std::string bytes;
        if (!ReadBlob(db, tr, Read<ISC_QUAD>(data), bytes, status)) return false;
        row.emplace_back(std::move(bytes));
        break;
      }
      case SQL_ARRAY:
        row.emplace_back("(array)");
        break;
      default:
        row.emplace_back();
        break;
    }
  }
  return true;
}

bool TFirebirdSqlda::Bind(const std::vector<db::TValue>& values, isc_db_handle* db, isc_tr_handle* tr,
                          TFirebirdStatus& status) {
  const auto n = static_cast<size_t>(Count());
  slots_.resize(n);
  nulls_.assign(n, 0);
  texts_.assign(n, std::string());
  for (size_t i = 0; i < n && i < values.size(); ++i) {
    XSQLVAR& v = sqlda_->sqlvar[i];
    const db::TValue& value = values[i];
    const short described = BaseType(v);
    v.sqlind = &nulls_[i];
    if (value.IsNull()) {
      nulls_[i] = -1;
      v.sqltype = static_cast<ISC_SHORT>(described | 1);
      v.sqldata = Slot(i, SizeOf(v));
      continue;
    }
    if (described == SQL_BLOB) {
      v.sqltype = SQL_BLOB | 1;
      auto* id = reinterpret_cast<ISC_QUAD*>(Slot(i, sizeof(ISC_QUAD)));
      v.sqldata = reinterpret_cast<char*>(id);
      if (!WriteBlob(db, tr, value.AsString(), *id, status)) return false;
    } else if (described == SQL_BOOLEAN && !value.IsText()) {
      v.sqltype = SQL_BOOLEAN | 1;
      v.sqldata = Slot(i, 1);
      v.sqldata[0] = value.AsInteger() != 0 ? 1 : 0;
    } else if (value.IsInteger()) {
      BindNumber(v, SQL_INT64, value.AsInteger(), Slot(i, sizeof(int64_t)));
    } else if (value.IsFloat()) {
      BindNumber(v, SQL_DOUBLE, value.AsFloat(), Slot(i, sizeof(double)));
    } else {
      // Text in the parameter's own character set, or the connection's;
      // the server converts it to numbers, dates and times.
      texts_[i] = value.AsString();
      if (texts_[i].size() > 32767)
        throw rtl::EDatabaseError("Firebird: parameter " + std::to_string(i + 1) + " holds " +
                                  std::to_string(texts_[i].size()) +
                                  " bytes of text; only a blob takes more than 32767");
      if (described != SQL_TEXT && described != SQL_VARYING) v.sqlsubtype = 0;
      v.sqltype = SQL_TEXT | 1;
      v.sqlscale = 0;
      v.sqllen = static_cast<ISC_SHORT>(texts_[i].size());
      v.sqldata = texts_[i].data();
    }
  }
  return true;
}

}  // namespace dralvo
