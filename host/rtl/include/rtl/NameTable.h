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

namespace rtl {

inline char FoldAsciiCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Eight bytes at a time, each with its 0x20 bit cleared: names that differ
// only in the case of ASCII letters hash alike (others may too; a look-up
// compares the names after the hash).
inline uint64_t HashIgnoringCase(std::string_view text) {
  constexpr uint64_t kCaseBits = 0x2020202020202020ull;
  auto mix = [](uint64_t h, uint64_t word) {
    h = (h ^ (word & ~kCaseBits)) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 32);
  };
  uint64_t h = text.size();
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    h = mix(h, word);
  }
  uint64_t tail = 0;
  for (size_t shift = 0; i < text.size(); ++i, shift += 8)
    tail |= uint64_t{static_cast<unsigned char>(text[i])} << shift;
  h = mix(h, tail);
  return h ^ (h >> 29);
}

// Names are mostly spelled alike: eight equal bytes are passed in one step,
// and only the rest is compared letter by letter.
inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  size_t i = 0;
  for (; i + 8 <= a.size(); i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a.data() + i, 8);
    std::memcpy(&y, b.data() + i, 8);
    if (x != y) break;
  }
  for (; i < a.size(); ++i)
    if (a[i] != b[i] && FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
  return true;
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
      if (s.Hash == hash && EqualIgnoringCase(KeyOf::Get(*s.Item), name)) return s.Item;
    }
  }

  // Adds `item` under its current name, taking the place of an entry of
  // the same name.
  void Insert(T* item) {
    if ((count_ + 1) * 2 > slots_.size()) Grow();
    const uint64_t hash = HashIgnoringCase(KeyOf::Get(*item));
    size_t i = Home(hash);
    for (; slots_[i].Item != nullptr; i = (i + 1) & Mask()) {
      if (slots_[i].Hash == hash && EqualIgnoringCase(KeyOf::Get(*slots_[i].Item), KeyOf::Get(*item))) {
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
