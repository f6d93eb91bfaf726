#include "rtl/files/Streams.h"

#include <cerrno>
#include <cstring>

#include "rtl/objects/ClassBuilder.h"

namespace rtl {

const TClass& TStream::StaticClass() {
  static const TClass cls("TStream", &TObject::StaticClass());
  return cls;
}
const TClass& TStringStream::StaticClass() {
  static const TClass cls("TStringStream", &TStream::StaticClass());
  return cls;
}
const TClass& TFileStream::StaticClass() {
  static const TClass cls("TFileStream", &TStream::StaticClass());
  return cls;
}

int64_t TStream::Size() {
  int64_t pos = Position();
  int64_t size = Seek(0, TSeekOrigin::soEnd);
  SetPosition(pos);
  return size;
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (Write(buffer, count) != count) throw EInOutError("Stream write error");
}

std::string TStream::ReadAll() {
  std::string out;
  char buf[65536];
  for (int64_t n; (n = Read(buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
  return out;
}

int64_t TStringStream::Read(void* buffer, int64_t count) {
  int64_t n = std::max<int64_t>(0, std::min<int64_t>(count, static_cast<int64_t>(data_.size()) - pos_));
  if (n > 0) std::memcpy(buffer, data_.data() + pos_, static_cast<size_t>(n));
  pos_ += n;
  return n;
}

int64_t TStringStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  auto end = static_cast<size_t>(pos_ + count);
  if (data_.size() < end) data_.resize(end);
  std::memcpy(data_.data() + pos_, buffer, static_cast<size_t>(count));
  pos_ += count;
  return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == TSeekOrigin::soBeginning ? 0 : (origin == TSeekOrigin::soCurrent ? pos_ : static_cast<int64_t>(data_.size()));
  pos_ = std::max<int64_t>(0, base + offset);
  return pos_;
}

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : fileName_(fileName) {
  const char* how = mode == TFileMode::fmOpenRead ? "rb" : (mode == TFileMode::fmCreate ? "wb" : "r+b");
  file_ = std::fopen(fileName.c_str(), how);
  if (file_ == nullptr) {
    std::string reason = std::strerror(errno);
    if (mode == TFileMode::fmCreate) throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
    throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
  }
}

TFileStream::~TFileStream() {
  if (file_ != nullptr) std::fclose(file_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  return count <= 0 ? 0 : static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  return count <= 0 ? 0 : static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET : (origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END);
  std::fseek(file_, offset, whence);
  return std::ftell(file_);
}

}  // namespace rtl
