#pragma once
// Shared set-up of the runtime tests: the library's units initialized once
// for the test program, SQLite files made with sqlite3 itself, and the
// PostgreSQL server of the libpq environment (pg_virtualenv).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "SqlFixtures.h"
#include "TempDir.h"
#include "dralvo/Engine.h"
#include "rtl/objects/Component.h"

namespace dvtest {

// Runs one query on the file and returns the first column of each row.
std::vector<std::string> SQLiteColumn(const std::string& path, const std::string& query);


// A form owning the components of one test.
struct TestForm {
  std::unique_ptr<rtl::TComponent> root = std::make_unique<rtl::TComponent>(nullptr);
  dralvo::TDVDatabase* AddDatabase(const std::string& name, dralvo::TDVServerType type, const std::string& remote);
};

// The message of the database error opening `db` raises, or "<connected>".
std::string OpenError(dralvo::TDVDatabase* db);

// The index schema as "INDEX_NAME:COLUMN_NAME:INDEX_TYPE" per row, null as "-".
std::vector<std::string> IndexRows(db::TDataSet& ds);

}  // namespace dvtest

