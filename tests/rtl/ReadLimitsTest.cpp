// Whole-file reads (form files, parameter lists, settings) take regular
// files of bounded size: a device, a pipe without a writer or a file past
// the limit is refused at once with a message, never read into memory.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "FileBytes.h"
#include "TempDir.h"
#include "rtl/files/FileStamp.h"
#include "rtl/settings/IniFiles.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"
#include "rtl/text/Strings.h"

namespace {

using dvtest::TempDir;

std::string ReadError(const std::string& path) {
  try {
    rtl::ReadFileToString(path);
  } catch (const rtl::EFOpenError& e) {
    return e.Message();
  }
  return "read";
}

// A sparse file just past the limit: no disk space used.
std::string HugeFile(const TempDir& dir) {
  const std::string path = dir.File("huge.dfm");
  dvtest::WriteBytes(path, "[Section]\nKey=1\n");
  EXPECT_EQ(::truncate(path.c_str(), static_cast<off_t>(rtl::MaxReadFileSize + 1)), 0);
  return path;
}

TEST(ReadLimits, DevicesPipesAndHugeFilesAreRefusedNamingTheFile) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.dfm");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string huge = HugeFile(dir);
  EXPECT_EQ(ReadError("/dev/zero"), "Cannot read file \"/dev/zero\". It is not a regular file");
  EXPECT_EQ(ReadError(fifo), "Cannot read file \"" + fifo + "\". It is not a regular file");
  EXPECT_EQ(ReadError(huge), "Cannot read file \"" + huge + "\". It is larger than 256 MB");
  rtl::TStringList params;
  EXPECT_THROW(params.LoadFromFile("/dev/zero"), rtl::EFOpenError);
}

TEST(ReadLimits, SettingsThatCannotBeReadGiveDefaultsAndSayWhy) {
  TempDir dir;
  const std::string fifo = dir.File("pipe.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string huge = HugeFile(dir);
  for (const std::string& path : {fifo, huge, std::string("/dev/zero")}) {
    rtl::TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Section", "Key", 7), 7) << path;
    EXPECT_THROW(ini.WriteInteger("Section", "Key", 2), rtl::EIniFileException) << path;
  }
  EXPECT_EQ(rtl::TIniFile(fifo).ReadFailure(), "It is not a regular file");
  EXPECT_EQ(rtl::TIniFile(huge).ReadFailure(), "It is larger than 256 MB");
  EXPECT_EQ(rtl::TIniFile(dir.File("missing.ini")).ReadFailure(), "");
}

}  // namespace
