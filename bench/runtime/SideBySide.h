#pragma once
// Times the runtime's way and a direct baseline in turns within one run and
// reports their quotient as the counter "ratio".
#include <benchmark/benchmark.h>

#include <chrono>

namespace dvbench {

template <class RuntimeWork, class DirectWork>
void SideBySide(benchmark::State& state, RuntimeWork runtime, DirectWork direct) {
  using Clock = std::chrono::steady_clock;
  Clock::duration runtimeTime{}, directTime{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    benchmark::DoNotOptimize(runtime());
    auto t1 = Clock::now();
    benchmark::DoNotOptimize(direct());
    auto t2 = Clock::now();
    runtimeTime += t1 - t0;
    directTime += t2 - t1;
  }
  state.counters["ratio"] =
      std::chrono::duration<double>(runtimeTime).count() / std::chrono::duration<double>(directTime).count();
}

}  // namespace dvbench
