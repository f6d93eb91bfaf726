#pragma once
// Loading and encoding the bytes of a profile (INI) file, internal to the
// run-time layer. Reading never raises: a file that cannot be read is
// reported as such, so that reads give defaults and writes refuse to
// replace what they could not read.
#include <string>

namespace rtl::ini {

enum class TTextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE };

struct TStoredText {
  bool Exists = false;    // something is there under that name
  bool Readable = false;  // and it was read
  std::string Reason;     // why not, when it exists but was not read
  TTextEncoding Encoding = TTextEncoding::Utf8;
  std::string Text;  // UTF-8, without byte-order mark
};

TStoredText LoadText(const std::string& fileName);

// Holds an exclusive advisory lock on the folder of `fileName` while it
// lives, so that processes sharing the file take turns to read, change and
// replace it. Without a folder to lock it locks nothing; the write that
// follows then fails on its own.
class TFolderLock {
 public:
  explicit TFolderLock(const std::string& fileName);
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

 private:
  int fd_ = -1;
};
// The bytes to store for `text` in `encoding` (byte-order mark included).
std::string EncodeText(const std::string& text, TTextEncoding encoding);

}  // namespace rtl::ini
