// Loading and saving a module of N components, each round timed beside its
// baselines. Every counter is the median over the rounds of one run; ratios
// compare each round with its own baselines.
//
// BM_LoadAndSave (1,000 and 10,000 components)
//   ratio          saving the module / writing, flushing and renaming the
//                  same bytes already made (the disk floor); the goal is at
//                  most 2
//   load_ratio     loading / reading the file's bytes and splitting them into
//                  lines (a figure, not a goal)
//   build_ratio    building the same module by direct calls, with no text
//                  at all / the same baseline: what the component classes
//                  alone cost, the floor under any load
//   load_ms, save_ms, disk_ms, baseline_ms
//
// BM_Growth: loading and saving 1,000 and 50,000 components in each round
//   ratio          the larger of load_growth and save_growth; the goal is at
//                  most 1.5
//   load_growth, save_growth  cost per component at 50,000 / at 1,000
//   load_ns_1000, load_ns_50000, save_ns_1000, save_ns_50000  per component
//
// BM_TenLoads (10,000 components): ten loads in a row, as a person opening
// the module again and again; run it with the machine busy too
//   ratio          the slowest load / the median load; the goal is at most 1.5
//   median_ms, worst_ms
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "FormTestClasses.h"
#include "TempDir.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/text/LineText.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace {

using Clock = std::chrono::steady_clock;

// Built as a reader builds it: in the loading state, so that newcomers are
// not announced to every sibling, and Loaded called once all are there.
std::unique_ptr<formtest::TTestModule> BuildModule(int components) {
  auto root = std::make_unique<formtest::TTestModule>(nullptr);
  root->SetLoadingState(true);
  root->SetName("Big");
  formtest::TTestWidget* previous = nullptr;
  for (int i = 0; i < components; ++i) {
    auto* w = new formtest::TTestWidget(root.get());
    w->SetLoadingState(true);
    const std::string number = std::to_string(i);
    w->SetName("Widget" + number);
    w->SetCaption("Caption of widget " + number + " with a quote ' in it");
    w->SetCount(i);
    w->SetActive(i % 2 == 0);
    w->SetAlign(formtest::TAlign::alTop);
    rtl::TLineText lines;
    lines.AddLine("select * from table" + number);
    lines.AddLine("where id = :id");
    w->Lines()->SetLines(lines);
    w->Font()->SetSize(10);
    static_cast<formtest::TTestItem*>(w->Items()->Add())->SetName("item");
    w->SetBuddy(previous);
    w->SetOnChange("Widget" + number + "Change");
    previous = w;
  }
  for (int i = 0; i < root->ComponentCount(); ++i) {
    root->Components(i)->Loaded();
    root->Components(i)->SetLoadingState(false);
  }
  root->SetLoadingState(false);
  return root;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.emplace_back(text, start, end - start);
    start = end + 1;
  }
  return lines;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The middle value: a round slowed by the machine does not decide.
double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 == 1 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct TRound {
  double Baseline, Load, Save, Build, Disk;
};

std::vector<double> Each(const std::vector<TRound>& rounds, double (*part)(const TRound&)) {
  std::vector<double> values;
  for (const TRound& r : rounds) values.push_back(part(r));
  return values;
}

void BM_LoadAndSave(benchmark::State& state) {
  formtest::RegisterTestClasses();
  const int n = static_cast<int>(state.range(0));
  dvtest::TempDir dir;
  const std::string path = dir.File("Big.dfm");
  const std::string copy = dir.File("Saved.dfm");
  const std::string bytesCopy = dir.File("Bytes.dfm");
  const std::string text = rtl::WriteComponentText(*BuildModule(n));
  rtl::WriteFileAtomic(path, text);
  std::vector<TRound> rounds;
  for (auto _ : state) {
    auto t0 = Clock::now();
    std::vector<std::string> lines = SplitLines(rtl::ReadFileToString(path));
    benchmark::DoNotOptimize(lines.data());
    auto t1 = Clock::now();
    auto root = rtl::ReadComponentFile(path);
    auto t2 = Clock::now();
    rtl::WriteComponentFile(copy, *root);
    auto t3 = Clock::now();
    rtl::WriteFileAtomic(bytesCopy, text);
    auto t4 = Clock::now();
    root.reset();
    auto t5 = Clock::now();
    auto built = BuildModule(n);
    auto t6 = Clock::now();
    built.reset();
    rounds.push_back({Seconds(t1 - t0), Seconds(t2 - t1), Seconds(t3 - t2), Seconds(t6 - t5), Seconds(t4 - t3)});
  }
  if (rtl::ReadFileToString(copy) != text) state.SkipWithError("save changed the text");
  state.counters["ratio"] = Median(Each(rounds, [](const TRound& r) { return r.Save / r.Disk; }));
  state.counters["load_ratio"] = Median(Each(rounds, [](const TRound& r) { return r.Load / r.Baseline; }));
  state.counters["build_ratio"] = Median(Each(rounds, [](const TRound& r) { return r.Build / r.Baseline; }));
  state.counters["baseline_ms"] = Median(Each(rounds, [](const TRound& r) { return r.Baseline * 1e3; }));
  state.counters["load_ms"] = Median(Each(rounds, [](const TRound& r) { return r.Load * 1e3; }));
  state.counters["save_ms"] = Median(Each(rounds, [](const TRound& r) { return r.Save * 1e3; }));
  state.counters["disk_ms"] = Median(Each(rounds, [](const TRound& r) { return r.Disk * 1e3; }));
}

