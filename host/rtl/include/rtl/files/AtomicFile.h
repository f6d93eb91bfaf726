#pragma once
// A file replaced so that readers see either the old or the whole new
// content: the bytes go to a temporary file beside it, are flushed, and take
// the old file's place in one rename, after which the folder is flushed so
// that the rename itself survives a crash. The temporary file has a name
// nobody can guess and is created anew (never through a planted link); the
// new file keeps the mode, and where allowed the owner and group, of the
// file it replaces.
#include <string>
#include <string_view>

#include "rtl/files/FileStamp.h"
#include "rtl/system/Exceptions.h"

struct stat;

namespace rtl {

// A save refused because the file changed on disk since it was read; the
// caller may read it again, or save without the stamp to overwrite it.
RTL_EXCEPTION(EFileChangedError, EFCreateError)

// The mode of a file created anew (an existing file keeps its own): what
// creat() would give it under the umask, or readable and writable by its
// owner alone, for files that may hold secrets.
enum class TNewFileMode { Default, OwnerOnly };

// For tests that see what reaches the disk: when set, TAtomicFile calls it
// instead of fsync, for the new file and then for its folder. Never set in
// production code.
using TFlushFunction = int (*)(int fd);
void SetFlushFunction(TFlushFunction flush);

class TAtomicFile {
 public:
  // Creates the temporary file; raises EFCreateError naming the file, also
  // when the file exists and is write-protected or not a regular file.
  explicit TAtomicFile(const std::string& path);
  // The same, and Commit replaces the file only while it still has the
  // stamp `read` (the file as it was read); a known stamp is compared under
  // the folder's advisory lock, so two writers never both pass.
  TAtomicFile(const std::string& path, const TFileStamp& read, TNewFileMode newMode = TNewFileMode::Default);
  // Without Commit the temporary file is removed and the old file stays.
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  // Appends to the temporary file; raises EFCreateError when writing fails
  // (the temporary file is then removed, and so is every later Write).
  void Write(std::string_view bytes);
  // Flushes the new content and renames it over the old file. Raises
  // EFileChangedError, keeping the file on disk, when it no longer has the
  // stamp given to the constructor.
  void Commit();
  // The stamp of the file written, once committed.
  const TFileStamp& Stamp() const { return written_; }

 private:
  [[noreturn]] void Fail(const char* what, int err);
  [[noreturn]] void Fail(const char* what, const std::string& reason);
  void KeepOwnerAndMode(const struct stat* old);
  void Rename();
  void Discard();

  std::string path_;  // the file replaced (a link's target)
  std::string temp_;
  TFileStamp read_;     // the file as it was read, when known
  TFileStamp written_;  // the file as it was written
  int fd_ = -1;
  bool pending_ = false;  // the temporary file exists and has not replaced the old one
  TNewFileMode newMode_;
};

// WriteFileAtomic (SysUtils.h) with the mode a new file gets.
void WriteFileAtomic(const std::string& path, const std::string& contents, TNewFileMode newMode);

}  // namespace rtl
