// Several processes of one user share one settings file: each write is a
// read-change-replace of the whole file, so writers must take turns or one
// would put back what the other just replaced.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TempDir.h"
#include "rtl/settings/IniFiles.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace {

constexpr int kWrites = 40;

void WriteKeys(const std::string& path, const std::string& section) {
  rtl::TIniFile ini(path);
  for (int i = 0; i < kWrites; ++i) ini.WriteInteger(section, rtl::Format("K%d", {int64_t{i}}), i);
}

TEST(IniFileShared, WritersInTwoProcessesLoseNoKey) {
  dvtest::TempDir dir;
  const std::string path = dir.File("shared.ini");
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      WriteKeys(path, "Child");
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  WriteKeys(path, "Parent");
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  rtl::TIniFile ini(path);
  rtl::TStringList keys;
  ini.ReadSection("Parent", keys);
  EXPECT_EQ(keys.Count(), kWrites);
  ini.ReadSection("Child", keys);
  EXPECT_EQ(keys.Count(), kWrites);
}

}  // namespace
