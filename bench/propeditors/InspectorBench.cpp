// The Object Inspector through the real package's registered editors.
//
// BM_TableNameValues: the "TableName" value list of a table on a SQLite
// database of 10,000 tables (as a person opens the drop-down: listed and
// sorted) against the runtime's GetTableNames alone. Counter "ratio"
// (goal: at most 1.5).
// BM_InspectorRows: the rows of a selection of 200 queries with every
// row's value text, against reading the same properties of the same
// components through the class descriptors. Counters "ratio" (goal: at
// most 3) and "linearity", how far apart the cost per selected component at
// 50 and at 200 is (goal: near 1).
//
// Run: build/bin/propeditors_bench. Both sides of a ratio are timed in the
// same iteration on this thread's processor clock.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "LoadedPackage.h"
#include "designide/ObjectInspector.h"
#include "dralvo/Engine.h"
#include "rtl/packages/Packages.h"
#include "rtl/system/SysUtils.h"
#include "rtl/text/Strings.h"

namespace {

constexpr int kTables = 10000;

double Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

using dvbench::TLoadedPackage;

void MakeTables(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  std::string script = "begin;";
  for (int i = 0; i < kTables; ++i) script += "create table t" + std::to_string(i) + "(id integer primary key, name text);";
  sqlite3_exec(db, (script + "commit;").c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

void BM_TableNameValues(benchmark::State& state) {
  TLoadedPackage& package = TLoadedPackage::Instance();
  MakeTables(package.File("tables.db"));
  rtl::TComponent module(nullptr);
  module.SetName("Bench");
  auto* database = new dralvo::TDVDatabase(&module);
  database->SetDatabaseName("bench");
  database->SetRemoteDatabase(package.File("tables.db"));
  database->Open();
  auto* table = new dralvo::TDVTable(&module);
  table->SetName("Table1");
  table->SetDatabaseName("bench");
  designide::TObjectInspector inspector(nullptr, {table});
  designide::TInspectorRow* row = inspector.FindRow("TableName");
  double inspectorTime = 0, runtimeTime = 0;
  for (auto _ : state) {
    double t0 = Now();
    benchmark::DoNotOptimize(row->Values().size());
    double t1 = Now();
    rtl::TStringList names;
    dralvo::Session()->GetTableNames("bench", "", false, &names);
    benchmark::DoNotOptimize(names.Count());
    double t2 = Now();
    inspectorTime += t1 - t0;
    runtimeTime += t2 - t1;
  }
  state.counters["ratio"] = inspectorTime / runtimeTime;
  state.counters["runtime_ms"] = runtimeTime / static_cast<double>(state.iterations()) * 1e3;
}

// Queries with the settings a real module's have.
std::vector<rtl::TPersistent*> MakeQueries(rtl::TComponent& module, int count) {
  std::vector<rtl::TPersistent*> queries;
  for (int i = 0; i < count; ++i) {
    auto* query = new dralvo::TDVQuery(&module);
    query->SetName("Query" + std::to_string(module.ComponentCount()));
    query->SetDatabaseName("D" + std::to_string(i % 10));
    query->SQL()->SetText("select * from t" + std::to_string(i));
    queries.push_back(query);
  }
  return queries;
}

// Every value text of every row, as the inspector shows them.
size_t InspectorRows(const std::vector<rtl::TPersistent*>& selection) {
  designide::TObjectInspector inspector(nullptr, selection);
  size_t length = 0;
  for (const auto& row : inspector.Rows()) length += row->Value().size();
  return length;
}

// The floor: each published property of each component read through its
// descriptor and made text, as the rows' values are.
size_t DescriptorValues(const std::vector<rtl::TPersistent*>& selection) {
  size_t length = 0;
  for (rtl::TPersistent* component : selection) {
    for (const rtl::TPropInfo* prop : component->ClassType().Properties()) {
      if (prop->GetStr)
        length += prop->GetStr(*component).size();
      else if (prop->GetOrd)
        length += rtl::IntToStr(prop->GetOrd(*component)).size();
      else if (prop->GetObj)
        length += prop->GetObj(*component) != nullptr ? 1 : 0;
    }
  }
  return length;
}

void BM_InspectorRows(benchmark::State& state) {
  TLoadedPackage::Instance();
  rtl::TComponent module(nullptr);
  module.SetName("Bench");
  const std::vector<rtl::TPersistent*> small = MakeQueries(module, 50), large = MakeQueries(module, 200);
  double inspectorSmall = 0, inspectorLarge = 0, descriptorsLarge = 0;
  for (auto _ : state) {
    double t0 = Now();
    for (int i = 0; i < 4; ++i) benchmark::DoNotOptimize(InspectorRows(small));
    double t1 = Now();
    benchmark::DoNotOptimize(InspectorRows(large));
    double t2 = Now();
    benchmark::DoNotOptimize(DescriptorValues(large));
    double t3 = Now();
    inspectorSmall += (t1 - t0) / 4;
    inspectorLarge += t2 - t1;
    descriptorsLarge += t3 - t2;
  }
  state.counters["ratio"] = inspectorLarge / descriptorsLarge;
  const double perSmall = inspectorSmall / 50, perLarge = inspectorLarge / 200;
  state.counters["linearity"] = std::max(perSmall, perLarge) / std::min(perSmall, perLarge);
  state.counters["us_per_component"] = perLarge / static_cast<double>(state.iterations()) * 1e6;
}

}  // namespace

BENCHMARK(BM_TableNameValues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InspectorRows)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
