// The context-menu verbs of every component of a module, asked of the real
// package's registered component editors as `dvdesigner verbs` asks them (a
// fresh editor per component, every caption), for modules of 5,000 and
// 20,000 components.
//
// Run: build-*/bin/verbs_bench. Counters: "linearity", the cost per
// component at 20,000 over that at 5,000 (goal: at most 1.5); "vs_read",
// the verbs of 20,000 components against reading (and freeing) their module
// (goal: at most 6); and the absolute "us_per_component_5000" and
// "us_per_component_20000". All are timed in the same iteration on this
// thread's processor clock.
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <string>

#include "LoadedPackage.h"
#include "core/DesignModule.h"
#include "model/ComponentVerbs.h"
#include "rtl/system/SysUtils.h"

namespace {

double Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// A data module of `count` components read for design, as the command reads
// it: one database, then queries, update objects, tables and stored
// procedures in turn.
std::unique_ptr<designer::TDesignModule> OpenModule(const dvbench::TLoadedPackage& package, int count) {
  static const char* const kClasses[] = {"TDVQuery", "TDVUpdateSQL", "TDVTable", "TDVStoredProc"};
  std::string text = "object Bench: TDataModule\n  object Shop: TDVDatabase\n    DatabaseName = 'shop'\n  end\n";
  for (int i = 1; i < count; ++i)
    text += "  object C" + std::to_string(i) + ": " + kClasses[i % 4] + "\n  end\n";
  const std::string file = package.File("Bench" + std::to_string(count) + ".dfm");
  rtl::WriteFileAtomic(file, text + "end\n");
  return designer::TDesignModule::Open(file);
}

// Every verb of every component; the length of their captions.
size_t AllVerbs(designer::TDesignModule& module) {
  size_t length = 0;
  for (int i = 0; i < module.Root().ComponentCount(); ++i)
    for (const designer::TVerb& verb : designer::ComponentVerbs(*module.Root().Components(i), module))
      length += verb.Caption.size();
  return length;
}

void BM_VerbsOfLargeModules(benchmark::State& state) {
  const dvbench::TLoadedPackage& package = dvbench::TLoadedPackage::Instance();
  std::unique_ptr<designer::TDesignModule> small = OpenModule(package, 5000), large = OpenModule(package, 20000);
  const std::string largeFile = large->FileName();
  double smallTime = 0, largeTime = 0, readTime = 0;
  for (auto _ : state) {
    double t0 = Now();
    benchmark::DoNotOptimize(AllVerbs(*small));
    double t1 = Now();
    benchmark::DoNotOptimize(AllVerbs(*large));
    double t2 = Now();
    benchmark::DoNotOptimize(designer::TDesignModule::Open(largeFile)->Root().ComponentCount());
    double t3 = Now();
    smallTime += t1 - t0;
    largeTime += t2 - t1;
    readTime += t3 - t2;
  }
  const double rounds = static_cast<double>(state.iterations());
  const double perSmall = smallTime / rounds / 5000 * 1e6, perLarge = largeTime / rounds / 20000 * 1e6;
  state.counters["linearity"] = perLarge / perSmall;
  state.counters["vs_read"] = largeTime / readTime;
  state.counters["us_per_component_5000"] = perSmall;
  state.counters["us_per_component_20000"] = perLarge;
}

}  // namespace

BENCHMARK(BM_VerbsOfLargeModules)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
