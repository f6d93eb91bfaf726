// A dataset on a 1,000,000-row SQLite table, fetched a packet at a time.
// - BM_FirstPacket: opening the table's query and reading its first 100
//   records, against a hand-written sqlite3 query with LIMIT 100 reading
//   the same values. Counter "ratio" (goal: <= 2).
// - BM_ScrollTo100000: moving to record 10,000 and to record 100,000;
//   counter "per_record_ratio" is the cost of a record on the long way over
//   the short one (goal: about 1, that is linear in the records fetched).
// - BM_MemoryOpen: resident memory with the big table open (first packet)
//   above the same with a 10-row table open. Counter "extra_MB" (goal: <= 20).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>
#include <string>

#include "SideBySide.h"
#include "db/Field.h"
#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "rtl/packages/Units.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Each value read as its own type, as a grid cell reads it.
int64_t Weight(const db::TValue& value) {
  if (value.IsText()) return static_cast<int64_t>(value.AsString().size());
  return value.IsFloat() ? static_cast<int64_t>(value.AsFloat()) : value.AsInteger();
}

class BigTable {
 public:
  BigTable() {
    path_ = (std::filesystem::temp_directory_path() / "dv_fetch_bench.db").string();
    std::filesystem::remove(path_);
    sqlite3_open(path_.c_str(), &db_);
    sqlite3_exec(db_,
                 "create table big(id integer primary key, name text, qty int, price real);"
                 "create table small(id integer primary key, name text, qty int, price real);"
                 "with recursive c(n) as (select 1 union all select n + 1 from c where n < 1000000)"
                 " insert into big select n, 'item number ' || n, n % 97, n * 0.25 from c;"
                 "insert into small select * from big where id <= 10;",
                 nullptr, nullptr, nullptr);
    rtl::InitializePackage(dralvo::PackageInfo());
    owner_ = std::make_unique<rtl::TComponent>(nullptr);
    auto* database = new dralvo::TDVDatabase(owner_.get());
    database->SetDatabaseName("Bench");
    database->SetRemoteDatabase(path_);
    database->Open();
    query_ = new dralvo::TDVQuery(owner_.get());
    query_->SetDatabaseName("Bench");
  }
  ~BigTable() {
    owner_.reset();
    rtl::FinalizePackage(dralvo::PackageInfo());
    sqlite3_close(db_);
    std::filesystem::remove(path_);
  }
  // Opens the query on a table and moves to record `to` (1-based).
  int64_t OpenAndMove(const char* table, int to) {
    query_->Close();
    const std::string sql = std::string("select id, name, qty, price from ") + table;
    if (query_->SQL()->Text() != sql) query_->SQL()->SetText(sql);
    query_->Open();
    int64_t sum = 0;
    for (int i = 1; i <= to && !query_->Eof(); ++i) {
      for (int f = 0; f < 4; ++f) sum += Weight(query_->Fields(f)->Value());
      if (i < to) query_->Next();  // not past the last record wanted, which would fetch a packet more
    }
    return sum;
  }
  int64_t HandWritten100() {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db_, "select id, name, qty, price from big limit 100", -1, &stmt, nullptr);
    int64_t sum = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW)
      sum += sqlite3_column_int64(stmt, 0) + sqlite3_column_bytes(stmt, 1) + sqlite3_column_int64(stmt, 2) +
             static_cast<int64_t>(sqlite3_column_double(stmt, 3));
    sqlite3_finalize(stmt);
    return sum;
  }
  dralvo::TDVQuery& Query() { return *query_; }

 private:
  std::string path_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<rtl::TComponent> owner_;
  dralvo::TDVQuery* query_ = nullptr;
};

BigTable& Table() {
  static BigTable table;
  return table;
}

void BM_FirstPacket(benchmark::State& state) {
  BigTable& table = Table();
  dvbench::SideBySide(
      state,
      [&] {
        const int64_t sum = table.OpenAndMove("big", 100);
        table.Query().Close();
        return sum;
      },
      [&] { return table.HandWritten100(); });
}

void BM_ScrollTo100000(benchmark::State& state) {
  BigTable& table = Table();
  Clock::duration shortTime{}, longTime{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    benchmark::DoNotOptimize(table.OpenAndMove("big", 10000));
    auto t1 = Clock::now();
    benchmark::DoNotOptimize(table.OpenAndMove("big", 100000));
    auto t2 = Clock::now();
    table.Query().Close();
    shortTime += t1 - t0;
    longTime += t2 - t1;
  }
  state.counters["ms_to_100000"] = Seconds(longTime) * 1e3 / static_cast<double>(state.iterations());
  state.counters["per_record_ratio"] = (Seconds(longTime) / 100000) / (Seconds(shortTime) / 10000);
}

double ResidentMB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void BM_MemoryOpen(benchmark::State& state) {
  BigTable& table = Table();
  double small = 0, big = 0;
  for (auto _ : state) {
    table.OpenAndMove("small", 1);
    small = ResidentMB();
    table.OpenAndMove("big", 1);
    big = ResidentMB();
    table.Query().Close();
  }
  state.counters["small_MB"] = small;
  state.counters["big_MB"] = big;
  state.counters["extra_MB"] = big - small;
}

}  // namespace

BENCHMARK(BM_MemoryOpen)->Iterations(1);
BENCHMARK(BM_FirstPacket)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollTo100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
