// The runtime on Firebird's embedded engine, side by side with the client
// library used directly in the same run: the table names of a database of
// 10,000 tables, against one hand-written query of the system tables
// (goal: ratio <= 1.5). The counter "ratio" is runtime time / direct time.
#include <benchmark/benchmark.h>
#include <ibase.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "SideBySide.h"
#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "rtl/packages/Units.h"
#include "rtl/text/Strings.h"

namespace {

constexpr int kTables = 10000;

// A database file in a folder of its own, made for the run and removed
// after it, with an attachment of the client library's own.
class Database {
 public:
  Database() {
    std::random_device rd;
    folder_ = std::filesystem::temp_directory_path() / ("dv-fbbench-" + std::to_string(rd()));
    std::filesystem::create_directories(folder_);
    // Dialect 3, and no wait for the disk on each commit while it is made.
    const std::string dpb{isc_dpb_version1, isc_dpb_sql_dialect, 4, 3, 0, 0, 0, isc_dpb_force_write, 4, 0, 0, 0, 0};
    ok_ = isc_create_database(status_, 0, File().c_str(), &db_, static_cast<short>(dpb.size()), dpb.data(), 0) == 0;
  }
  ~Database() {
    if (db_ != 0) isc_detach_database(status_, &db_);
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  bool Ok() const { return ok_; }
  std::string File() const { return (folder_ / "bench.fdb").string(); }
  isc_db_handle* Handle() { return &db_; }
  // Runs the statements, committing a batch at a time.
  void Run(const std::vector<std::string>& statements) {
    constexpr size_t kBatch = 250;
    for (size_t from = 0; ok_ && from < statements.size(); from += kBatch) {
      isc_tr_handle tr = 0;
      ok_ = isc_start_transaction(status_, &tr, 1, &db_, 0, nullptr) == 0;
      for (size_t i = from; ok_ && i < std::min(statements.size(), from + kBatch); ++i)
        ok_ = isc_dsql_execute_immediate(status_, &db_, &tr, 0, statements[i].c_str(), SQL_DIALECT_V6, nullptr) == 0;
      ok_ = ok_ && isc_commit_transaction(status_, &tr) == 0;
    }
  }

 private:
  std::filesystem::path folder_;
  ISC_STATUS_ARRAY status_{};
  isc_db_handle db_ = 0;
  bool ok_ = false;
};

// The names as one would read them by hand: a read-only transaction, one
// query, the blanks that pad each name cut off.
size_t DirectTableNames(isc_db_handle* db) {
  static const char kReadOnly[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed, isc_tpb_rec_version};
  ISC_STATUS_ARRAY status;
  isc_tr_handle tr = 0;
  isc_stmt_handle stmt = 0;
  XSQLDA out{};
  out.version = SQLDA_VERSION1;
  out.sqln = 1;
  char name[256];
  short nullFlag = 0;
  std::vector<std::string> names;
  if (isc_start_transaction(status, &tr, 1, db, sizeof kReadOnly, kReadOnly) == 0 &&
      isc_dsql_allocate_statement(status, db, &stmt) == 0 &&
      isc_dsql_prepare(status, &tr, &stmt, 0,
                       "select rdb$relation_name from rdb$relations where rdb$system_flag = 0 order by 1",
                       SQL_DIALECT_V6, &out) == 0) {
    out.sqlvar[0].sqldata = name;
    out.sqlvar[0].sqlind = &nullFlag;
    isc_dsql_execute(status, &tr, &stmt, SQL_DIALECT_V6, nullptr);
    const auto length = static_cast<size_t>(out.sqlvar[0].sqllen);
    while (isc_dsql_fetch(status, &stmt, SQL_DIALECT_V6, &out) == 0) {
      std::string n(name, length);
      n.erase(n.find_last_not_of(' ') + 1);
      names.push_back(std::move(n));
    }
  }
  if (stmt != 0) isc_dsql_free_statement(status, &stmt, DSQL_drop);
  if (tr != 0) isc_commit_transaction(status, &tr);
  return names.size();
}

void BM_FirebirdTableNames(benchmark::State& state) {
  static Database database;
  static bool made = false;
  if (database.Ok() && !made) {
    std::vector<std::string> script;
    for (int i = 0; i < kTables; ++i) script.push_back("create table t" + std::to_string(i) + "(id int, name varchar(20))");
    database.Run(script);
    made = true;
  }
  if (!database.Ok()) return state.SkipWithError("the database could not be made");
  rtl::InitializePackage(dralvo::PackageInfo());
  {
    auto owner = std::make_unique<rtl::TComponent>(nullptr);
    auto* component = new dralvo::TDVDatabase(owner.get());
    component->SetDatabaseName("BenchTables");
    component->SetServerType(dralvo::TDVServerType::stFirebird);
    component->SetRemoteDatabase(database.File());
    component->Open();
    dvbench::SideBySide(
        state,
        [&] {
          rtl::TStringList list;
          dralvo::Session()->GetTableNames("BenchTables", "", false, &list);
          return list.Count();
        },
        [&] { return DirectTableNames(database.Handle()); });
  }
  rtl::FinalizePackage(dralvo::PackageInfo());
  state.counters["tables"] = kTables;
}

}  // namespace

BENCHMARK(BM_FirebirdTableNames)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
