// Reading a long history of recent databases from the settings file, at
// 20,000 and at 100,000 items, beside a baseline that does the memory work
// any reader must do: the file's lines split into a hash map of key and
// value. On a shared machine the cost per item of even that baseline grows
// with the size (caches), so the goal is stated against it.
//   growth            settings: ns per item at 100,000 / at 20,000
//   baseline_growth   the same for the baseline
//   ratio             growth / baseline_growth; the goal is at most 1.5
//                     (linear: a read per item made it about 5)
//   ns_per_item_20000, ns_per_item_100000
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

#include "DVReg/settings/DesignSettings.h"
#include "rtl/settings/Registry.h"

namespace {

// Time this thread spent on the processor: the figures hold on a busy machine.
double CpuNs() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

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
    std::ofstream(File(), std::ios::binary) << text;
  }
  ~History() { std::filesystem::remove_all(dir_); }

  // Nanoseconds per item of one read of the whole history; -1 when it was
  // not read whole.
  double ReadNsPerItem() const {
    ::setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    {
      rtl::TRegistry registry;
      registry.OpenKey("Software\\Dralvo", true);
      registry.WriteString("RootDir", dir_);
    }
    const double t0 = CpuNs();
    dv::TDesignSettings settings;
    const int count = settings.RecentDatabases()->Count();
    const double ns = CpuNs() - t0;
    return count == items_ ? ns / items_ : -1;
  }

  double BaselineNsPerItem() const {
    const double t0 = CpuNs();
    std::ifstream in(File(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::unordered_map<std::string, std::string> entries;
    for (size_t start = 0; start < text.size();) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      const size_t eq = text.find('=', start);
      if (eq < end) entries.emplace(text.substr(start, eq - start), text.substr(eq + 1, end - eq - 1));
      start = end + 1;
    }
    benchmark::DoNotOptimize(entries);
    return (CpuNs() - t0) / items_;
  }

 private:
  std::string File() const { return dir_ + "/dralvo.ini"; }

  int items_;
  std::string dir_;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void BM_HistoryReadGrowth(benchmark::State& state) {
  const History small(20000), large(100000);
  std::vector<double> s, l, bs, bl;
  for (auto _ : state) {
    s.push_back(small.ReadNsPerItem());
    bs.push_back(small.BaselineNsPerItem());
    l.push_back(large.ReadNsPerItem());
    bl.push_back(large.BaselineNsPerItem());
  }
  if (Median(s) < 0 || Median(l) < 0) state.SkipWithError("the history was not read whole");
  const double growth = Median(l) / Median(s), baselineGrowth = Median(bl) / Median(bs);
  state.counters["growth"] = growth;
  state.counters["baseline_growth"] = baselineGrowth;
  state.counters["ratio"] = growth / baselineGrowth;
  state.counters["ns_per_item_20000"] = Median(s);
  state.counters["ns_per_item_100000"] = Median(l);
}

}  // namespace

BENCHMARK(BM_HistoryReadGrowth)->MinTime(2.0)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
