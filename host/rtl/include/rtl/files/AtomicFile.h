#pragma once
// A file replaced so that readers see either the old or the whole new
// content: the bytes go to a temporary file beside it, are flushed, and take
// the old file's place in one rename, after which the folder is flushed so
// that the rename itself survives a crash.
#include <string>
#include <string_view>

namespace rtl {

class TAtomicFile {
 public:
  // Creates the temporary file; raises EFCreateError naming the file.
  explicit TAtomicFile(const std::string& path);
  // Without Commit the temporary file is removed and the old file stays.
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  // Appends to the temporary file; raises EFCreateError when writing fails
  // (the temporary file is then removed, and so is every later Write).
  void Write(std::string_view bytes);
  // Flushes the new content and renames it over the old file.
  void Commit();

 private:
  [[noreturn]] void Fail(const char* what, int err);
  void Discard();

  std::string path_;  // the file replaced (a link's target)
  std::string temp_;
  int fd_ = -1;
  bool pending_ = false;  // the temporary file exists and has not replaced the old one
};

}  // namespace rtl
