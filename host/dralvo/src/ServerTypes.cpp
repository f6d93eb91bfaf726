#include "dralvo/ServerTypes.h"

#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
TDVServerType g_defServerType = TDVServerType::stSQLite;
constexpr const char* kNames[] = {"SQLite", "PostgreSQL", "MariaDB", "Firebird"};
}  // namespace

const rtl::TTypeInfo& TypeInfoServerType() {
  static const rtl::TTypeInfo info{"TDVServerType", rtl::TTypeKind::Enumeration, {"stSQLite", "stPostgreSQL", "stMariaDB", "stFirebird"}, nullptr};
  return info;
}

TDVServerType GetDefServerType() { return g_defServerType; }
void SetDefServerType(TDVServerType type) { g_defServerType = type; }

std::string GetServerTypeName(TDVServerType type) {
  auto i = static_cast<size_t>(type);
  return i < std::size(kNames) ? kNames[i] : std::string();
}

TDVServerType StrToServerTypeDef(const std::string& name, TDVServerType fallback) {
  std::string t = rtl::Trim(name);
  for (size_t i = 0; i < std::size(kNames); ++i)
    if (rtl::SameText(t, kNames[i])) return static_cast<TDVServerType>(i);
  return fallback;
}

}  // namespace dralvo
