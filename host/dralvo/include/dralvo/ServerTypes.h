#pragma once
// Database server types and their names.
#include <string>

#include "rtl/objects/TypeInfo.h"

namespace dralvo {

enum class TDVServerType { stSQLite = 0, stPostgreSQL = 1, stMariaDB = 2, stFirebird = 3 };

// Type information of TDVServerType (enumeration names "stSQLite", ...).
const rtl::TTypeInfo& TypeInfoServerType();

// The library's default for new databases; initially stSQLite.
TDVServerType GetDefServerType();
void SetDefServerType(TDVServerType type);

// "SQLite" / "PostgreSQL" / "MariaDB" / "Firebird".
std::string GetServerTypeName(TDVServerType type);
// Name to type, ignoring case; an unknown or empty name gives `fallback`.
TDVServerType StrToServerTypeDef(const std::string& name, TDVServerType fallback);

}  // namespace dralvo
