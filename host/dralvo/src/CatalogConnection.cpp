#include "dralvo/CatalogConnection.h"

#include "dralvo/Database.h"
#include "drivers/Dialect.h"
#include "drivers/Driver.h"
#include "drivers/NameParts.h"

namespace dralvo {

namespace {
class TDriverCatalog : public TDVCatalogConnection {
 public:
  explicit TDriverCatalog(std::unique_ptr<TDVConnection> connection) : connection_(std::move(connection)) {}
  // The names as stored: servers that list them as they are written in SQL
  // (PostgreSQL, Firebird) give a quoted name its quotes, which go here.
  std::vector<std::string> TableNames() override {
    std::vector<std::string> names;
    connection_->GetTableNames("", false, names);
    for (std::string& name : names)
      if (std::vector<TNamePart> parts = SplitObjectName(name); parts.size() == 1 && parts[0].Quoted)
        name = parts[0].Text;
    return names;
  }
  std::vector<std::string> ColumnNames(const std::string& table) override {
    std::vector<std::string> names;
    connection_->FindFieldNames(table, names, nullptr);
    return names;
  }
  std::shared_ptr<const TDVNameRules> NameRules() override { return connection_->NameRules(); }

 private:
  std::unique_ptr<TDVConnection> connection_;
};
}  // namespace

TDVCatalogSource::TDVCatalogSource(TDVServerType type, std::shared_ptr<const TDVConnectParams> params)
    : type_(type), params_(std::move(params)) {}

TDVCatalogSource::TDVCatalogSource(const TDVDatabase& database)
    : TDVCatalogSource(database.ServerType(), std::make_shared<const TDVConnectParams>(database.ConnectParams())) {}

TDVCatalogSource TDVCatalogSource::SQLiteFile(const std::string& fileName) {
  TDVConnectParams params;
  params.Target = fileName;
  return TDVCatalogSource(TDVServerType::stSQLite, std::make_shared<const TDVConnectParams>(std::move(params)));
}

std::string TDVCatalogSource::Key() const {
  return std::to_string(static_cast<int>(type_)) + '\n' + params_->Target + '\n' + params_->UserName;
}

std::unique_ptr<TDVCatalogConnection> TDVCatalogSource::Connect() const {
  return std::make_unique<TDriverCatalog>(DialectOf(type_).Connect(*params_));
}

}  // namespace dralvo
