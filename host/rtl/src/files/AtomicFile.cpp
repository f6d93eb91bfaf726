// The one routine through which this code base replaces a file.
#include "rtl/files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

namespace {
TWriteFaultHook g_faultHook = nullptr;

bool Fault(const char* step, const std::string& path) { return g_faultHook != nullptr && g_faultHook(step, path); }

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
    ::fsync(fd);
    ::close(fd);
  }
}
}  // namespace

void SetWriteFaultHook(TWriteFaultHook hook) { g_faultHook = hook; }

TAtomicFile::TAtomicFile(const std::string& path)
    : path_(ResolveLink(path)), temp_(path_ + ".tmp-" + std::to_string(::getpid())) {
  // Keep the permissions of the file being replaced.
  mode_t mode = 0644;
  struct stat st {};
  if (::stat(path_.c_str(), &st) == 0) mode = st.st_mode & 07777;
  if (Fault("open", path_)) Fail("create", EACCES);
  fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd_ < 0) Fail("create", errno);
  pending_ = true;
}

TAtomicFile::~TAtomicFile() { Discard(); }

void TAtomicFile::Discard() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (pending_) ::unlink(temp_.c_str());
  pending_ = false;
}

void TAtomicFile::Fail(const char* what, int err) {
  Discard();
  throw EFCreateError(std::string("Cannot ") + what + " file \"" + path_ + "\". " + std::strerror(err));
}

void TAtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0) Fail("write", EBADF);
  if (Fault("write", path_)) Fail("write", ENOSPC);
  if (int err = WriteAll(fd_, bytes)) Fail("write", err);
}

void TAtomicFile::Commit() {
  if (fd_ < 0) Fail("write", EBADF);
  if (Fault("sync", path_)) Fail("write", EIO);
  if (::fsync(fd_) != 0) Fail("write", errno);
  if (::close(std::exchange(fd_, -1)) != 0) Fail("write", errno);
  if (Fault("rename", path_)) Fail("replace", EXDEV);
  if (::rename(temp_.c_str(), path_.c_str()) != 0) Fail("replace", errno);
  pending_ = false;
  SyncDirectoryOf(path_);
}

void WriteFileAtomic(const std::string& path, const std::string& contents) {
  TAtomicFile file(path);
  file.Write(contents);
  file.Commit();
}

}  // namespace rtl
