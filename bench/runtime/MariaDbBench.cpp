// The runtime on the MariaDB server of tools/with-mariadb.sh, side by side
// with the client library used directly in the same run:
//  - the table names of a database of 10,000 tables, against one
//    hand-written information_schema query (goal: ratio <= 1.5);
//  - dvdesigner check's work on 100 update objects of four statements each,
//    against preparing the same 400 statements (goal: ratio <= 2).
// The counter "ratio" is runtime time / direct time.
#include <benchmark/benchmark.h>
#include <mysql.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CheckedTables.h"
#include "SideBySide.h"
#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "dralvo/UpdateCheck.h"
#include "rtl/packages/Units.h"
#include "rtl/text/Strings.h"

namespace {

constexpr int kTables = 10000;
constexpr int kObjects = 100;

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

// One database of the server, made for the run and dropped after it, with a
// connection of the client library's own.
class Server {
 public:
  explicit Server(const std::string& name) : name_(name) {
    conn_ = mysql_init(nullptr);
    if (mysql_real_connect(conn_, Env("DV_MARIADB_HOST").c_str(), Env("DV_MARIADB_USER").c_str(),
                           Env("DV_MARIADB_PASSWORD").c_str(), nullptr,
                           static_cast<unsigned>(std::atoi(Env("DV_MARIADB_PORT").c_str())), nullptr,
                           CLIENT_MULTI_STATEMENTS) == nullptr)
      return;
    Run("drop database if exists " + name_);
    Run("create database " + name_);
    mysql_select_db(conn_, name_.c_str());
    ok_ = true;
  }
  ~Server() {
    if (ok_) Run("drop database " + name_);
    mysql_close(conn_);
  }
  bool Ok() const { return ok_; }
  void Run(const std::string& script) {
    if (mysql_real_query(conn_, script.data(), script.size()) != 0) ok_ = false;
    do mysql_free_result(mysql_store_result(conn_));
    while (mysql_next_result(conn_) == 0);
  }
  MYSQL* Connection() { return conn_; }
  std::string Url() const {
    return "mariadb://" + Env("DV_MARIADB_USER") + ":" + Env("DV_MARIADB_PASSWORD") + "@" + Env("DV_MARIADB_HOST") +
           ":" + Env("DV_MARIADB_PORT") + "/" + name_;
  }

 private:
  std::string name_;
  MYSQL* conn_ = nullptr;
  bool ok_ = false;
};

// The runtime's library units and one database component on `url`.
class Runtime {
 public:
  // Each benchmark names its own database: the runtime finds databases by
  // name, and both stay open for the whole run.
  Runtime(const std::string& name, const std::string& url) {
    rtl::InitializePackage(dralvo::PackageInfo());
    owner_ = std::make_unique<rtl::TComponent>(nullptr);
    database_ = new dralvo::TDVDatabase(owner_.get());
    database_->SetDatabaseName(name);
    database_->SetServerType(dralvo::TDVServerType::stMariaDB);
    database_->SetRemoteDatabase(url);
    database_->SetLoginPrompt(false);
    database_->Open();
  }
  ~Runtime() {
    owner_.reset();
    rtl::FinalizePackage(dralvo::PackageInfo());
  }
  rtl::TComponent* Owner() { return owner_.get(); }

 private:
  std::unique_ptr<rtl::TComponent> owner_;
  dralvo::TDVDatabase* database_ = nullptr;
};

void BM_MariaDbTableNames(benchmark::State& state) {
  static Server server("dv_bench_tables");
  static bool made = false;
  if (server.Ok() && !made) {
    // MEMORY tables: only their definitions touch the disk, so making
    // 10,000 takes seconds, and the listing reads what it always reads.
    std::string script;
    for (int i = 0; i < kTables; ++i)
      script += "create table t" + std::to_string(i) + "(id int primary key, name varchar(20)) engine=memory;";
    server.Run(script);
    made = true;
  }
  if (!server.Ok()) return state.SkipWithError("no MariaDB server (run under tools/with-mariadb.sh)");
  static Runtime runtime("BenchTables", server.Url());
  dvbench::SideBySide(
      state,
      [&] {
        rtl::TStringList list;
        dralvo::Session()->GetTableNames("BenchTables", "", false, &list);
        return list.Count();
      },
      [&] {
        const char* sql = "select table_name from information_schema.TABLES where table_schema = database() order by 1";
        mysql_query(server.Connection(), sql);
        MYSQL_RES* res = mysql_store_result(server.Connection());
        std::vector<std::string> names;
        while (MYSQL_ROW row = mysql_fetch_row(res)) names.emplace_back(row[0]);
        mysql_free_result(res);
        return names.size();
      });
  state.counters["tables"] = kTables;
}

void BM_MariaDbCheck100UpdateObjects(benchmark::State& state) {
  static Server server("dv_bench_check");
  if (!server.Ok()) return state.SkipWithError("no MariaDB server (run under tools/with-mariadb.sh)");
  static std::vector<dralvo::TDVUpdateSQL*> updates;
  static std::vector<std::string> statements;
  static std::unique_ptr<Runtime> runtime;
  if (runtime == nullptr) {
    std::string script;
    for (int i = 0; i < kObjects; ++i)
      script += "create table t" + std::to_string(i) +
                "(id int primary key, code varchar(20) not null, name text, qty int, price double, unique (code));";
    server.Run(script);
    runtime = std::make_unique<Runtime>("Bench", server.Url());
    dvbench::TCheckedTables tables = dvbench::AddCheckedTables(runtime->Owner(), "Bench", kObjects);
    updates = std::move(tables.Updates);
    statements = std::move(tables.Statements);
  }
  for (dralvo::TDVUpdateSQL* u : updates)
    for (const auto& f : dralvo::CheckUpdateObject(*u).Findings)
      return state.SkipWithError(("the statements should all hold: " + f.Statement + ": " + f.Problem).c_str());
  dvbench::SideBySide(
      state,
      [&] {
        size_t n = 0;
        for (dralvo::TDVUpdateSQL* u : updates) n += dralvo::CheckUpdateObject(*u).Findings.size();
        return n;
      },
      [&] {
        size_t prepared = 0;
        for (const std::string& sql : statements) {
          MYSQL_STMT* stmt = mysql_stmt_init(server.Connection());
          if (mysql_stmt_prepare(stmt, sql.data(), sql.size()) == 0) ++prepared;
          mysql_stmt_close(stmt);
        }
        return prepared;
      });
}

}  // namespace

BENCHMARK(BM_MariaDbTableNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MariaDbCheck100UpdateObjects)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
