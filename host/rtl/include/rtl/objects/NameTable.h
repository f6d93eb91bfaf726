#pragma once
// Objects found by their names, ignoring ASCII letter case (identifiers are
// ASCII). The names live in the objects; the table keeps one hash and one
// pointer per entry in a flat array, so a look-up neither allocates nor
// follows list nodes. KeyOf::Get(const T&) gives an object's name.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "rtl/system/SysUtils.h"

namespace rtl {

namespace name_bytes {
inline uint64_t Load8(const char* p) {
  uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}
// All of a name shorter than eight bytes in one word: the first and last
// four bytes (overlapping), or for up to three bytes the first, middle and
// last. Two names of one length are equal exactly when their words are.
inline uint64_t LoadShort(const char* p, size_t n) {
  if (n >= 4) {
    uint32_t head, tail;
    std::memcpy(&head, p, 4);
    std::memcpy(&tail, p + n - 4, 4);
    return uint64_t{head} << 32 | tail;
  }
  if (n == 0) return 0;
  auto byte = [&](size_t i) { return uint64_t{static_cast<unsigned char>(p[i])}; };
  return byte(0) << 16 | byte(n / 2) << 8 | byte(n - 1);
}
}  // namespace name_bytes

// A word at a time, each byte with its 0x20 bit cleared: names that differ
// only in the case of ASCII letters hash alike (others may too; a look-up
// compares the names after the hash).
inline uint64_t HashIgnoringCase(std::string_view text) {
  using namespace name_bytes;
  constexpr uint64_t kCaseBits = 0x2020202020202020ull;
  // One to one in h for a given word, so differing words never merge.
  auto mix = [](uint64_t h, uint64_t word) {
    h = (h ^ (word & ~kCaseBits)) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 32);
  };
  const char* p = text.data();
  const size_t n = text.size();
  uint64_t h = n;
  if (n < 8) {
    h = mix(h, LoadShort(p, n));
  } else {
    size_t i = 0;
    for (; i + 8 <= n; i += 8) h = mix(h, Load8(p + i));
    if (i < n) h = mix(h, Load8(p + n - 8));  // the last eight bytes, overlapping
  }
  // Every bit of the words reaches the low bits, which pick the slot.
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 33);
}

template <class T, class KeyOf>
class TNameTable {
 public:
  size_t Size() const { return count_; }

  T* Find(std::string_view name) const {
    if (count_ == 0) return nullptr;
    const uint64_t hash = HashIgnoringCase(name);
    for (size_t i = Home(hash);; i = (i + 1) & Mask()) {
      const Slot& s = slots_[i];
      if (s.Item == nullptr) return nullptr;
      if (s.Hash == hash && SameText(KeyOf::Get(*s.Item), name)) return s.Item;
    }
  }

  // Adds `item` under its current name, taking the place of an entry of
  // the same name.
  void Insert(T* item) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    const uint64_t hash = HashIgnoringCase(KeyOf::Get(*item));
    size_t i = Home(hash);
    for (; slots_[i].Item != nullptr; i = (i + 1) & Mask()) {
      if (slots_[i].Hash == hash && SameText(KeyOf::Get(*slots_[i].Item), KeyOf::Get(*item))) {
        slots_[i].Item = item;
        return;
      }
    }
    slots_[i] = {hash, item};
    ++count_;
  }

  // Removes `item`, which is filed under `name` (its name when it was
  // inserted); nothing happens when the entry of that name is another one.
  void Erase(std::string_view name, const T* item) {
    if (count_ == 0) return;
    size_t i = Home(HashIgnoringCase(name));
    for (; slots_[i].Item != item; i = (i + 1) & Mask())
      if (slots_[i].Item == nullptr) return;
    // Close the gap: later entries of the same run move back, so that a
    // look-up never stops early at an emptied slot.
    for (size_t j = (i + 1) & Mask(); slots_[j].Item != nullptr; j = (j + 1) & Mask()) {
      size_t home = Home(slots_[j].Hash);
      bool movable = i <= j ? (home <= i || home > j) : (home <= i && home > j);
      if (movable) {
        slots_[i] = slots_[j];
        i = j;
      }
    }
    slots_[i] = {};
    --count_;
  }

 private:
  struct Slot {
    uint64_t Hash = 0;
    T* Item = nullptr;  // null: free
  };

  size_t Mask() const { return slots_.size() - 1; }
  size_t Home(uint64_t hash) const { return static_cast<size_t>(hash) & Mask(); }

  void Grow() {
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slots_.empty() ? 8 : slots_.size() * 2));
    for (const Slot& s : old) {
      if (s.Item == nullptr) continue;
      size_t i = Home(s.Hash);
      while (slots_[i].Item != nullptr) i = (i + 1) & Mask();
      slots_[i] = s;
    }
  }

  std::vector<Slot> slots_;  // size a power of two, at most half full
  size_t count_ = 0;
};

}  // namespace rtl
