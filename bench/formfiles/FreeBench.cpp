// Freeing a module of N components, each round timed beside the baseline:
// freeing as many unowned components one by one.
//   free_ratio        freeing the module / baseline; flat across N when the
//                     owner's freeing is linear
//   ns_per_component  freeing the module, per component
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "FormTestClasses.h"

namespace {

using Clock = std::chrono::steady_clock;

// Every widget refers to the one made before it, as a module's components
// refer to each other.
std::unique_ptr<formtest::TTestModule> Module(int components) {
  auto root = std::make_unique<formtest::TTestModule>(nullptr);
  root->SetLoadingState(true);  // as a reader builds it: newcomers are not announced to every sibling
  formtest::TTestWidget* previous = nullptr;
  for (int i = 0; i < components; ++i) {
    auto* w = new formtest::TTestWidget(root.get());
    w->SetName("Widget" + std::to_string(i));
    w->SetBuddy(previous);
    previous = w;
  }
  root->SetLoadingState(false);
  return root;
}

std::vector<std::unique_ptr<formtest::TTestWidget>> Unowned(int components) {
  std::vector<std::unique_ptr<formtest::TTestWidget>> widgets;
  for (int i = 0; i < components; ++i) {
    widgets.push_back(std::make_unique<formtest::TTestWidget>(nullptr));
    widgets.back()->SetName("Widget" + std::to_string(i));
  }
  return widgets;
}

void BM_FreeModule(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  double baseline = 0, module = 0;
  for (auto _ : state) {
    auto widgets = Unowned(n);
    auto root = Module(n);
    // The module goes first: freeing its name index makes the allocator
    // tidy every small block freed before, which is the module's own then.
    auto t0 = Clock::now();
    root.reset();
    auto t1 = Clock::now();
    while (!widgets.empty()) widgets.pop_back();  // last made first, as an owner does
    auto t2 = Clock::now();
    module += std::chrono::duration<double>(t1 - t0).count();
    baseline += std::chrono::duration<double>(t2 - t1).count();
  }
  if (formtest::LiveObjects() != 0) state.SkipWithError("objects left alive");
  state.counters["free_ratio"] = module / baseline;
  state.counters["ns_per_component"] = module * 1e9 / static_cast<double>(state.iterations()) / n;
}

}  // namespace

BENCHMARK(BM_FreeModule)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
