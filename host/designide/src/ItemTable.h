#pragma once
// The tree's nodes by the item they stand for. A component is looked up by
// its address: one flat array of slots, open addressing, at most half full,
// so that filing and finding a node neither allocates nor follows a list.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace designide {

class TSprig;

class TItemTable {
 public:
  TSprig* Find(const void* item) const;
  // Files `node` under `item`, taking the place of an entry of that item.
  void Insert(const void* item, TSprig* node);
  void Clear();

 private:
  struct TSlot {
    const void* Item = nullptr;  // null: free
    TSprig* Node = nullptr;
  };
  // The high bits of a multiplicative hash: addresses of objects made one
  // after another differ in a few middle bits, which the multiplication
  // spreads over the high ones.
  size_t Home(const void* item) const {
    return static_cast<size_t>((reinterpret_cast<std::uintptr_t>(item) * 0x9E3779B97F4A7C15ull) >> shift_);
  }
  void Grow(size_t capacity);

  std::vector<TSlot> slots_;  // size a power of two, 2^(64 - shift_)
  size_t count_ = 0;
  unsigned shift_ = 64;
};

}  // namespace designide
