// Writing a module whose one string is long: the cost per byte at 1 MB and
// at 8 MB, for a string property in one long line and for a string-list
// entry of many lines, both holding quotes and control characters.
//   ratio          the larger growth; the goal is at most 1.5 (linear)
//   caption_growth, lines_growth   ns per byte at 8 MB / at 1 MB
//   caption_ns_per_byte_1mb, caption_ns_per_byte_8mb, lines_... likewise
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "FormTestClasses.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/text/LineText.h"

namespace {

// Time this thread spent on the processor: the figures hold on a busy machine.
double CpuNs() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// Text with quotes and a control character, in lines or in one long line.
std::string LongText(size_t bytes, bool lines) {
  const std::string piece = std::string("select 'it''s' from \"ord\"\"ers\"\twhere x = 1;") + (lines ? "\n" : " ");
  std::string text;
  text.reserve(bytes + piece.size());
  while (text.size() < bytes) text += piece;
  text.resize(bytes);
  return text;
}

// One widget holding the text as its caption or as its only list entry.
std::unique_ptr<formtest::TTestModule> ModuleWith(const std::string& text, bool asListEntry) {
  auto root = std::make_unique<formtest::TTestModule>(nullptr);
  root->SetName("Long");
  auto* w = new formtest::TTestWidget(root.get());
  w->SetName("Holder");
  if (asListEntry) {
    rtl::TLineText lines;
    lines.AddLine(text);
    w->Lines()->SetLines(lines);
  } else {
    w->SetCaption(text);
  }
  return root;
}

double NsPerByte(const rtl::TComponent& root, size_t bytes) {
  const double t0 = CpuNs();
  std::string written = rtl::WriteComponentText(root);
  benchmark::DoNotOptimize(written);
  return (CpuNs() - t0) / static_cast<double>(bytes);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void BM_LongStringWrite(benchmark::State& state) {
  formtest::RegisterTestClasses();
  constexpr size_t kSmall = size_t{1} << 20, kLarge = size_t{8} << 20;
  auto captionSmall = ModuleWith(LongText(kSmall, false), false);
  auto captionLarge = ModuleWith(LongText(kLarge, false), false);
  auto linesSmall = ModuleWith(LongText(kSmall, true), true);
  auto linesLarge = ModuleWith(LongText(kLarge, true), true);
  std::vector<double> cs, cl, ls, ll;
  for (auto _ : state) {
    cs.push_back(NsPerByte(*captionSmall, kSmall));
    cl.push_back(NsPerByte(*captionLarge, kLarge));
    ls.push_back(NsPerByte(*linesSmall, kSmall));
    ll.push_back(NsPerByte(*linesLarge, kLarge));
  }
  const double captionGrowth = Median(cl) / Median(cs), linesGrowth = Median(ll) / Median(ls);
  state.counters["ratio"] = std::max(captionGrowth, linesGrowth);
  state.counters["caption_growth"] = captionGrowth;
  state.counters["lines_growth"] = linesGrowth;
  state.counters["caption_ns_per_byte_1mb"] = Median(cs);
  state.counters["caption_ns_per_byte_8mb"] = Median(cl);
  state.counters["lines_ns_per_byte_1mb"] = Median(ls);
  state.counters["lines_ns_per_byte_8mb"] = Median(ll);
}

}  // namespace

BENCHMARK(BM_LongStringWrite)->MinTime(2.0)->Unit(benchmark::kMillisecond);
