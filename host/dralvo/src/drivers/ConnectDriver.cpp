#include "dralvo/Driver.h"

#include "MariaDbConnection.h"
#include "PgConnection.h"
#include "SQLiteConnection.h"
#include "rtl/system/Exceptions.h"

namespace dralvo {

bool TDVConnection::FindFieldNames(const std::string& name, std::vector<std::string>& names, TDVTableRef* ref) {
  names.clear();
  TDVTableRef found;
  if (!FindTable(name, found)) return false;
  GetFieldNames(found, names);
  if (ref != nullptr) *ref = std::move(found);
  return true;
}

std::shared_ptr<const TDVNameRules> TDVConnection::NameRules() {
  // The words are asked once; the quotes may change with the session's mode.
  if (!reservedWordsRead_) {
    reservedWords_ = ReservedWords();
    reservedWordsRead_ = true;
  }
  if (nameRules_ == nullptr || nameRules_->QuoteChar() != QuoteChar())
    nameRules_ = std::make_shared<const TDVNameRules>(FoldsToLower(), reservedWords_, QuoteChar());
  return nameRules_;
}

std::unique_ptr<TDVConnection> ConnectDriver(TDVServerType type, const TDVConnectParams& params) {
  switch (type) {
    case TDVServerType::stSQLite:
      return std::make_unique<TSQLiteConnection>(params);
    case TDVServerType::stPostgreSQL:
      return std::make_unique<TPgConnection>(params);
    case TDVServerType::stMariaDB:
      return std::make_unique<TMariaDbConnection>(params);
  }
  throw rtl::EDatabaseError("Unknown server type " + std::to_string(static_cast<int>(type)));
}

}  // namespace dralvo
