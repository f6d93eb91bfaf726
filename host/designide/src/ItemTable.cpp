#include "ItemTable.h"

#include <utility>

namespace designide {

TSprig* TItemTable::Find(const void* item) const {
  if (count_ == 0 || item == nullptr) return nullptr;
  for (size_t i = Home(item);; i = (i + 1) & (slots_.size() - 1)) {
    if (slots_[i].Item == item) return slots_[i].Node;
    if (slots_[i].Item == nullptr) return nullptr;
  }
}

void TItemTable::Insert(const void* item, TSprig* node) {
  if (item == nullptr) return;
  if ((count_ + 1) * 2 > slots_.size()) Grow(slots_.empty() ? 16 : slots_.size() * 2);
  size_t i = Home(item);
  for (; slots_[i].Item != nullptr; i = (i + 1) & (slots_.size() - 1))
    if (slots_[i].Item == item) {
      slots_[i].Node = node;
      return;
    }
  slots_[i] = {item, node};
  ++count_;
}

void TItemTable::Clear() {
  slots_.clear();
  count_ = 0;
  shift_ = 64;
}

void TItemTable::Grow(size_t capacity) {
  std::vector<TSlot> old = std::exchange(slots_, std::vector<TSlot>(capacity));
  shift_ = 64;
  for (size_t c = capacity; c > 1; c >>= 1) --shift_;
  for (const TSlot& s : old) {
    if (s.Item == nullptr) continue;
    size_t i = Home(s.Item);
    while (slots_[i].Item != nullptr) i = (i + 1) & (slots_.size() - 1);
    slots_[i] = s;
  }
}

}  // namespace designide
