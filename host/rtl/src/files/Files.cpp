// File and path helpers, and reading a whole file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "ReadToEnd.h"
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

int ReadToEnd(int fd, size_t expected, std::string& out) {
  out.assign(expected + 1, '\0');
  size_t used = 0;
  int err = 0;
  for (;;) {
    if (used == out.size()) out.resize(std::max<size_t>(4096, out.size() * 2));
    ssize_t n = ::read(fd, out.data() + used, out.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) err = errno;
    if (n <= 0) break;
    used += static_cast<size_t>(n);
  }
  out.resize(used);
  return err;
}

std::string ReadFileToString(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  size_t expected = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? static_cast<size_t>(st.st_size) : 0;
  std::string out;
  if (int err = ReadToEnd(fd, expected, out)) throw EFOpenError("Cannot read file \"" + path + "\". " + Reason(err));
  return out;
}

}  // namespace rtl
