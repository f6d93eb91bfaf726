#include "dralvo/Driver.h"

#include "PgConnection.h"
#include "SQLiteConnection.h"
#include "rtl/Exceptions.h"

namespace dralvo {

std::unique_ptr<TDVConnection> ConnectDriver(TDVServerType type, const TDVConnectParams& params) {
  switch (type) {
    case TDVServerType::stSQLite:
      return std::make_unique<TSQLiteConnection>(params);
    case TDVServerType::stPostgreSQL:
      return std::make_unique<TPgConnection>(params);
  }
  throw rtl::EDatabaseError("Unknown server type " + std::to_string(static_cast<int>(type)));
}

}  // namespace dralvo
