#pragma once
// Shared set-up of the runtime tests: the library's units initialized once
// for the test program, SQLite files made with sqlite3 itself, and the
// PostgreSQL server of the libpq environment (pg_virtualenv).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "TempDir.h"
#include "dralvo/Engine.h"
#include "rtl/Component.h"

namespace dvtest {

// Runs `script` on a new SQLite file at `path` (through sqlite3 directly,
// not through the code under test).
void MakeSQLiteFile(const std::string& path, const std::string& script);
// Runs one query on the file and returns the first column of each row.
std::vector<std::string> SQLiteColumn(const std::string& path, const std::string& query);

// True when PGHOST or PGPORT names a server.
bool PgConfigured();
// Runs SQL on the configured server through libpq directly.
void PgRun(const std::string& sql);
std::string UniqueName(const std::string& prefix);

// A form owning the components of one test.
struct TestForm {
  std::unique_ptr<rtl::TComponent> root = std::make_unique<rtl::TComponent>(nullptr);
  dralvo::TDVDatabase* AddDatabase(const std::string& name, dralvo::TDVServerType type, const std::string& remote);
};

// A fresh schema on the PostgreSQL server, dropped with everything in it.
class PgSchema {
 public:
  explicit PgSchema(const std::string& script);  // script runs with the schema first on search_path
  ~PgSchema();
  const std::string& Name() const { return name_; }
  // "set search_path" statement for connections that should see it.
  std::string SearchPath() const { return "options=-csearch_path=" + name_; }

 private:
  std::string name_;
};

}  // namespace dvtest

// Skips a test that needs PostgreSQL when none is configured, but fails it
// when DV_REQUIRE_PG=1 says that one must be there.
#define DV_REQUIRE_PG()                                                                    \
  do {                                                                                     \
    if (!::dvtest::PgConfigured()) {                                                       \
      const char* req = std::getenv("DV_REQUIRE_PG");                                      \
      if (req != nullptr && std::string(req) == "1") FAIL() << "PostgreSQL not configured"; \
      GTEST_SKIP() << "PostgreSQL not configured (PGHOST/PGPORT unset)";                  \
    }                                                                                      \
  } while (0)