// One module's file, loaded and saved in the rounds of BM_Growth.
struct TSized {
  explicit TSized(const dvtest::TempDir& dir, int n)
      : Components(n), Path(dir.File("Load" + std::to_string(n) + ".dfm")),
        Copy(dir.File("Save" + std::to_string(n) + ".dfm")) {
    rtl::WriteFileAtomic(Path, rtl::WriteComponentText(*BuildModule(n)));
  }
  // Per component, in nanoseconds.
  void Round() {
    auto t0 = Clock::now();
    auto root = rtl::ReadComponentFile(Path);
    auto t1 = Clock::now();
    rtl::WriteComponentFile(Copy, *root);
    auto t2 = Clock::now();
    Load.push_back(Seconds(t1 - t0) * 1e9 / Components);
    Save.push_back(Seconds(t2 - t1) * 1e9 / Components);
  }
  int Components;
  std::string Path, Copy;
  std::vector<double> Load, Save;
};

void BM_Growth(benchmark::State& state) {
  formtest::RegisterTestClasses();
  dvtest::TempDir dir;
  TSized small(dir, 1000), large(dir, 50000);
  for (auto _ : state) {
    small.Round();
    large.Round();
  }
  const double loadGrowth = Median(large.Load) / Median(small.Load);
  const double saveGrowth = Median(large.Save) / Median(small.Save);
  state.counters["ratio"] = std::max(loadGrowth, saveGrowth);
  state.counters["load_growth"] = loadGrowth;
  state.counters["save_growth"] = saveGrowth;
  state.counters["load_ns_1000"] = Median(small.Load);
  state.counters["load_ns_50000"] = Median(large.Load);
  state.counters["save_ns_1000"] = Median(small.Save);
  state.counters["save_ns_50000"] = Median(large.Save);
}

void BM_TenLoads(benchmark::State& state) {
  formtest::RegisterTestClasses();
  dvtest::TempDir dir;
  const std::string path = dir.File("Big.dfm");
  rtl::WriteFileAtomic(path, rtl::WriteComponentText(*BuildModule(static_cast<int>(state.range(0)))));
  std::vector<double> ratios, medians, worsts;
  for (auto _ : state) {
    std::vector<double> loads;
    for (int i = 0; i < 10; ++i) {
      auto t0 = Clock::now();
      auto root = rtl::ReadComponentFile(path);
      loads.push_back(Seconds(Clock::now() - t0) * 1e3);
    }
    const double median = Median(loads), worst = *std::max_element(loads.begin(), loads.end());
    ratios.push_back(worst / median);
    medians.push_back(median);
    worsts.push_back(worst);
  }
  state.counters["ratio"] = Median(ratios);
  state.counters["median_ms"] = Median(medians);
  state.counters["worst_ms"] = Median(worsts);
}

}  // namespace

BENCHMARK(BM_LoadAndSave)->Arg(1000)->Arg(10000)->MinTime(1.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Growth)->MinTime(2.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenLoads)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
// glibc gives freed memory back to the system or keeps it depending on where
// the last round's big buffers lay, so a side of a round may or may not pay
// for fresh pages and the ratio flips between runs. Keeping freed memory
// starts every round from the same warm heap, for both sides alike.
int main(int argc, char** argv) {
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
