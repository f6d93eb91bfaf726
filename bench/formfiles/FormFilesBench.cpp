// Loading and saving a module of N components, each round timed beside the
// baseline: reading the file's bytes and splitting them into lines.
//   ratio          (load + save) / baseline; the goal is at most 5
//   load_ratio     load alone / baseline
//   save_ratio     saving the file / baseline: its text goes to disk while
//                  it is being made, then the file is flushed and renamed
//   text_ratio     making the text alone in memory / baseline (not part of
//                  the ratio)
//   ns_per_component  load + save per component; flat across N when linear
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "FormTestClasses.h"
#include "TempDir.h"
#include "rtl/FormFiles.h"
#include "rtl/SysUtils.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string ModuleText(int components) {
  formtest::TTestModule root(nullptr);
  root.SetName("Big");
  formtest::TTestWidget* previous = nullptr;
  for (int i = 0; i < components; ++i) {
    auto* w = new formtest::TTestWidget(&root);
    w->SetName("Widget" + std::to_string(i));
    w->SetCaption("Caption of widget " + std::to_string(i) + " with a quote ' in it");
    w->SetCount(i);
    w->SetActive(i % 2 == 0);
    w->SetAlign(formtest::TAlign::alTop);
    w->Lines()->Add("select * from table" + std::to_string(i));
    w->Lines()->Add("where id = :id");
    w->Font()->SetSize(10);
    static_cast<formtest::TTestItem*>(w->Items()->Add())->SetName("item");
    w->SetBuddy(previous);
    w->SetOnChange("Widget" + std::to_string(i) + "Change");
    previous = w;
  }
  return rtl::WriteComponentText(root);
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

void BM_LoadAndSave(benchmark::State& state) {
  formtest::RegisterTestClasses();
  const int n = static_cast<int>(state.range(0));
  dvtest::TempDir dir;
  const std::string path = dir.File("Big.dfm");
  const std::string copy = dir.File("Saved.dfm");
  rtl::WriteFileAtomic(path, ModuleText(n));
  double baseline = 0, load = 0, save = 0, textOnly = 0, teardown = 0;
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
    baseline += Seconds(t1 - t0);
    load += Seconds(t2 - t1);
    save += Seconds(t3 - t2);
    textOnly += Seconds(t4 - t3);
    teardown += Seconds(t5 - t4);
  }
  if (rtl::ReadFileToString(copy) != rtl::ReadFileToString(path)) state.SkipWithError("save changed the text");
  state.counters["ratio"] = (load + save) / baseline;
  state.counters["load_ratio"] = load / baseline;
  state.counters["save_ratio"] = save / baseline;
  state.counters["text_ratio"] = textOnly / baseline;
  state.counters["free_ratio"] = teardown / baseline;
  const double perRound = 1e3 / static_cast<double>(state.iterations());
  state.counters["baseline_ms"] = baseline * perRound;
  state.counters["load_ms"] = load * perRound;
  state.counters["save_ms"] = save * perRound;
  state.counters["ns_per_component"] = (load + save) * 1e9 / static_cast<double>(state.iterations()) / n;
}

}  // namespace

BENCHMARK(BM_LoadAndSave)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
