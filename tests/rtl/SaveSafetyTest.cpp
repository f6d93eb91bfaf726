// A save replaces the file the user had and nothing else: not another file
// through a planted link, not another writer's newer save, not a file the
// user may not write; and the new file keeps the old one's mode and owner.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "FileBytes.h"
#include "TempDir.h"
#include "rtl/files/AtomicFile.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace {

using dvtest::ReadBytes;
using dvtest::TempDir;
using dvtest::WriteBytes;

constexpr uid_t kOtherUser = 65534;  // nobody
constexpr gid_t kOtherGroup = 65534;

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

// Runs `body` in a child process; its exit status.
int InChild(const std::function<int()>& body) {
  pid_t child = ::fork();
  if (child == 0) {
    int code = 99;
    try {
      code = body();
    } catch (...) {
    }
    ::_exit(code);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SaveSafety, LinksPlantedAtTemporaryNamesAreNotFollowed) {
  TempDir dir;
  const std::string module = dir.File("Shop.dfm");
  const std::string victim = dir.File("victim.txt");
  WriteBytes(module, "old module\n");
  WriteBytes(victim, "precious\n");
  // The names a save beside the module would take when made from its process id.
  for (const std::string& suffix : {".tmp-" + std::to_string(::getpid()), std::string(".tmp"), std::string("~")})
    ASSERT_EQ(::symlink(victim.c_str(), (module + suffix).c_str()), 0);
  rtl::WriteFileAtomic(module, "new module\n");
  EXPECT_EQ(ReadBytes(victim), "precious\n");
  EXPECT_TRUE(S_ISREG(StatOf(module).st_mode)) << "the module became a link";
  EXPECT_EQ(ReadBytes(module), "new module\n");
}

TEST(SaveSafety, KeepsTheModeWhateverTheUmask) {
  TempDir dir;
  const std::string path = dir.File("Shop.dfm");
  WriteBytes(path, "old\n");
  ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  const mode_t saved = ::umask(077);
  rtl::WriteFileAtomic(path, "new\n");
  rtl::WriteFileAtomic(dir.File("New.dfm"), "new\n");
  ::umask(saved);
  EXPECT_EQ(StatOf(path).st_mode & 07777, 0664u);
  EXPECT_EQ(StatOf(dir.File("New.dfm")).st_mode & 07777, 0600u) << "a new file follows the umask";
  // The set-group-id and sticky bits are part of the mode too.
  ASSERT_EQ(::chmod(path.c_str(), 03664), 0);
  ASSERT_EQ(StatOf(path).st_mode & 07777, 03664u);
  rtl::WriteFileAtomic(path, "newer\n");
  EXPECT_EQ(StatOf(path).st_mode & 07777, 03664u);
}

TEST(SaveSafety, KeepsOwnerAndGroupWhereAllowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  TempDir dir;
  const std::string path = dir.File("Shop.dfm");
  WriteBytes(path, "old\n");
  ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherGroup), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  rtl::WriteFileAtomic(path, "new\n");
  const struct stat st = StatOf(path);
  EXPECT_EQ(st.st_uid, kOtherUser);
  EXPECT_EQ(st.st_gid, kOtherGroup);
  EXPECT_EQ(st.st_mode & 07777, 0664u);
}

