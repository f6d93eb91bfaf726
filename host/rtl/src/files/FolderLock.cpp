#include "FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace rtl {

TFolderLock::TFolderLock(const std::string& fileName) {
  auto slash = fileName.rfind('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : fileName.substr(0, slash));
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return;
  while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

TFolderLock::~TFolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace rtl
