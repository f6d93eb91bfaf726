#pragma once
// Database fixtures shared by the test folders: SQLite files and the
// PostgreSQL server of the libpq environment (pg_virtualenv), both reached
// through the native libraries, never through the code under test.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdlib>
#include <random>
#include <string>

namespace dvtest {

// Runs `script` on a new SQLite file at `path`.
inline void MakeSQLiteFile(const std::string& path, const std::string& script) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* err = nullptr;
  int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &err);
  std::string msg = err != nullptr ? err : "";
  sqlite3_free(err);
  sqlite3_close(db);
  ASSERT_EQ(rc, SQLITE_OK) << msg;
}

// True when PGHOST or PGPORT names a server.
inline bool PgConfigured() { return std::getenv("PGHOST") != nullptr || std::getenv("PGPORT") != nullptr; }

// Runs SQL on the configured server.
inline void PgRun(const std::string& sql) {
  PGconn* conn = PQconnectdb("");
  ASSERT_EQ(PQstatus(conn), CONNECTION_OK) << PQerrorMessage(conn);
  PGresult* res = PQexec(conn, ("set client_min_messages = warning; " + sql).c_str());
  ExecStatusType st = PQresultStatus(res);
  std::string msg = PQresultErrorMessage(res);
  PQclear(res);
  PQfinish(conn);
  ASSERT_TRUE(st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) << msg << "\n" << sql;
}

// A name no other test run uses, for tables and schemas on a shared server.
inline std::string UniqueName(const std::string& prefix) {
  std::random_device rd;
  return prefix + std::to_string(rd() % 1000000000u);
}

// A fresh schema on the PostgreSQL server, dropped with everything in it.
class PgSchema {
 public:
  // The script runs with the schema first on the search path.
  explicit PgSchema(const std::string& script) : name_(UniqueName("dvt_")) {
    PgRun("create schema " + name_ + "; set search_path = " + name_ + "; " + script);
  }
  ~PgSchema() {
    if (PgConfigured()) PgRun("drop schema " + name_ + " cascade");
  }
  PgSchema(const PgSchema&) = delete;
  PgSchema& operator=(const PgSchema&) = delete;
  const std::string& Name() const { return name_; }
  // The connection option that puts the schema first on the search path.
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