TEST(SaveSafety, RefusesAWriteProtectedFileNamingIt) {
  TempDir dir;
  const std::string path = dir.File("Shop.dfm");
  WriteBytes(path, "old\n");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  try {
    rtl::WriteFileAtomic(path, "new\n");
    ADD_FAILURE() << "a write-protected file was replaced";
  } catch (const rtl::EFCreateError& e) {
    EXPECT_NE(e.Message().find("\"" + path + "\""), std::string::npos) << e.Message();
    EXPECT_NE(e.Message().find("write-protected"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(ReadBytes(path), "old\n");
  EXPECT_EQ(dvtest::CountFiles(dir.Path()), 1);
}

TEST(SaveSafety, AnotherUserCannotReplaceTheFileThroughAWritableFolder) {
  if (::geteuid() != 0) GTEST_SKIP() << "running as a second user needs root";
  TempDir dir;
  ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
  const std::string path = dir.File("Shop.dfm");
  WriteBytes(path, "root's\n");
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  const int code = InChild([&] {
    if (::setgroups(0, nullptr) != 0 || ::setresgid(kOtherGroup, kOtherGroup, kOtherGroup) != 0 ||
        ::setresuid(kOtherUser, kOtherUser, kOtherUser) != 0)
      return 3;
    try {
      rtl::WriteFileAtomic(path, "nobody's\n");
    } catch (const rtl::EFCreateError&) {
      return 0;
    }
    return 1;
  });
  EXPECT_EQ(code, 0) << "1: the other user's save went through";
  EXPECT_EQ(ReadBytes(path), "root's\n");
}

TEST(SaveSafety, ASaveRefusesAFileChangedSinceItWasRead) {
  TempDir dir;
  const std::string path = dir.File("Shop.dfm");
  WriteBytes(path, "first\n");
  rtl::TFileStamp read;
  ASSERT_EQ(rtl::ReadFileToString(path, read), "first\n");
  rtl::WriteFileAtomic(path, "another writer's\n");
  rtl::TAtomicFile stale(path, read);
  stale.Write("mine\n");
  EXPECT_THROW(stale.Commit(), rtl::EFileChangedError);
  EXPECT_EQ(ReadBytes(path), "another writer's\n");
  EXPECT_EQ(dvtest::CountFiles(dir.Path()), 1);
  // Read again, the save goes through, and its stamp is that of the file.
  ASSERT_EQ(rtl::ReadFileToString(path, read), "another writer's\n");
  rtl::TAtomicFile fresh(path, read);
  fresh.Write("mine\n");
  fresh.Commit();
  EXPECT_EQ(fresh.Stamp(), rtl::FileStampOf(path));
  EXPECT_EQ(ReadBytes(path), "mine\n");
}

// Another program rewrites the file in place, to the same size, within the
// same second: only the nanoseconds of its time tell the two apart.
TEST(SaveSafety, ASameSizeRewriteWithinTheSameSecondIsNotOverwritten) {
  TempDir dir;
  const std::string path = dir.File("Shop.dfm");
  WriteBytes(path, "first\n");
  struct timespec times[2] = {{1700000000, 100000000}, {1700000000, 100000000}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  rtl::TFileStamp read;
  ASSERT_EQ(rtl::ReadFileToString(path, read), "first\n");
  WriteBytes(path, "other\n");
  times[1].tv_nsec = 600000000;
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  ASSERT_EQ(StatOf(path).st_ino, read.Inode);
  ASSERT_EQ(StatOf(path).st_size, read.Size);
  rtl::TAtomicFile stale(path, read);
  stale.Write("mine\n");
  EXPECT_THROW(stale.Commit(), rtl::EFileChangedError);
  EXPECT_EQ(ReadBytes(path), "other\n");
}

// Two processes read the same file, then both save: one save goes through,
// the other is refused, whichever comes first.
TEST(SaveSafety, OfTwoConcurrentSavesOfOneReadExactlyOneWins) {
  TempDir dir;
  const std::string path = dir.File("Shop.dfm");
  WriteBytes(path, "first\n");
  int ready[2], go[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(go), 0);
  rtl::TFileStamp read;
  rtl::ReadFileToString(path, read);
  auto save = [&](const std::string& text) {
    rtl::TAtomicFile file(path, read);
    file.Write(text);
    try {
      file.Commit();
      return 0;
    } catch (const rtl::EFileChangedError&) {
      return 1;
    }
  };
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    char c = 0;
    // Both have read before either saves.
    if (::write(ready[1], "r", 1) != 1 || ::read(go[0], &c, 1) != 1) ::_exit(3);
    ::_exit(save("child's\n"));
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ASSERT_EQ(::write(go[1], "g", 1), 1);
  const int parent = save("parent's\n");
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  for (int fd : {ready[0], ready[1], go[0], go[1]}) ::close(fd);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(parent + WEXITSTATUS(status), 1) << "parent " << parent << ", child " << WEXITSTATUS(status);
  EXPECT_EQ(ReadBytes(path), parent == 0 ? "parent's\n" : "child's\n");
}

}  // namespace
