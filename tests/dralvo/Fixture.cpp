#include "Fixture.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdlib>
#include <random>

#include "dralvo/PackageInfo.h"
#include "rtl/Units.h"

namespace dvtest {

namespace {
class RuntimeEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { rtl::InitializePackage(dralvo::PackageInfo()); }
  void TearDown() override { rtl::FinalizePackage(dralvo::PackageInfo()); }
};
[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment);
}  // namespace

void MakeSQLiteFile(const std::string& path, const std::string& script) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char* err = nullptr;
  int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &err);
  std::string msg = err != nullptr ? err : "";
  sqlite3_free(err);
  sqlite3_close(db);
  ASSERT_EQ(rc, SQLITE_OK) << msg;
}

std::vector<std::string> SQLiteColumn(const std::string& path, const std::string& query) {
  std::vector<std::string> out;
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, query.c_str(), -1, &stmt, nullptr) == SQLITE_OK)
    while (sqlite3_step(stmt) == SQLITE_ROW) {
      const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
      out.emplace_back(t != nullptr ? t : "<null>");
    }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return out;
}

bool PgConfigured() { return std::getenv("PGHOST") != nullptr || std::getenv("PGPORT") != nullptr; }

void PgRun(const std::string& sql) {
  PGconn* conn = PQconnectdb("");
  ASSERT_EQ(PQstatus(conn), CONNECTION_OK) << PQerrorMessage(conn);
  PGresult* res = PQexec(conn, ("set client_min_messages = warning; " + sql).c_str());
  ExecStatusType st = PQresultStatus(res);
  std::string msg = PQresultErrorMessage(res);
  PQclear(res);
  PQfinish(conn);
  ASSERT_TRUE(st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) << msg << "\n" << sql;
}

std::string UniqueName(const std::string& prefix) {
  std::random_device rd;
  return prefix + std::to_string(rd() % 1000000000u);
}

dralvo::TDVDatabase* TestForm::AddDatabase(const std::string& name, dralvo::TDVServerType type,
                                           const std::string& remote) {
  auto* db = new dralvo::TDVDatabase(root.get());
  db->SetDatabaseName(name);
  db->SetServerType(type);
  db->SetRemoteDatabase(remote);
  return db;
}

PgSchema::PgSchema(const std::string& script) : name_(UniqueName("dvt_")) {
  PgRun("create schema " + name_ + "; set search_path = " + name_ + "; " + script);
}

PgSchema::~PgSchema() {
  if (PgConfigured()) PgRun("drop schema " + name_ + " cascade");
}

}  // namespace dvtest
