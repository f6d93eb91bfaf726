#pragma once
// What identifies the content of a file on disk without reading it: device,
// inode, size and modification time to the nanosecond. A save compares the
// stamp of the file it read with the file there now, so that it never
// overwrites what another writer saved in between.
#include <cstddef>
#include <cstdint>
#include <string>

namespace rtl {

struct TFileStamp {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  int64_t Size = -1;  // -1: no file (or not known)
  int64_t ModifiedNs = 0;

  bool Known() const { return Size >= 0; }
  bool operator==(const TFileStamp&) const = default;
};

// The stamp of the file `path` names now (following links); unknown when
// there is none.
TFileStamp FileStampOf(const std::string& path);
// The stamp of an open file.
TFileStamp FileStampOf(int fd);

// The largest file read whole (ReadFileToString, the INI reads): form
// files, parameter lists and settings beyond it are refused rather than
// filling the memory. Devices, pipes and folders are refused as well,
// without waiting on them.
constexpr size_t MaxReadFileSize = size_t{256} << 20;  // 256 MB

// ReadFileToString (SysUtils.h) that also gives the stamp of the file read.
std::string ReadFileToString(const std::string& path, TFileStamp& stamp);

}  // namespace rtl
