// Reading the resource section of a package file with libelf, without
// mapping the file as code or running any of it.
#include <fcntl.h>
#include <gelf.h>
#include <libelf.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "rtl/packages/Resources.h"
#include "rtl/system/Exceptions.h"

namespace rtl {

namespace {

class TFileDescriptor {
 public:
  explicit TFileDescriptor(const std::string& fileName) : fd_(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) throw EFOpenError("Cannot open file \"" + fileName + "\": " + std::strerror(errno));
  }
  ~TFileDescriptor() { ::close(fd_); }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

class TElfHandle {
 public:
  explicit TElfHandle(int fd) {
    if (elf_version(EV_CURRENT) == EV_NONE) throw EPackageError(std::string("libelf: ") + elf_errmsg(-1));
    // Read, not mapped: libelf then reads the headers and the one section
    // asked for, where a mapping of the whole file (megabytes of debugging
    // data) costs its page faults and unmapping on every read, and the
    // About verb's caption reads the version data each time it is shown.
    elf_ = elf_begin(fd, ELF_C_READ, nullptr);
  }
  ~TElfHandle() {
    if (elf_ != nullptr) elf_end(elf_);
  }
  TElfHandle(const TElfHandle&) = delete;
  TElfHandle& operator=(const TElfHandle&) = delete;
  Elf* Get() const { return elf_; }

 private:
  Elf* elf_ = nullptr;
};

bool IsSharedObject(Elf* elf) {
  if (elf == nullptr || elf_kind(elf) != ELF_K_ELF) return false;
  GElf_Ehdr header;
  return gelf_getehdr(elf, &header) != nullptr && header.e_type == ET_DYN;
}

}  // namespace

bool IsSharedLibraryFile(const std::string& fileName) {
  TFileDescriptor fd(fileName);
  TElfHandle elf(fd.Get());
  return IsSharedObject(elf.Get());
}

TResourceList ReadResources(const std::string& fileName) {
  TFileDescriptor fd(fileName);
  TElfHandle elf(fd.Get());
  if (!IsSharedObject(elf.Get())) throw EPackageError("\"" + fileName + "\" is not a shared library");

  size_t namesIndex = 0;
  if (elf_getshdrstrndx(elf.Get(), &namesIndex) != 0)
    throw EPackageError("\"" + fileName + "\": unreadable section table: " + elf_errmsg(-1));
  for (Elf_Scn* scn = elf_nextscn(elf.Get(), nullptr); scn != nullptr; scn = elf_nextscn(elf.Get(), scn)) {
    GElf_Shdr header;
    if (gelf_getshdr(scn, &header) == nullptr) continue;
    const char* name = elf_strptr(elf.Get(), namesIndex, header.sh_name);
    if (name == nullptr || std::strcmp(name, ResourceSectionName) != 0) continue;
    if (header.sh_type == SHT_NOBITS) throw EPackageError("\"" + fileName + "\": resource section holds no data");
    Elf_Data* data = elf_rawdata(scn, nullptr);
    if (data == nullptr || data->d_buf == nullptr)
      throw EPackageError("\"" + fileName + "\": cannot read resource section: " + elf_errmsg(-1));
    std::string bytes(static_cast<const char*>(data->d_buf), data->d_size);
    return DecodeResources(bytes, fileName);
  }
  return TResourceList();
}

}  // namespace rtl
