// File and path helpers, and reading a whole file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "ReadToEnd.h"
#include "rtl/files/FileStamp.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

namespace {
std::string Reason(int err) { return std::strerror(err); }
}  // namespace

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

int ReadToEnd(int fd, size_t expected, size_t limit, std::string& out) {
  out.assign(std::min(expected, limit) + 1, '\0');
  size_t used = 0;
  int err = 0;
  for (;;) {
    if (used == out.size()) out.resize(std::max<size_t>(4096, out.size() * 2));
    ssize_t n = ::read(fd, out.data() + used, out.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) err = errno;
    if (n <= 0) break;
    used += static_cast<size_t>(n);
    if (used > limit) {
      err = EFBIG;
      break;
    }
  }
  out.resize(used);
  return err;
}

namespace {
std::string ReadRegularFile(const std::string& path, TFileStamp* stamp) {
  // Not blocking: opening a pipe must not wait for a writer.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(errno));
  if (!S_ISREG(st.st_mode))
    throw EFOpenError("Cannot read file \"" + path + "\". " + (S_ISDIR(st.st_mode) ? Reason(EISDIR) : NotRegular()));
  if (static_cast<uint64_t>(st.st_size) > MaxReadFileSize) throw EFOpenError("Cannot read file \"" + path + "\". " + TooLarge());
  std::string out;
  if (int err = ReadToEnd(fd, static_cast<size_t>(st.st_size), MaxReadFileSize, out))
    throw EFOpenError("Cannot read file \"" + path + "\". " + (err == EFBIG ? TooLarge() : Reason(err)));
  if (stamp != nullptr) *stamp = FileStampOf(fd);
  return out;
}
}  // namespace

std::string ReadFileToString(const std::string& path) { return ReadRegularFile(path, nullptr); }

std::string ReadFileToString(const std::string& path, TFileStamp& stamp) { return ReadRegularFile(path, &stamp); }

std::string NotRegular() { return "It is not a regular file"; }

std::string TooLarge() { return "It is larger than " + std::to_string(MaxReadFileSize >> 20) + " MB"; }

}  // namespace rtl
