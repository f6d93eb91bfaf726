#include <cmath>
#include <ctime>

#include "rtl/system/SysUtils.h"

namespace rtl {

namespace {
// Days from 0001-01-01 (proleptic Gregorian) to the given civil date.
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;  // days since 1970-01-01
}
constexpr int64_t kEpochOffset = 25569;  // 1899-12-30 to 1970-01-01
}  // namespace

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int ms) {
  double days = static_cast<double>(DaysFromCivil(year, month, day) + kEpochOffset);
  return days + (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + ms) / 86400000.0;
}

void DecodeDateTime(TDateTime dt, int& year, int& month, int& day, int& hour, int& minute, int& second, int& ms) {
  int64_t totalMs = std::llround(dt * 86400000.0);
  int64_t days = totalMs / 86400000;
  int64_t rest = totalMs % 86400000;
  if (rest < 0) {
    rest += 86400000;
    --days;
  }
  int64_t z = days - kEpochOffset + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
  hour = static_cast<int>(rest / 3600000);
  minute = static_cast<int>(rest / 60000 % 60);
  second = static_cast<int>(rest / 1000 % 60);
  ms = static_cast<int>(rest % 1000);
}

TDateTime Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  std::tm local{};
  localtime_r(&ts.tv_sec, &local);
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec, static_cast<int>(ts.tv_nsec / 1000000));
}

int32_t DateTimeToFileDate(TDateTime dt) {
  int y, mo, d, h, mi, s, ms;
  DecodeDateTime(dt, y, mo, d, h, mi, s, ms);
  if (y < 1980 || y > 2107) return 0;
  uint32_t date = (static_cast<uint32_t>(y - 1980) << 9) | (static_cast<uint32_t>(mo) << 5) | static_cast<uint32_t>(d);
  uint32_t time = (static_cast<uint32_t>(h) << 11) | (static_cast<uint32_t>(mi) << 5) | static_cast<uint32_t>(s / 2);
  return static_cast<int32_t>((date << 16) | time);
}

std::string FormatDateTimeISO(TDateTime dt) {
  int y, mo, d, h, mi, s, ms;
  DecodeDateTime(dt, y, mo, d, h, mi, s, ms);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
  return buf;
}

}  // namespace rtl
