// dvdesigner check's work on one SQLite file: 100 update objects of four
// statements each, checked by the runtime, side by side with preparing the
// same 400 statements directly with sqlite3. The counter "ratio" is check
// time / direct time (goal: <= 3).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "dralvo/SqlParser.h"
#include "dralvo/UpdateCheck.h"
#include "rtl/packages/Units.h"

namespace {

constexpr int kObjects = 100;

class Module {
 public:
  Module() {
    path_ = (std::filesystem::temp_directory_path() / "dv_check_bench.db").string();
    std::filesystem::remove(path_);
    sqlite3_open(path_.c_str(), &db_);
    std::string script = "begin;";
    for (int i = 0; i < kObjects; ++i) {
      std::string t = "t" + std::to_string(i);
      script += "create table " + t + "(id integer primary key, code text not null, name text, qty int," +
                " price real, unique (code));";
    }
    sqlite3_exec(db_, (script + "commit;").c_str(), nullptr, nullptr, nullptr);
    rtl::InitializePackage(dralvo::PackageInfo());
    owner_ = std::make_unique<rtl::TComponent>(nullptr);
    auto* database = new dralvo::TDVDatabase(owner_.get());
    database->SetDatabaseName("Bench");
    database->SetRemoteDatabase(path_);
    database->Open();
    for (int i = 0; i < kObjects; ++i) {
      std::string t = "t" + std::to_string(i);
      auto* query = new dralvo::TDVQuery(owner_.get());
      query->SetDatabaseName("Bench");
      query->SQL()->SetText("select id, code, name, qty, price as cost from " + t);
      auto* update = new dralvo::TDVUpdateSQL(owner_.get());
      update->RefreshSQL()->SetText("select id, code, name, qty, price as cost\r\nfrom " + t +
                                    "\nwhere\n  id = :OLD_id");
      update->ModifySQL()->SetText("update " + t + "\nset\n  code = :code,\n  name = :name,\n  qty = :qty,\n"
                                   "  price = :cost\nwhere\n  id = :OLD_id");
      update->InsertSQL()->SetText("insert into " + t + "\n  (id, code, name, qty, price)\nvalues\n"
                                   "  (:id, :code, :name, :qty, :cost)");
      update->DeleteSQL()->SetText("delete from " + t + "\nwhere\n  id = :OLD_id");
      query->SetUpdateObject(update);
      updates_.push_back(update);
      for (int s = 0; s < 4; ++s)
        statements_.push_back(
            dralvo::sql::ToPositionalParams(update->GetSQLIndex(s)->Text(), dralvo::sql::ParamMarker::Question).sql);
    }
  }
  ~Module() {
    owner_.reset();
    rtl::FinalizePackage(dralvo::PackageInfo());
    sqlite3_close(db_);
    std::filesystem::remove(path_);
  }
  size_t Check() {
    size_t findings = 0;
    for (dralvo::TDVUpdateSQL* u : updates_) findings += dralvo::CheckUpdateObject(*u).Findings.size();
    return findings;
  }
  size_t PrepareDirectly() {
    size_t prepared = 0;
    for (const std::string& sql : statements_) {
      sqlite3_stmt* stmt = nullptr;
      if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) ++prepared;
      sqlite3_finalize(stmt);
    }
    return prepared;
  }

 private:
  std::string path_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<rtl::TComponent> owner_;
  std::vector<dralvo::TDVUpdateSQL*> updates_;
  std::vector<std::string> statements_;
};

using Clock = std::chrono::steady_clock;

void BM_Check100UpdateObjects(benchmark::State& state) {
  static Module module;
  if (module.Check() != 0) state.SkipWithError("the statements should all hold");
  Clock::duration checkTime{}, directTime{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    benchmark::DoNotOptimize(module.Check());
    auto t1 = Clock::now();
    benchmark::DoNotOptimize(module.PrepareDirectly());
    auto t2 = Clock::now();
    checkTime += t1 - t0;
    directTime += t2 - t1;
  }
  state.counters["ratio"] =
      std::chrono::duration<double>(checkTime).count() / std::chrono::duration<double>(directTime).count();
}

}  // namespace

BENCHMARK(BM_Check100UpdateObjects)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
