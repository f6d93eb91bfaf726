#pragma once
// Little-endian byte writing and bounds-checked reading for the resource
// encodings. Private to the resource code.
#include <cstdint>
#include <string>

#include "rtl/system/Exceptions.h"

namespace rtl::resbytes {

inline void PutU16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
inline void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
inline void PutZ(std::string& out, const std::string& s) {
  out += s;
  out.push_back('\0');
}

// Reads from a blob, raising EPackageError naming the blob and offset when
// a read would run past its end.
class TByteReader {
 public:
  TByteReader(const std::string& bytes, std::string where, size_t pos = 0)
      : bytes_(bytes), where_(std::move(where)), pos_(pos) {}

  uint16_t U16() {
    Need(2);
    uint16_t v = static_cast<uint16_t>(Byte(pos_) | (Byte(pos_ + 1) << 8));
    pos_ += 2;
    return v;
  }
  uint32_t U32() {
    Need(4);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | Byte(pos_ + static_cast<size_t>(i));
    pos_ += 4;
    return v;
  }
  std::string Z() {
    size_t end = bytes_.find('\0', pos_);
    if (end == std::string::npos) Fail("unterminated text");
    std::string s = bytes_.substr(pos_, end - pos_);
    pos_ = end + 1;
    return s;
  }
  size_t Pos() const { return pos_; }
  size_t Remaining() const { return bytes_.size() - pos_; }
  [[noreturn]] void Fail(const std::string& what) const {
    throw EPackageError(where_ + ": " + what + " at offset " + std::to_string(pos_));
  }

 private:
  uint32_t Byte(size_t i) const { return static_cast<unsigned char>(bytes_[i]); }
  void Need(size_t n) const {
    if (pos_ > bytes_.size() || bytes_.size() - pos_ < n) Fail("data ends early");
  }
  const std::string& bytes_;
  std::string where_;
  size_t pos_;
};

}  // namespace rtl::resbytes
