// Cost of building the Structure view of a module with many datasets (in
// 100 databases of 10 sessions) through the real package's sprigs, against
// making the same number of plain tree nodes, each with one hash look-up
// for its parent. Sizes of 1,000 and 10,000 datasets alternate in one run.
//
// Run: build-*/bin/sprigs_bench. Counters: "ratio" is the tree's time over
// the plain nodes' at 10,000 (goal: at most 3); "linearity" is how far apart
// the times per node at 1,000 and at 10,000 are (goal: at most 1.5). Both
// sides are timed on this thread's processor clock, building only.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "designide/SprigTree.h"
#include "dralvo/Engine.h"
#include "rtl/packages/Packages.h"

namespace {

constexpr int kSessions = 10;
constexpr int kDatabases = 100;

std::string PackageFile() {
  return (std::filesystem::path(rtl::GetModuleFileName(nullptr)).parent_path() / "DclDralvo160.so").string();
}

// The package loaded with settings in a folder of the benchmark's own.
class TLoadedPackage {
 public:
  TLoadedPackage() {
    auto dir = std::filesystem::temp_directory_path() / ("dvbench-sprigs-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    module_ = rtl::LoadPackage(PackageFile());
  }
  ~TLoadedPackage() { rtl::UnloadPackage(module_); }
  TLoadedPackage(const TLoadedPackage&) = delete;
  TLoadedPackage& operator=(const TLoadedPackage&) = delete;

 private:
  rtl::HMODULE module_;
};

// Session names are the runtime's, one set per module.
std::unique_ptr<rtl::TComponent> MakeModule(int dataSets) {
  const std::string s0 = "S" + std::to_string(dataSets) + "_";
  auto module = std::make_unique<rtl::TComponent>(nullptr);
  module->SetName("Big");
  for (int s = 0; s < kSessions; ++s) {
    auto* session = new dralvo::TDVSession(module.get());
    session->SetName("Session" + std::to_string(s));
    session->SetSessionName(s0 + std::to_string(s));
  }
  for (int d = 0; d < kDatabases; ++d) {
    auto* database = new dralvo::TDVDatabase(module.get());
    database->SetName("Database" + std::to_string(d));
    database->SetDatabaseName("D" + std::to_string(d));
    database->SetSessionName(s0 + std::to_string(d % kSessions));
  }
  for (int q = 0; q < dataSets; ++q) {
    auto* query = new dralvo::TDVQuery(module.get());
    query->SetName("Query" + std::to_string(q));
    query->SetDatabaseName("D" + std::to_string(q % kDatabases));
    query->SetSessionName(s0 + std::to_string(q % kDatabases % kSessions));
    query->SQL()->Add("select * from t" + std::to_string(q));
  }
  return module;
}

// Processor time of this thread: the machine may be shared, and time spent
// waiting for a processor is neither side's cost.
double Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Building only, on both sides: the tree and the plain nodes are freed
// outside the measured time, and the allocator settles what was freed
// before the next measurement starts (or the next one would pay for it).
// (A request of this size makes glibc merge the small blocks it holds.)
void SettleFreedMemory() { benchmark::DoNotOptimize(std::make_unique<char[]>(64 * 1024)); }

double BuildTreeSeconds(rtl::TComponent& module) {
  designide::TSprigTree tree;
  SettleFreedMemory();
  const double start = Now();
  tree.Build(&module);
  const double seconds = Now() - start;
  benchmark::DoNotOptimize(tree.Root()->Count());
  return seconds;
}

// The floor: one node per component, named after it (which reads the
// component, as any tree of the module must) and hung under its parent found
// by one hash look-up.
struct TPlainNode {
  std::string Name;
  std::vector<std::unique_ptr<TPlainNode>> Children;
};

double PlainNodesSeconds(const rtl::TComponent& module, const std::vector<std::string>& parents) {
  TPlainNode root;
  std::unordered_map<std::string, TPlainNode*> byName{{"", &root}};
  SettleFreedMemory();
  const double start = Now();
  for (size_t i = 0; i < parents.size(); ++i) {
    TPlainNode* parent = byName.find(parents[i])->second;
    const rtl::TComponent* component = module.Components(static_cast<int>(i));
    parent->Children.push_back(std::make_unique<TPlainNode>(TPlainNode{component->Name(), {}}));
    if (i < kSessions + kDatabases) byName.emplace(component->Name(), parent->Children.back().get());
  }
  const double seconds = Now() - start;
  benchmark::DoNotOptimize(root.Children.size());
  return seconds;
}

struct TCase {
  std::unique_ptr<rtl::TComponent> Module;
  std::vector<std::string> Parents;
};

TCase MakeCase(int dataSets) {
  TCase c{MakeModule(dataSets), {}};
  for (int i = 0; i < c.Module->ComponentCount(); ++i) {
    c.Parents.push_back(i < kSessions              ? ""
                        : i < kSessions + kDatabases ? "Session" + std::to_string((i - kSessions) % kSessions)
                                                     : "Database" + std::to_string((i - kSessions - kDatabases) % kDatabases));
  }
  return c;
}

void BM_BuildStructureView(benchmark::State& state) {
  TLoadedPackage package;
  TCase small = MakeCase(1000), large = MakeCase(10000);
  double treeSmall = 0, treeLarge = 0, plainLarge = 0;
  for (auto _ : state) {
    // As many small builds in a row as make one large one, so that each
    // size is measured in the steady state of its own work.
    for (int i = 0; i < 10; ++i) treeSmall += BuildTreeSeconds(*small.Module) / 10;
    plainLarge += PlainNodesSeconds(*large.Module, large.Parents);
    double t = BuildTreeSeconds(*large.Module);
    treeLarge += t;
    state.SetIterationTime(t);
  }
  const double nodesSmall = small.Module->ComponentCount(), nodesLarge = large.Module->ComponentCount();
  state.counters["ratio"] = treeLarge / plainLarge;
  const double perNodeSmall = treeSmall / nodesSmall, perNodeLarge = treeLarge / nodesLarge;
  state.counters["linearity"] = std::max(perNodeSmall, perNodeLarge) / std::min(perNodeSmall, perNodeLarge);
  const double n = static_cast<double>(state.iterations());
  state.counters["ns_per_node_1k"] = treeSmall / n / nodesSmall * 1e9;
  state.counters["ns_per_node_10k"] = treeLarge / n / nodesLarge * 1e9;
  state.counters["plain_ns_per_node"] = plainLarge / n / nodesLarge * 1e9;
  small.Module.reset();
  large.Module.reset();
}

BENCHMARK(BM_BuildStructureView)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
