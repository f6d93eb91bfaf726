// The Data view on SQLite tables, on Qt's offscreen platform.
// - BM_FirstRowsWithALargeCell: a query of 1,000 records opened in the view
//   and its first rows drawn, with a 1 MB text among the first 100 records
//   against the same without it. Counter "ratio" (goal: at most 1.5).
// - BM_FetchAllFromTheView: every record of a 1,000,000-row table read by
//   the view's "Fetch all", against what `dvdesigner data --limit 1000000`
//   does in-process (the dataset opened with one packet of all the records,
//   each written as a tab-separated line). Counter "ratio" (goal: at most
//   2); "bytes_per_row" is the heap the fetched records took, per record
//   (reported, no goal).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QTableView>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "db/Field.h"
#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "model/CellText.h"
#include "rtl/packages/Units.h"
#include "window/DataPanel.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Processor time of the whole process (the view runs its query on a thread
// of its own): other programs on the machine do not count.
double ProcessSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The heap in use: what freed records leave resident does not count.
double HeapBytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

class TDataHost {
 public:
  TDataHost() : application_((Prepare(), argc_), argv_) {
    path_ = (std::filesystem::temp_directory_path() / ("dv_dataview_bench_" + std::to_string(getpid()) + ".db")).string();
    sqlite3* db = nullptr;
    sqlite3_open(path_.c_str(), &db);
    sqlite3_exec(db,
                 "create table plain(n integer primary key, label text);"
                 "with recursive c(n) as (select 1 union all select n + 1 from c where n < 1000)"
                 " insert into plain select n, 'row ' || n from c;"
                 "create table large as select n, case n when 5 then printf('%.*c', 1048576, 'x') else label end"
                 " as label from plain;"
                 "create table big(id integer primary key, name text, qty int, price real);"
                 "with recursive c(n) as (select 1 union all select n + 1 from c where n < 1000000)"
                 " insert into big select n, 'item number ' || n, n % 97, n * 0.25 from c;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    rtl::InitializePackage(dralvo::PackageInfo());
    owner_ = std::make_unique<rtl::TComponent>(nullptr);
    auto* database = new dralvo::TDVDatabase(owner_.get());
    database->SetDatabaseName("Bench");
    database->SetRemoteDatabase(path_);
    panel_ = std::make_unique<designer::TDataPanel>();
    panel_->resize(900, 500);
    panel_->show();
  }
  ~TDataHost() {
    panel_->SetDataSet(nullptr);
    panel_.reset();
    owner_.reset();
    rtl::FinalizePackage(dralvo::PackageInfo());
    std::filesystem::remove(path_);
  }

  dralvo::TDVQuery& Query(const std::string& table) {
    auto* query = new dralvo::TDVQuery(owner_.get());
    query->SetDatabaseName("Bench");
    query->SQL()->SetText("select * from " + table);
    return *query;
  }
  // Opened in the view, as its Open button does, and the view drawn.
  void ShowInTheView(dralvo::TDVQuery& query) {
    panel_->SetDataSet(&query);
    panel_->Open();
    panel_->WaitForQuery();
    benchmark::DoNotOptimize(panel_->grab());
  }
  void CloseInTheView(dralvo::TDVQuery& query) {
    panel_->SetDataSet(nullptr);
    query.Close();
  }
  designer::TDataPanel& Panel() { return *panel_; }

 private:
  static void Prepare() { setenv("QT_QPA_PLATFORM", "offscreen", 1); }
  int argc_ = 1;
  char name_[15] = "dataview_bench";
  char* argv_[2] = {name_, nullptr};
  QApplication application_;
  std::string path_;
  std::unique_ptr<rtl::TComponent> owner_;
  std::unique_ptr<designer::TDataPanel> panel_;
};

TDataHost& Host() {
  static TDataHost host;
  return host;
}

void BM_FirstRowsWithALargeCell(benchmark::State& state) {
  TDataHost& host = Host();
  dralvo::TDVQuery& plain = host.Query("plain");
  dralvo::TDVQuery& large = host.Query("large");
  double plainTime = 0, largeTime = 0;
  for (auto _ : state) {
    for (dralvo::TDVQuery* query : {&plain, &large}) {
      const double start = ProcessSeconds();
      host.ShowInTheView(*query);
      (query == &plain ? plainTime : largeTime) += ProcessSeconds() - start;
      host.CloseInTheView(*query);
    }
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["ratio"] = largeTime / plainTime;
  state.counters["large_ms"] = largeTime / n * 1e3;
  state.counters["plain_ms"] = plainTime / n * 1e3;
}

// What `data --limit N` does with the records: one packet of them all, each
// written as a line.
size_t DataCommandLines(dralvo::TDVQuery& query, int limit) {
  query.SetPacketRecords(limit);
  query.Open();
  size_t written = 0;
  std::string line;
  for (int n = 0; n < limit && !query.Eof(); ++n, query.Next()) {
    line.clear();
    for (int i = 0; i < query.FieldCount(); ++i) {
      const db::TField& field = *query.Fields(i);
      line += (i > 0 ? "\t" : "") + designer::LineFieldOf(field, field.Value());
    }
    written += line.size() + 1;
  }
  query.Close();
  return written;
}

void BM_FetchAllFromTheView(benchmark::State& state) {
  TDataHost& host = Host();
  dralvo::TDVQuery& inView = host.Query("big");
  dralvo::TDVQuery& printed = host.Query("big");
  Clock::duration viewTime{}, dataTime{};
  double bytesPerRow = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    host.ShowInTheView(inView);
    const double before = HeapBytes();
    host.Panel().FetchAll(false);
    while (host.Panel().Busy()) QApplication::processEvents();
    viewTime += Clock::now() - start;
    bytesPerRow = (HeapBytes() - before) / static_cast<double>(inView.FetchedCount() - 100);
    if (inView.FetchedCount() != 1000000) state.SkipWithError("the view did not fetch every record");
    host.CloseInTheView(inView);

    start = Clock::now();
    benchmark::DoNotOptimize(DataCommandLines(printed, 1000000));
    dataTime += Clock::now() - start;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["ratio"] = Seconds(viewTime) / Seconds(dataTime);
  state.counters["view_ms"] = Seconds(viewTime) / n * 1e3;
  state.counters["data_ms"] = Seconds(dataTime) / n * 1e3;
  state.counters["bytes_per_row"] = bytesPerRow;
}

}  // namespace

BENCHMARK(BM_FirstRowsWithALargeCell)->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_FetchAllFromTheView)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_MAIN();
