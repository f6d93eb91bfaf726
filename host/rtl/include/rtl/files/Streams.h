#pragma once
// Byte streams.
#include <cstdint>
#include <cstdio>
#include <string>

#include "rtl/objects/Object.h"

namespace rtl {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  RTL_CLASS(TStream)
 public:
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
  int64_t Size();
  void WriteString(const std::string& s) { WriteBuffer(s.data(), static_cast<int64_t>(s.size())); }
  void WriteBuffer(const void* buffer, int64_t count);  // raises on short write
  std::string ReadAll();  // from the position to the end
};

// A stream over a string held in memory.
class TStringStream : public TStream {
  RTL_CLASS(TStringStream)
 public:
  explicit TStringStream(std::string data = {}) : data_(std::move(data)) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  const std::string& DataString() const { return data_; }

 private:
  std::string data_;
  int64_t pos_ = 0;
};

enum class TFileMode { fmOpenRead, fmCreate, fmOpenReadWrite };

class TFileStream : public TStream {
  RTL_CLASS(TFileStream)
 public:
  // Raises EFOpenError / EFCreateError naming the file and the reason.
  TFileStream(const std::string& fileName, TFileMode mode);
  ~TFileStream() override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

 private:
  std::string fileName_;
  std::FILE* file_ = nullptr;
};

}  // namespace rtl
