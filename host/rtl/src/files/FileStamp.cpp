#include "rtl/files/FileStamp.h"

#include <sys/stat.h>

namespace rtl {

namespace {
TFileStamp StampOf(const struct stat& st) {
  TFileStamp stamp;
  stamp.Device = static_cast<uint64_t>(st.st_dev);
  stamp.Inode = static_cast<uint64_t>(st.st_ino);
  stamp.Size = static_cast<int64_t>(st.st_size);
  stamp.ModifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return stamp;
}
}  // namespace

TFileStamp FileStampOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? StampOf(st) : TFileStamp{};
}

TFileStamp FileStampOf(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 ? StampOf(st) : TFileStamp{};
}

}  // namespace rtl
