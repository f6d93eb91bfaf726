// Replacing a file: readers see the old or the whole new content, and a
// failure at any step leaves the old file and no stray temporary file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>


#include "FileBytes.h"
#include "TempDir.h"
#include "rtl/system/Exceptions.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace {

using dvtest::ReadBytes;
using dvtest::TempDir;
using dvtest::WriteBytes;

std::string g_failAt;
bool FailAt(const char* step, const std::string&) { return g_failAt == step; }

TEST(WriteFileAtomic, EveryFailedStepKeepsTheOldFile) {
  for (const char* step : {"open", "write", "sync", "rename"}) {
    TempDir dir;
    const std::string path = dir.File("data.txt");
    WriteBytes(path, "old contents\n");
    g_failAt = step;
    rtl::SetWriteFaultHook(&FailAt);
    try {
      rtl::WriteFileAtomic(path, "new contents, longer than before\n");
      ADD_FAILURE() << "no error when " << step << " fails";
    } catch (const rtl::EFCreateError& e) {
      EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    rtl::SetWriteFaultHook(nullptr);
    EXPECT_EQ(ReadBytes(path), "old contents\n") << step;
    EXPECT_EQ(dvtest::CountFiles(dir.Path()), 1) << "stray file after failing " << step;
  }
}

TEST(WriteFileAtomic, ReplacesContentsAndKeepsPermissions) {
  TempDir dir;
  const std::string path = dir.File("data.txt");
  rtl::WriteFileAtomic(path, "first");
  EXPECT_EQ(ReadBytes(path), "first");
  ::chmod(path.c_str(), 0600);
  std::string big(1 << 20, 'z');
  rtl::WriteFileAtomic(path, big);
  EXPECT_EQ(ReadBytes(path), big);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  rtl::WriteFileAtomic(path, "");
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(dvtest::CountFiles(dir.Path()), 1);
}

TEST(WriteFileAtomic, ALinkIsReplacedThroughItsTarget) {
  TempDir dir;
  const std::string target = dir.File("real.ini");
  const std::string link = dir.File("link.ini");
  WriteBytes(target, "old");
  ASSERT_EQ(::symlink("real.ini", link.c_str()), 0);
  rtl::WriteFileAtomic(link, "new");
  struct stat st {};
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link was replaced by a plain file";
  EXPECT_EQ(ReadBytes(target), "new");
}

TEST(WriteFileAtomic, MissingFolderNamesFileAndReason) {
  TempDir dir;
  try {
    rtl::WriteFileAtomic(dir.File("no/such/file.txt"), "x");
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const rtl::EFCreateError& e) {
    EXPECT_NE(std::string(e.what()).find("no/such/file.txt"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("No such file or directory"), std::string::npos) << e.what();
  }
  EXPECT_THROW(rtl::ReadFileToString(dir.File("missing.txt")), rtl::EFOpenError);
  EXPECT_THROW(rtl::ReadFileToString(dir.Path()), rtl::EFOpenError);  // a folder reads as an error
  EXPECT_EQ(rtl::ReadFileToString("/proc/self/cmdline").empty(), false);  // no size known beforehand
}

// A file that tells no size beforehand (as those under /proc do): the reader
// grows its buffer as bytes come.
TEST(ReadFileToString, AFileOfUnknownLengthIsReadWhole) {
  struct stat st {};
  ASSERT_EQ(::stat("/proc/self/maps", &st), 0);
  ASSERT_EQ(st.st_size, 0);
  const std::string received = rtl::ReadFileToString("/proc/self/maps");
  EXPECT_GT(received.size(), 4096u);
  EXPECT_NE(received.find("rtl160.so"), std::string::npos);
  EXPECT_EQ(received.back(), '\n');
}

TEST(WriteFileAtomic, StringListsSaveThroughIt) {
  TempDir dir;
  const std::string path = dir.File("list.txt");
  rtl::TStringList list{"a", "b"};
  list.SaveToFile(path);
  g_failAt = "rename";
  rtl::SetWriteFaultHook(&FailAt);
  rtl::TStringList other{"c"};
  EXPECT_THROW(other.SaveToFile(path), rtl::EFCreateError);
  rtl::SetWriteFaultHook(nullptr);
  rtl::TStringList loaded;
  WriteBytes(dir.File("bom.txt"), "\xEF\xBB\xBFx\r\ny");
  loaded.LoadFromFile(dir.File("bom.txt"));
  EXPECT_EQ(loaded.ToVector(), (std::vector<std::string>{"x", "y"}));
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.ToVector(), list.ToVector());
}

}  // namespace
