// Loading and saving a module of N components, each round timed beside the
// baseline: reading the file's bytes and splitting them into lines. Every
// counter is the median over the rounds of one run; ratios compare each
// round with its own baseline.
//   ratio          (load + save) / baseline; the goal is at most 5
//   load_ratio     load alone / baseline
//   save_ratio     saving the file / baseline: its text goes to disk while
//                  it is being made, then the file is flushed and renamed
//   text_ratio     making the text alone in memory / baseline (not part of
//                  the ratio)
//   build_ratio    building the same module by direct calls, with no text
//                  at all / baseline: what the component classes alone cost,
//                  the floor under any load
//   disk_ratio     writing the file's bytes, already made, through the same
//                  durable replace / baseline: the floor under any save on
//                  this disk
//   ns_per_component  load + save per component; flat across N when linear
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
  double Baseline, Load, Save, Text, Build, Disk;
};

void BM_LoadAndSave(benchmark::State& state) {
  formtest::RegisterTestClasses();
  const int n = static_cast<int>(state.range(0));
  dvtest::TempDir dir;
  const std::string path = dir.File("Big.dfm");
  const std::string copy = dir.File("Saved.dfm");
  const std::string bytesCopy = dir.File("Bytes.dfm");
  rtl::WriteFileAtomic(path, rtl::WriteComponentText(*BuildModule(n)));
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
    std::string text = rtl::WriteComponentText(*root);
    benchmark::DoNotOptimize(text.data());
    auto t4 = Clock::now();
    root.reset();
    auto t5 = Clock::now();
    auto built = BuildModule(n);
    auto t6 = Clock::now();
    rtl::WriteFileAtomic(bytesCopy, text);
    auto t7 = Clock::now();
    built.reset();
    rounds.push_back({Seconds(t1 - t0), Seconds(t2 - t1), Seconds(t3 - t2), Seconds(t4 - t3), Seconds(t6 - t5),
                      Seconds(t7 - t6)});
  }
  if (rtl::ReadFileToString(copy) != rtl::ReadFileToString(path)) state.SkipWithError("save changed the text");
  // Each round's times against that round's baseline, then the median.
  auto ratio = [&](auto part) {
    std::vector<double> values;
    for (const TRound& r : rounds) values.push_back(part(r) / r.Baseline);
    return Median(values);
  };
  auto ms = [&](auto part) {
    std::vector<double> values;
    for (const TRound& r : rounds) values.push_back(part(r) * 1e3);
    return Median(values);
  };
  state.counters["ratio"] = ratio([](const TRound& r) { return r.Load + r.Save; });
  state.counters["load_ratio"] = ratio([](const TRound& r) { return r.Load; });
  state.counters["save_ratio"] = ratio([](const TRound& r) { return r.Save; });
  state.counters["text_ratio"] = ratio([](const TRound& r) { return r.Text; });
  state.counters["build_ratio"] = ratio([](const TRound& r) { return r.Build; });
  state.counters["disk_ratio"] = ratio([](const TRound& r) { return r.Disk; });
  state.counters["baseline_ms"] = ms([](const TRound& r) { return r.Baseline; });
  state.counters["load_ms"] = ms([](const TRound& r) { return r.Load; });
  state.counters["save_ms"] = ms([](const TRound& r) { return r.Save; });
  state.counters["ns_per_component"] = ms([](const TRound& r) { return r.Load + r.Save; }) * 1e6 / n;
}

}  // namespace

BENCHMARK(BM_LoadAndSave)->Arg(1000)->Arg(10000)->MinTime(1.0)->Unit(benchmark::kMillisecond);
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
