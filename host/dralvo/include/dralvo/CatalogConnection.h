#pragma once
// A connection of its own for reading a database's catalog away from the
// component: the settings are taken from the database when the source is
// made (on the thread that owns the component), and Connect may then run on
// any thread, so that a slow server never holds up the one that asked.
#include <memory>
#include <string>
#include <vector>

#include "dralvo/NameRules.h"
#include "dralvo/ServerTypes.h"

namespace dralvo {

class TDVDatabase;
struct TDVConnectParams;

class TDVCatalogConnection {
 public:
  virtual ~TDVCatalogConnection() = default;
  virtual std::vector<std::string> TableNames() = 0;
  virtual std::vector<std::string> ColumnNames(const std::string& table) = 0;
  virtual std::shared_ptr<const TDVNameRules> NameRules() = 0;
};

class TDVCatalogSource {
 public:
  explicit TDVCatalogSource(const TDVDatabase& database);
  // A SQLite file read with no user name.
  static TDVCatalogSource SQLiteFile(const std::string& fileName);
  // Server type, target and user: one catalog per distinct connection.
  std::string Key() const;
  // Raises EDatabaseError as a database's Open does.
  std::unique_ptr<TDVCatalogConnection> Connect() const;

 private:
  TDVCatalogSource(TDVServerType type, std::shared_ptr<const TDVConnectParams> params);
  TDVServerType type_;
  std::shared_ptr<const TDVConnectParams> params_;
};

}  // namespace dralvo
