#pragma once
// The catalogs the code editor completes from, one per connection (server
// type, target and account): read once, kept until the person refreshes
// one or the cache is cleared when the module whose databases it served
// closes. Clearing waits for the question a worker is asking.
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "model/SqlCatalog.h"

namespace dralvo {
class TDVDatabase;
}

namespace designer {

class TCatalogCache {
 public:
  // `arrived` is called on a worker thread whenever any catalog got names.
  explicit TCatalogCache(std::function<void()> arrived) : arrived_(std::move(arrived)) {}

  // The catalog of the database's connection, which starts reading on first
  // use.
  TSqlCatalog& Of(const dralvo::TDVDatabase& database);
  // Forgets what was read of the database's connection; the next use reads
  // it anew.
  void Refresh(const dralvo::TDVDatabase& database);
  void Clear() { catalogs_.clear(); }

 private:
  static std::string KeyOf(const dralvo::TDVDatabase& database);
  std::function<void()> arrived_;
  std::map<std::string, std::unique_ptr<TSqlCatalog>> catalogs_;
};

}  // namespace designer
