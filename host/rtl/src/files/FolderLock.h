#pragma once
// An exclusive advisory lock (flock) on the folder of a file, held while the
// object lives, so that processes sharing the file take turns to read,
// compare and replace it. The file itself cannot carry the lock: a save
// replaces it by another inode. Without a folder to open it locks nothing;
// the write that follows then fails on its own. Never take it twice in one
// process: a second lock on the same folder would wait for the first.
#include <string>

namespace rtl {

class TFolderLock {
 public:
  explicit TFolderLock(const std::string& fileName);
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace rtl
