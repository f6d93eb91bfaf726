// A file written in pieces while its content is being made: whatever step
// fails, or wherever the maker stops, the old file stays whole and no
// temporary file or open handle is left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "FileBytes.h"
#include "TempDir.h"
#include "rtl/files/AtomicFile.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace {

using dvtest::CountFiles;
using dvtest::ReadBytes;
using dvtest::TempDir;
using dvtest::WriteBytes;

// Pieces of uneven sizes, each line numbered, so a piece written twice,
// dropped or out of order shows in the result.
std::string Content(size_t bytes) {
  std::string text;
  for (int line = 0; text.size() < bytes; ++line) text += "line " + std::to_string(line) + " of the content\n";
  return text;
}

void WriteInPieces(rtl::TAtomicFile& file, const std::string& text) {
  size_t at = 0;
  for (size_t piece = 1; at < text.size(); piece = piece * 7 % 100003 + 1) {
    size_t n = std::min(piece, text.size() - at);
    file.Write(std::string_view(text).substr(at, n));
    at += n;
  }
}

// Fails the n-th "write" step (counting from 1).
int g_writesLeft = 0;
bool FailNthWrite(const char* step, const std::string&) { return std::string_view(step) == "write" && g_writesLeft-- == 1; }

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteBytes(path_, "old contents\n"); }
  void TearDown() override {
    rtl::SetWriteFaultHook(nullptr);
    rtl::SetFlushFunction(nullptr);
  }
  void ExpectOldFileAlone() {
    EXPECT_EQ(ReadBytes(path_), "old contents\n");
    EXPECT_EQ(CountFiles(dir_.Path()), 1) << "a temporary file was left behind";
  }
  TempDir dir_;
  const std::string path_ = dir_.File("module.txt");
};

TEST_F(AtomicFileTest, LargeContentInPiecesArrivesWholeAndOnlyAtCommit) {
  const std::string text = Content(3 << 20);
  rtl::TAtomicFile file(path_);
  WriteInPieces(file, text);
  EXPECT_EQ(ReadBytes(path_), "old contents\n") << "the old file changed before Commit";
  EXPECT_EQ(CountFiles(dir_.Path()), 2);
  file.Commit();
  EXPECT_EQ(ReadBytes(path_), text);
  EXPECT_EQ(CountFiles(dir_.Path()), 1);
}

TEST_F(AtomicFileTest, SmallContentAndEmptyContent) {
  {
    rtl::TAtomicFile file(path_);
    file.Write("a");
    file.Write("b\n");
    file.Commit();
  }
  EXPECT_EQ(ReadBytes(path_), "ab\n");
  rtl::TAtomicFile empty(path_);
  empty.Commit();
  EXPECT_EQ(ReadBytes(path_), "");
}

TEST_F(AtomicFileTest, MakerStoppingHalfWayLeavesTheOldFile) {
  try {
    rtl::TAtomicFile file(path_);
    WriteInPieces(file, Content(2 << 20));
    throw std::runtime_error("the maker gave up");
  } catch (const std::runtime_error&) {
  }
  ExpectOldFileAlone();
}

TEST_F(AtomicFileTest, FailedWriteIsRaisedAndKeepsTheOldFile) {
  for (int failing : {1, 2, 5}) {
    g_writesLeft = failing;
    rtl::SetWriteFaultHook(&FailNthWrite);
    try {
      rtl::TAtomicFile file(path_);
      WriteInPieces(file, Content(4 << 20));
      file.Commit();
      ADD_FAILURE() << "no error when write " << failing << " fails";
    } catch (const rtl::EFCreateError& e) {
      EXPECT_NE(std::string(e.what()).find(path_), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << e.what();
    }
    rtl::SetWriteFaultHook(nullptr);
    ExpectOldFileAlone();
  }
}

TEST_F(AtomicFileTest, FailedFlushOrRenameKeepsTheOldFile) {
  for (const char* step : {"sync", "rename"}) {
    static std::string failing;
    failing = step;
    rtl::SetWriteFaultHook([](const char* s, const std::string&) { return failing == s; });
    rtl::TAtomicFile file(path_);
    WriteInPieces(file, Content(1 << 20));
    EXPECT_THROW(file.Commit(), rtl::EFCreateError) << step;
    EXPECT_THROW(file.Write("more"), rtl::EFCreateError) << "written after a failed commit";
    rtl::SetWriteFaultHook(nullptr);
    ExpectOldFileAlone();
  }
}

// Each flush as "file INODE SIZE" or "folder INODE", with what the saved
// path held at the time.
std::vector<std::string> g_flushed;
std::string g_flushedPath;
int RecordFlush(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return -1;
  g_flushed.push_back((S_ISDIR(st.st_mode) ? "folder " : "file ") + std::to_string(st.st_ino) +
                      (S_ISDIR(st.st_mode) ? "" : " " + std::to_string(st.st_size)) + ", path holds " +
                      ReadBytes(g_flushedPath));
  return ::fsync(fd);
}

// The new content is flushed before it takes the old file's place, and the
// folder after, so that the rename survives a crash too.
TEST_F(AtomicFileTest, TheNewFileAndThenItsFolderReachTheDisk) {
  g_flushed.clear();
  g_flushedPath = path_;
  rtl::SetFlushFunction(&RecordFlush);
  rtl::WriteFileAtomic(path_, "new\n");
  rtl::SetFlushFunction(nullptr);
  struct stat file {}, folder {};
  ASSERT_EQ(::stat(path_.c_str(), &file), 0);
  ASSERT_EQ(::stat(dir_.Path().c_str(), &folder), 0);
  EXPECT_EQ(g_flushed, (std::vector<std::string>{"file " + std::to_string(file.st_ino) + " 4, path holds old contents\n",
                                                 "folder " + std::to_string(folder.st_ino) + ", path holds new\n"}));
}

int OpenFiles() {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

// Replacing large files again and again leaves no handle open, neither on
// the new files nor on the ones they replaced.
TEST_F(AtomicFileTest, ReplacingFilesLeavesNoHandleOpen) {
  const int before = OpenFiles();
  for (int round = 0; round < 20; ++round) {
    const std::string text = Content((2 << 20) + static_cast<size_t>(round));
    rtl::WriteFileAtomic(path_, text);
    ASSERT_EQ(ReadBytes(path_), text) << round;
  }
  EXPECT_EQ(CountFiles(dir_.Path()), 1);
  EXPECT_EQ(OpenFiles(), before) << "handles on written or replaced files stay open";
}

}  // namespace
