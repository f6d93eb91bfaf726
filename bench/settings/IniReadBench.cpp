// Reading one key of a 100 KB settings file with TIniFile, against reading
// the same file's bytes into memory. Goal: the ratio at most 2.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "rtl/settings/IniFiles.h"

namespace {

// A settings file of about 100 KB: many sections of parameters with the key
// that is read in the last one, so the whole file is scanned.
class SettingsFile {
 public:
  SettingsFile() {
    char pattern[] = "/tmp/dvbench-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    path_ = dir_ + "/dralvo.ini";
    std::string text = "; settings written by hand\r\n";
    for (int s = 0; text.size() < 100 * 1024; ++s) {
      text += "[Connection" + std::to_string(s) + "]\r\n";
      for (int k = 0; k < 12; ++k) text += "Param" + std::to_string(k) + " = value number " + std::to_string(k) + "\r\n";
      text += "\r\n";
    }
    text += "[RecentDatabases]\r\nMaxCount=8\r\nItem00=/srv/data/sales.db\r\n";
    std::ofstream(path_, std::ios::binary) << text;
    size_ = text.size();
  }
  ~SettingsFile() { std::filesystem::remove_all(dir_); }
  const std::string& Path() const { return path_; }
  size_t Size() const { return size_; }

 private:
  std::string dir_, path_;
  size_t size_ = 0;
};

const SettingsFile& File() {
  static SettingsFile file;
  return file;
}

// The baseline: the file's bytes in memory, read as plainly as possible.
std::string ReadBytes(const std::string& path) {
  std::string bytes;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return bytes;
  struct stat st {};
  ::fstat(fd, &st);
  bytes.resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(done);
  return bytes;
}

std::string ReadKey(const rtl::TIniFile& ini) { return ini.ReadString("RecentDatabases", "Item00", ""); }

void BM_ReadFileBytes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(ReadBytes(File().Path()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * File().Size()));
}

void BM_IniReadString(benchmark::State& state) {
  rtl::TIniFile ini(File().Path());
  if (ReadKey(ini) != "/srv/data/sales.db") state.SkipWithError("the key was not found");
  for (auto _ : state) benchmark::DoNotOptimize(ReadKey(ini));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * File().Size()));
}

// Both in turn within one run; `ratio` is TIniFile's time over the baseline's.
void BM_IniVersusBytes(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  rtl::TIniFile ini(File().Path());
  Clock::duration iniTime{}, bytesTime{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    benchmark::DoNotOptimize(ReadBytes(File().Path()));
    auto t1 = Clock::now();
    benchmark::DoNotOptimize(ReadKey(ini));
    auto t2 = Clock::now();
    bytesTime += t1 - t0;
    iniTime += t2 - t1;
  }
  double n = static_cast<double>(state.iterations());
  state.counters["bytes_us"] = std::chrono::duration<double, std::micro>(bytesTime).count() / n;
  state.counters["ini_us"] = std::chrono::duration<double, std::micro>(iniTime).count() / n;
  state.counters["ratio"] = std::chrono::duration<double>(iniTime) / std::chrono::duration<double>(bytesTime);
}

BENCHMARK(BM_ReadFileBytes);
BENCHMARK(BM_IniReadString);
BENCHMARK(BM_IniVersusBytes);

}  // namespace

BENCHMARK_MAIN();
