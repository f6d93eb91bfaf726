// dvdesigner check as CI runs it: 100 modules of 10 update objects each (on
// one SQLite file, four statements an object) checked in one run, against
// checking them one run per module less the cost every run pays once
// (starting the program and loading the package: a run on a module whose
// one update object has nothing to check), counted once:
//   ratio = one run / (runs per module - 99 starts)       goal: <= 1.2
// Absolute figures: one_run_ms, per_module_runs_ms, start_ms.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Subprocess.h"

namespace {

constexpr int kModules = 100;
constexpr int kObjects = 10;

namespace fs = std::filesystem;

std::string Table(int i) { return "t" + std::to_string(i); }

std::string ModuleText(int objects) {
  std::string text =
      "object BenchModule: TDataModule\n  object Db: TDVDatabase\n    DatabaseName = 'bench'\n"
      "    LoginPrompt = False\n    RemoteDatabase = 'bench.db'\n    ServerType = stSQLite\n  end\n";
  for (int i = 0; i < objects; ++i) {
    const std::string n = std::to_string(i), t = Table(i);
    text += "  object Q" + n + ": TDVQuery\n    DatabaseName = 'bench'\n    UpdateObject = U" + n +
            "\n    SQL.Strings = (\n      'select id, code, name from " + t + "')\n  end\n";
    text += "  object U" + n + ": TDVUpdateSQL\n"
            "    RefreshSQL.Strings = (\n      'select id, code, name'#13#10 +\n      'from " + t +
            "'\n      'where'\n      '  id = :OLD_id')\n"
            "    ModifySQL.Strings = (\n      'update " + t + "'\n      'set'\n      '  code = :code,'\n"
            "      '  name = :name'\n      'where'\n      '  id = :OLD_id')\n"
            "    InsertSQL.Strings = (\n      'insert into " + t + "'\n      '  (id, code, name)'\n"
            "      'values'\n      '  (:id, :code, :name)')\n"
            "    DeleteSQL.Strings = (\n      'delete from " + t + "'\n      'where'\n      '  id = :OLD_id')\n"
            "  end\n";
  }
  return text + "end\n";
}

class TModules {
 public:
  TModules() : dir_(fs::temp_directory_path() / ("dvbench-check-" + std::to_string(getpid()))) {
    fs::create_directories(dir_ / "modules");
    fs::create_directories(dir_ / "config");
    // The package writes its settings when it unloads: into a scratch folder.
    setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
    sqlite3* db = nullptr;
    sqlite3_open((dir_ / "modules" / "bench.db").c_str(), &db);
    std::string script = "begin;";
    for (int i = 0; i < kObjects; ++i)
      script += "create table " + Table(i) + "(id integer primary key, code text not null, name text);";
    sqlite3_exec(db, (script + "commit;").c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const std::string module = ModuleText(kObjects);
    for (int i = 0; i < kModules; ++i) {
      const std::string name = "m" + std::to_string(1000 + i) + ".dfm";
      std::ofstream(dir_ / "modules" / name) << module;
      files_.push_back("modules/" + name);
    }
    std::ofstream(dir_ / "Start.dfm") << "object M: TDataModule\n  object U: TDVUpdateSQL\n  end\nend\n";
    program_ = (fs::read_symlink("/proc/self/exe").parent_path() / "dvdesigner").string();
  }
  ~TModules() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // Seconds of one run of check; the exit status must be `expected`.
  double Run(const std::vector<std::string>& operands, int expected, benchmark::State& state) const {
    std::vector<std::string> argv{program_, "check"};
    argv.insert(argv.end(), operands.begin(), operands.end());
    const auto start = std::chrono::steady_clock::now();
    const dvtest::TProcessResult r = dvtest::RunProcess(argv, dir_.string());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (r.ExitCode != expected) state.SkipWithError(("check exited " + std::to_string(r.ExitCode) + ": " + r.Err).c_str());
    return seconds;
  }
  const std::vector<std::string>& Files() const { return files_; }

 private:
  fs::path dir_;
  std::string program_;
  std::vector<std::string> files_;
};

void BM_CheckManyModulesInOneRun(benchmark::State& state) {
  static TModules modules;
  double oneRun = 0, perModule = 0, starts = 0;
  for (auto _ : state) {
    oneRun += modules.Run({"modules"}, 0, state);
    // Each run per module beside a run that only starts, so that the start
    // is measured under the same load as the runs it is taken from.
    for (const std::string& file : modules.Files()) {
      perModule += modules.Run({file}, 0, state);
      starts += modules.Run({"Start.dfm"}, 2, state);
    }
  }
  const double n = static_cast<double>(state.iterations());
  const double start = starts / (n * kModules);
  state.counters["ratio"] = oneRun / (perModule - n * (kModules - 1) * start);
  state.counters["one_run_ms"] = oneRun / n * 1e3;
  state.counters["per_module_runs_ms"] = perModule / n * 1e3;
  state.counters["start_ms"] = start * 1e3;
}

}  // namespace

BENCHMARK(BM_CheckManyModulesInOneRun)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_MAIN();
