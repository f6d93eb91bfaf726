#pragma once
// The catalog of the database a component works on, for the SQL code
// editor's completion: a query's own database, or an update object's
// dataset's. The names are read over a connection of the catalog's own,
// made with the database component's settings, so the designer's
// connection is never shared with the worker thread.
#include <functional>
#include <memory>

#include "model/SqlCatalog.h"
#include "rtl/objects/Component.h"

namespace dralvo {
class TDVDatabase;
}

namespace designer {

// The database component of `component` (a dataset or an update object),
// or null when it has none.
dralvo::TDVDatabase* DatabaseOf(rtl::TComponent& component);

// Connects with the database's settings, on whichever thread calls it.
std::function<std::unique_ptr<ICatalogSource>()> CatalogSourceOf(const dralvo::TDVDatabase& database);

}  // namespace designer
