#pragma once
// Times the runtime's way and a direct baseline in turns within one run and
// reports their quotient as the counter "ratio", with the absolute times of
// one iteration as "runtime_us" and "direct_us".
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
  const double runtimeSeconds = std::chrono::duration<double>(runtimeTime).count();
  const double directSeconds = std::chrono::duration<double>(directTime).count();
  const double iterations = static_cast<double>(state.iterations());
  state.counters["ratio"] = runtimeSeconds / directSeconds;
  state.counters["runtime_us"] = runtimeSeconds / iterations * 1e6;
  state.counters["direct_us"] = directSeconds / iterations * 1e6;
}

}  // namespace dvbench
