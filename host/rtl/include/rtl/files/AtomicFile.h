#pragma once
// A file replaced so that readers see either the old or the whole new
// content: the bytes go to a temporary file beside it, are flushed, and
// take the old file's place in one rename. Bytes may come in pieces while
// they are being made: once enough has gathered, a thread of the file's own
// writes and flushes it while later pieces are still being made, so the
// final flush has little left to wait for.
#include <memory>
#include <string>
#include <string_view>

namespace rtl {

class TBackgroundWriter;

class TAtomicFile {
 public:
  // Creates the temporary file; raises EFCreateError naming the file.
  explicit TAtomicFile(const std::string& path);
  // Without Commit the temporary file is removed and the old file stays.
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  // Raises EFCreateError when writing has failed (here or in the background).
  void Write(std::string_view bytes);
  // Flushes the new content and renames it over the old file.
  void Commit();

 private:
  [[noreturn]] void Fail(const char* what, int err);
  int WritePiece(std::string_view bytes) const;  // 0 or an errno
  void Discard();

  std::string path_;  // the file replaced (a link's target)
  std::string temp_;
  int fd_ = -1;
  bool pending_ = false;  // the temporary file exists and has not replaced the old one
  long long oldSize_ = -1;  // the file replaced, when there is one
  std::string filling_;   // bytes not yet handed to the writer
  std::unique_ptr<TBackgroundWriter> writer_;  // started by the first full piece
};

}  // namespace rtl
