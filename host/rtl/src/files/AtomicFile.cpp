// The one routine through which this code base replaces a file.
#include "rtl/files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "FolderLock.h"
#include "ReadToEnd.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

namespace {
TWriteFaultHook g_faultHook = nullptr;
TFlushFunction g_flush = nullptr;

bool Fault(const char* step, const std::string& path) { return g_faultHook != nullptr && g_faultHook(step, path); }

int Flush(int fd) { return g_flush != nullptr ? g_flush(fd) : ::fsync(fd); }

// Writes all of `bytes` to `fd`; 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// A link is replaced through its target, so the link itself survives.
std::string ResolveLink(const std::string& path) {
  char buf[4096];
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  if (::realpath(path.c_str(), buf) != nullptr) return buf;
  ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);  // dangling: write where it points
  if (n <= 0) return path;
  std::string target(buf, static_cast<size_t>(n));
  return target.front() == PathDelim ? target : ExtractFilePath(path) + target;
}

void SyncDirectoryOf(const std::string& path) {
  std::string dir = ExtractFilePath(path);
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    Flush(fd);
    ::close(fd);
  }
}

// The mode a new file gets: what creat() would give it under the umask,
// or the owner's part of that.
mode_t NewFileMode(TNewFileMode kind) {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return (kind == TNewFileMode::OwnerOnly ? 0600 : 0666) & ~mask;
}
}  // namespace

void SetWriteFaultHook(TWriteFaultHook hook) { g_faultHook = hook; }
void SetFlushFunction(TFlushFunction flush) { g_flush = flush; }

TAtomicFile::TAtomicFile(const std::string& path) : TAtomicFile(path, TFileStamp{}) {}

TAtomicFile::TAtomicFile(const std::string& path, const TFileStamp& read, TNewFileMode newMode)
    : path_(ResolveLink(path)), read_(read), newMode_(newMode) {
  struct stat st {};
  const bool replacing = ::stat(path_.c_str(), &st) == 0;
  if (replacing) {
    if (!S_ISREG(st.st_mode)) Fail("replace", NotRegular());
    // As an editor does: a file without write permission is not replaced,
    // though the folder would allow the rename (and root could write it).
    if (::faccessat(AT_FDCWD, path_.c_str(), W_OK, AT_EACCESS) != 0 || (st.st_mode & 0222) == 0)
      Fail("write", "It is write-protected");
  }
  if (Fault("open", path_)) Fail("create", EACCES);
  // Created exclusively under a random name: a link planted beside the file
  // cannot redirect the write.
  temp_ = path_ + ".tmp-XXXXXX";
  fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
  if (fd_ < 0) Fail("create", errno);
  pending_ = true;
  KeepOwnerAndMode(replacing ? &st : nullptr);
}

TAtomicFile::~TAtomicFile() { Discard(); }

void TAtomicFile::KeepOwnerAndMode(const struct stat* old) {
  mode_t mode = NewFileMode(newMode_);
  if (old != nullptr) {
    mode = old->st_mode & 07777;
    // Only root may give a file away; others may still keep its group, or
    // else the file becomes theirs.
    if ((old->st_uid != ::geteuid() || old->st_gid != ::getegid()) && ::fchown(fd_, old->st_uid, old->st_gid) != 0 &&
        ::fchown(fd_, static_cast<uid_t>(-1), old->st_gid) != 0) {
    }
  }
  // After fchown, which clears the set-id bits.
  if (::fchmod(fd_, mode) != 0) Fail("create", errno);
}

void TAtomicFile::Discard() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (pending_) ::unlink(temp_.c_str());
  pending_ = false;
}

void TAtomicFile::Fail(const char* what, int err) { Fail(what, std::string(std::strerror(err))); }

void TAtomicFile::Fail(const char* what, const std::string& reason) {
  Discard();
  throw EFCreateError(std::string("Cannot ") + what + " file \"" + path_ + "\". " + reason);
}

void TAtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0) Fail("write", EBADF);
  if (Fault("write", path_)) Fail("write", ENOSPC);
  if (int err = WriteAll(fd_, bytes)) Fail("write", err);
}

void TAtomicFile::Commit() {
  if (fd_ < 0) Fail("write", EBADF);
  if (Fault("sync", path_)) Fail("write", EIO);
  if (Flush(fd_) != 0) Fail("write", errno);
  written_ = FileStampOf(fd_);
  if (::close(std::exchange(fd_, -1)) != 0) Fail("write", errno);
  if (Fault("rename", path_)) Fail("replace", EXDEV);
  if (!read_.Known()) {
    Rename();
  } else {
    TFolderLock lock(path_);  // compared and renamed in one turn: of two writers only one passes
    if (FileStampOf(path_) != read_) {
      Discard();
      throw EFileChangedError("Cannot save file \"" + path_ +
                              "\": it changed on disk since it was read (another program saved it)");
    }
    Rename();
  }
  SyncDirectoryOf(path_);
}

void TAtomicFile::Rename() {
  if (::rename(temp_.c_str(), path_.c_str()) != 0) Fail("replace", errno);
  pending_ = false;
}

void WriteFileAtomic(const std::string& path, const std::string& contents) {
  WriteFileAtomic(path, contents, TNewFileMode::Default);
}

void WriteFileAtomic(const std::string& path, const std::string& contents, TNewFileMode newMode) {
  TAtomicFile file(path, TFileStamp{}, newMode);
  file.Write(contents);
  file.Commit();
}

}  // namespace rtl
