#pragma once
// The form writer's output: text appended through one check for room and a
// plain copy, without std::string's bookkeeping on every call. A form file
// is made of many short appends (indentation, a name, " = ", a value).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace rtl {

class TFormTextOut {
 public:
  // Inlined, so a literal's length is known and its copy is a few moves.
  void Append(std::string_view text) {
    CopyBytes(Room(text.size()), text.data(), text.size());
    used_ += text.size();
  }
  void Append(char c) {
    *Room(1) = c;
    ++used_;
  }
  // Sixteen blanks are stored whatever the count (the room allows it), so
  // the usual indentation is two moves rather than a call.
  void Blanks(size_t count) {
    char* at = Room(count + 16);
    std::memcpy(at, "                ", 16);
    if (count > 16) std::memset(at + 16, ' ', count - 16);
    used_ += count;
  }
  // Room for `count` bytes at the end, to be filled and then taken with Added.
  char* Room(size_t count) {
    if (buf_.size() - used_ < count) Grow(count);
    return buf_.data() + used_;
  }
  void Added(size_t count) { used_ += count; }

  size_t Size() const { return used_; }
  std::string_view View() const { return {buf_.data(), used_}; }
  void Clear() { used_ = 0; }
  void Reserve(size_t bytes) {
    if (buf_.size() < bytes) buf_.resize(bytes);
  }
  std::string Take() {
    buf_.resize(used_);
    used_ = 0;
    return std::move(buf_);
  }

 private:
  // Most appends are a few bytes (a name, " = ", a short value): up to
  // sixteen are copied with two moves that may overlap, not a call.
  static void CopyBytes(char* to, const char* from, size_t n) {
    if (n > 16) {
      std::memcpy(to, from, n);
    } else if (n >= 8) {
      CopyEnds<uint64_t>(to, from, n);
    } else if (n >= 4) {
      CopyEnds<uint32_t>(to, from, n);
    } else if (n > 0) {
      to[0] = from[0];
      to[n / 2] = from[n / 2];
      to[n - 1] = from[n - 1];
    }
  }
  // The first and the last word of n bytes, n between one and two words.
  template <class Word>
  static void CopyEnds(char* to, const char* from, size_t n) {
    Word head, tail;
    std::memcpy(&head, from, sizeof head);
    std::memcpy(&tail, from + n - sizeof tail, sizeof tail);
    std::memcpy(to, &head, sizeof head);
    std::memcpy(to + n - sizeof tail, &tail, sizeof tail);
  }

  void Grow(size_t count) { buf_.resize(std::max({buf_.size() * 2, used_ + count, size_t{4096}})); }

  std::string buf_;  // its whole size is room; the text is the first used_ bytes
  size_t used_ = 0;
};

}  // namespace rtl
