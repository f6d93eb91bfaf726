#include "model/DatabaseCatalog.h"

#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/CatalogConnection.h"
#include "dralvo/UpdateSQL.h"

namespace designer {

namespace {
class TConnectionSource : public ICatalogSource {
 public:
  explicit TConnectionSource(std::unique_ptr<dralvo::TDVCatalogConnection> connection)
      : connection_(std::move(connection)) {}
  std::vector<std::string> TableNames() override { return connection_->TableNames(); }
  std::vector<std::string> ColumnNames(const std::string& table) override { return connection_->ColumnNames(table); }
  std::shared_ptr<const dralvo::TDVNameRules> NameRules() override { return connection_->NameRules(); }

 private:
  std::unique_ptr<dralvo::TDVCatalogConnection> connection_;
};
}  // namespace

dralvo::TDVDatabase* DatabaseOf(rtl::TComponent& component) {
  if (auto* update = dynamic_cast<dralvo::TDVDataSetUpdateObject*>(&component))
    return update->DataSet() != nullptr ? update->DataSet()->FindDatabase() : nullptr;
  if (auto* dataSet = dynamic_cast<dralvo::TDVDataSet*>(&component)) return dataSet->FindDatabase();
  return nullptr;
}

std::function<std::unique_ptr<ICatalogSource>()> CatalogSourceOf(const dralvo::TDVDatabase& database) {
  const dralvo::TDVCatalogSource source(database);
  return [source]() -> std::unique_ptr<ICatalogSource> {
    return std::make_unique<TConnectionSource>(source.Connect());
  };
}

}  // namespace designer
