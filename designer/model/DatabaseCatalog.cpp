#include "model/DatabaseCatalog.h"

#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/Driver.h"
#include "dralvo/UpdateSQL.h"

namespace designer {

namespace {
class TConnectionSource : public ICatalogSource {
 public:
  explicit TConnectionSource(std::unique_ptr<dralvo::TDVConnection> connection)
      : connection_(std::move(connection)) {}
  std::vector<std::string> TableNames() override {
    std::vector<std::string> names;
    connection_->GetTableNames("", false, names);
    return names;
  }
  std::vector<std::string> ColumnNames(const std::string& table) override {
    std::vector<std::string> names;
    connection_->FindFieldNames(table, names, nullptr);
    return names;
  }
  std::shared_ptr<const dralvo::TDVNameRules> NameRules() override { return connection_->NameRules(); }

 private:
  std::unique_ptr<dralvo::TDVConnection> connection_;
};
}  // namespace

dralvo::TDVDatabase* DatabaseOf(rtl::TComponent& component) {
  if (auto* update = dynamic_cast<dralvo::TDVDataSetUpdateObject*>(&component))
    return update->DataSet() != nullptr ? update->DataSet()->FindDatabase() : nullptr;
  if (auto* dataSet = dynamic_cast<dralvo::TDVDataSet*>(&component)) return dataSet->FindDatabase();
  return nullptr;
}

std::function<std::unique_ptr<ICatalogSource>()> CatalogSourceOf(const dralvo::TDVDatabase& database) {
  const dralvo::TDVServerType type = database.ServerType();
  const dralvo::TDVConnectParams params = database.ConnectParams();
  return [type, params]() -> std::unique_ptr<ICatalogSource> {
    return std::make_unique<TConnectionSource>(dralvo::ConnectDriver(type, params));
  };
}

}  // namespace designer
