#include "model/CatalogCache.h"

#include "dralvo/Database.h"
#include "dralvo/CatalogConnection.h"
#include "model/DatabaseCatalog.h"

namespace designer {

std::string TCatalogCache::KeyOf(const dralvo::TDVDatabase& database) {
  return dralvo::TDVCatalogSource(database).Key();
}

TSqlCatalog& TCatalogCache::Of(const dralvo::TDVDatabase& database) {
  std::unique_ptr<TSqlCatalog>& catalog = catalogs_[KeyOf(database)];
  if (catalog == nullptr) catalog = std::make_unique<TSqlCatalog>(CatalogSourceOf(database), arrived_);
  return *catalog;
}

void TCatalogCache::Refresh(const dralvo::TDVDatabase& database) { catalogs_.erase(KeyOf(database)); }

}  // namespace designer
