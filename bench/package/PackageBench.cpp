// Cost of loading the real package through the loader (resources read,
// required packages, unit start-up, Register, and the full unload) against
// a bare dlopen/dlclose of the same file, side by side in one run.
//
// Run: build-*/bin/package_bench. The "ratio" counter of the loader cycle is
// its time over the bare cycle measured just before it (goal: at most 3).
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "designide/Registration.h"
#include "rtl/packages/Packages.h"

namespace {

std::string PackageFile() {
  return (std::filesystem::path(rtl::GetModuleFileName(nullptr)).parent_path() / "DclDralvo160.so").string();
}

// Settings and registry in a folder of the benchmark's own.
void UsePrivateSettings() {
  static const std::string dir = [] {
    auto path = std::filesystem::temp_directory_path() / ("dvbench-package-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
}

double BareCycleSeconds() {
  auto start = std::chrono::steady_clock::now();
  void* handle = dlopen(PackageFile().c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) throw std::runtime_error(dlerror());
  dlclose(handle);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double LoaderCycleSeconds() {
  auto start = std::chrono::steady_clock::now();
  rtl::HMODULE module = rtl::LoadPackage(PackageFile());
  benchmark::DoNotOptimize(designide::Registrations(module).size());
  rtl::UnloadPackage(module);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_BareDlopenDlclose(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(BareCycleSeconds());
}

// The IDE's own packages stay loaded while design packages come and go.
class THostPackages {
 public:
  THostPackages() {
    auto dir = std::filesystem::path(PackageFile()).parent_path();
    for (const char* name : {"rtl160.so", "dcldb160.so"}) held_.push_back(rtl::LoadPackage((dir / name).string()));
  }
  ~THostPackages() {
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) rtl::UnloadPackage(*it);
  }
  THostPackages(const THostPackages&) = delete;
  THostPackages& operator=(const THostPackages&) = delete;

 private:
  std::vector<rtl::HMODULE> held_;
};

// Alternates the two cycles so that both see the same machine load.
void BM_LoadRegisterUnload(benchmark::State& state) {
  UsePrivateSettings();
  THostPackages host;
  double bare = 0, loader = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bare += BareCycleSeconds();
    state.ResumeTiming();
    double t = LoaderCycleSeconds();
    loader += t;
    state.SetIterationTime(t);
  }
  state.counters["ratio"] = bare > 0 ? loader / bare : 0;
  state.counters["bare_us"] = benchmark::Counter(bare * 1e6 / static_cast<double>(state.iterations()));
}

BENCHMARK(BM_BareDlopenDlclose)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadRegisterUnload)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
