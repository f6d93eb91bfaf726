// Loading a module of N sessions, each with one database and one query,
// against loading as many databases and queries in one session, in the same
// run. Counters:
//   growth       loading 10,000 sessions / loading 1,000 (goal: <= 12)
//   vs_one       loading 10,000 sessions / 10,000 databases in one session
//                (goal: <= 2)
//   growth_one   the same growth of databases in one session, for comparison
//   s_sessions   seconds for one load of 10,000 sessions
//   s_one        seconds for one load of 10,000 databases in one session
// Times are the thread's processor time (a shared machine's other work does
// not count), averaged over five rounds.
#include <benchmark/benchmark.h>

#include <time.h>

#include <memory>
#include <string>

#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/packages/Units.h"

namespace {

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

class TBenchModule : public rtl::TComponent {
  RTL_CLASS(TBenchModule)
 public:
  explicit TBenchModule(rtl::TComponent* owner) : TComponent(owner) {}
};

const rtl::TClass& TBenchModule::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TBenchModule>("TBenchModule", &rtl::TComponent::StaticClass()).Creatable().Build();
  return cls;
}

// N databases with a query each; with `sessions` each pair in a session of
// its own, else all in the default session.
std::string ModuleText(int n, bool sessions) {
  std::string text = "object M: TBenchModule\n";
  for (int i = 0; i < n; ++i) {
    const std::string k = std::to_string(i);
    const std::string session = sessions ? "    SessionName = 's" + k + "'\n" : "";
    if (sessions) text += "  object S" + k + ": TDVSession\n" + session + "  end\n";
    text += "  object D" + k + ": TDVDatabase\n    DatabaseName = 'd" + k + "'\n" + session + "  end\n";
    text += "  object Q" + k + ": TDVQuery\n    DatabaseName = 'd" + k + "'\n" + session +
            "    SQL.Strings = (\n      'select 1')\n  end\n";
  }
  return text + "end\n";
}

double LoadSeconds(const std::string& text) {
  const double t0 = ThreadSeconds();
  auto module = rtl::ReadComponentText(text, "bench.dfm");
  const double t1 = ThreadSeconds();
  benchmark::DoNotOptimize(module.get());
  return t1 - t0;
}

void BM_LoadSessions(benchmark::State& state) {
  rtl::InitializePackage(dralvo::PackageInfo());
  rtl::RegisterClass(TBenchModule::StaticClass());
  const std::string small = ModuleText(1000, true), large = ModuleText(10000, true),
                    oneSession = ModuleText(10000, false), oneSessionSmall = ModuleText(1000, false);
  double tSmall = 0, tLarge = 0, tOne = 0, tOneSmall = 0;
  for (auto _ : state) {
    tSmall += LoadSeconds(small);
    tLarge += LoadSeconds(large);
    tOne += LoadSeconds(oneSession);
    tOneSmall += LoadSeconds(oneSessionSmall);
  }
  const auto rounds = static_cast<double>(state.iterations());
  rtl::UnRegisterClass(TBenchModule::StaticClass());
  rtl::FinalizePackage(dralvo::PackageInfo());
  state.counters["growth"] = tLarge / tSmall;
  state.counters["vs_one"] = tLarge / tOne;
  state.counters["growth_one"] = tOne / tOneSmall;
  state.counters["s_sessions"] = tLarge / rounds;
  state.counters["s_one"] = tOne / rounds;
}

}  // namespace

BENCHMARK(BM_LoadSessions)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
