// Reading a long history of recent databases from the settings file: the
// cost per item at 10,000 and at 50,000 items.
//   ratio          per item at 50,000 / per item at 10,000; the goal is at
//                  most 1.5 (linear)
//   ns_per_item_10000, ns_per_item_50000
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "DVReg/DesignSettings.h"
#include "rtl/settings/Registry.h"

namespace {

using Clock = std::chrono::steady_clock;

// A settings folder whose file holds `items` recent databases, and a
// registry store of its own pointing there.
class History {
 public:
  explicit History(int items) : items_(items) {
    char pattern[] = "/tmp/dvbench-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    std::string text = "[RecentDatabases]\nMaxCount=" + std::to_string(items) + "\n";
    for (int i = 0; i < items; ++i) {
      char key[16];
      std::snprintf(key, sizeof key, "Item%.2d", i);
      text += std::string(key) + "=/srv/data/database-" + std::to_string(i) + ".db\n";
    }
    std::ofstream(dir_ + "/dralvo.ini", std::ios::binary) << text;
  }
  ~History() { std::filesystem::remove_all(dir_); }

  // Nanoseconds per item of one read of the whole history.
  double ReadNsPerItem() const {
    ::setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    {
      rtl::TRegistry registry;
      registry.OpenKey("Software\\Dralvo", true);
      registry.WriteString("RootDir", dir_);
    }
    auto t0 = Clock::now();
    dv::TDesignSettings settings;
    const int count = settings.RecentDatabases()->Count();
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - t0).count();
    return count == items_ ? ns / items_ : -1;
  }

 private:
  int items_;
  std::string dir_;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void BM_HistoryReadGrowth(benchmark::State& state) {
  const History small(10000), large(50000);
  std::vector<double> s, l;
  for (auto _ : state) {
    s.push_back(small.ReadNsPerItem());
    l.push_back(large.ReadNsPerItem());
  }
  if (Median(s) < 0 || Median(l) < 0) state.SkipWithError("the history was not read whole");
  state.counters["ratio"] = Median(l) / Median(s);
  state.counters["ns_per_item_10000"] = Median(s);
  state.counters["ns_per_item_50000"] = Median(l);
}

}  // namespace

BENCHMARK(BM_HistoryReadGrowth)->MinTime(1.0)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
