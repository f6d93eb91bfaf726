// File and path helpers, and the one routine through which this code base
// replaces a file: write beside it, flush, rename over it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "rtl/Exceptions.h"
#include "rtl/SysUtils.h"

namespace rtl {

namespace {
TWriteFaultHook g_faultHook = nullptr;

bool Fault(const char* step, const std::string& path) { return g_faultHook != nullptr && g_faultHook(step, path); }

std::string Reason(int err) { return std::strerror(err); }
}  // namespace

void SetWriteFaultHook(TWriteFaultHook hook) { g_faultHook = hook; }

bool FileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ExtractFilePath(const std::string& path) {
  auto slash = path.rfind(PathDelim);
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFileName(const std::string& path) {
  auto slash = path.rfind(PathDelim);
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFileExt(const std::string& path) {
  std::string name = ExtractFileName(path);
  auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
  std::string ext0 = ExtractFileExt(path);
  return path.substr(0, path.size() - ext0.size()) + ext;
}

std::string IncludeTrailingPathDelimiter(const std::string& dir) {
  if (!dir.empty() && dir.back() == PathDelim) return dir;
  return dir + PathDelim;
}

std::string GetCurrentDir() {
  char buf[4096];
  return ::getcwd(buf, sizeof buf) != nullptr ? std::string(buf) : std::string(".");
}

std::string ReadFileToString(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  // Sized from the file so that a regular file takes one read (and one more
  // to see its end); anything else grows as it comes.
  struct stat st {};
  size_t expected = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<size_t>(st.st_size) : 0;
  std::string out(expected + 1, '\0');
  size_t used = 0;
  while (true) {
    if (used == out.size()) out.resize(std::max<size_t>(4096, out.size() * 2));
    ssize_t n = ::read(fd, out.data() + used, out.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EFOpenError("Cannot read file \"" + path + "\". " + Reason(errno));
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  out.resize(used);
  return out;
}

namespace {
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

void WriteFileAtomic(const std::string& requestedPath, const std::string& contents) {
  const std::string path = ResolveLink(requestedPath);
  const std::string temp = path + ".tmp-" + std::to_string(::getpid());
  auto fail = [&](const char* what, int err, bool removeTemp) {
    if (removeTemp) ::unlink(temp.c_str());
    throw EFCreateError(std::string("Cannot ") + what + " file \"" + path + "\". " + Reason(err));
  };
  // Keep the permissions of the file being replaced.
  mode_t mode = 0644;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;

  if (Fault("open", path)) fail("create", EACCES, false);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) fail("create", errno, false);
  if (Fault("write", path)) {
    ::close(fd);
    fail("write", ENOSPC, true);
  }
  size_t done = 0;
  while (done < contents.size()) {
    ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      fail("write", err, true);
    }
    done += static_cast<size_t>(n);
  }
  if (Fault("sync", path) || ::fsync(fd) != 0) {
    int err = errno != 0 ? errno : EIO;
    ::close(fd);
    fail("write", err, true);
  }
  if (::close(fd) != 0) fail("write", errno, true);
  if (Fault("rename", path)) fail("replace", EXDEV, true);
  if (::rename(temp.c_str(), path.c_str()) != 0) fail("replace", errno, true);
  SyncDirectoryOf(path);
}

}  // namespace rtl
