// dvdesigner check's work on one SQLite file: 100 update objects of four
// statements each, checked by the runtime, side by side with preparing the
// same 400 statements directly with sqlite3. The counter "ratio" is check
// time / direct time (goal: <= 2).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CheckedTables.h"
#include "SideBySide.h"
#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
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
    dvbench::TCheckedTables tables = dvbench::AddCheckedTables(owner_.get(), "Bench", kObjects);
    updates_ = std::move(tables.Updates);
    statements_ = std::move(tables.Statements);
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

void BM_Check100UpdateObjects(benchmark::State& state) {
  static Module module;
  if (module.Check() != 0) state.SkipWithError("the statements should all hold");
  dvbench::SideBySide(state, [&] { return module.Check(); }, [&] { return module.PrepareDirectly(); });
}

}  // namespace

BENCHMARK(BM_Check100UpdateObjects)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
