#include "SprigIndex.h"

#include "designide/TreeIntf.h"
#include "rtl/objects/NameTable.h"
#include "rtl/system/SysUtils.h"

namespace designide {

namespace {
// The earlier sibling wins a key, so that look-ups do not depend on when the
// index was made.
void Claim(TSprig*& holder, TSprig* child) {
  if (holder == nullptr || holder->Index() > child->Index()) holder = child;
}

bool IsAscii(const std::string& text) {
  unsigned char bits = 0;
  for (char c : text) bits |= static_cast<unsigned char>(c);
  return bits < 0x80;
}

// The name as the index holds and looks it up: as it stands in ASCII,
// folded otherwise.
std::string Key(const std::string& name) { return IsAscii(name) ? name : rtl::AnsiFoldCase(name); }
}  // namespace

TSprigIndex::TEntry& TSprigIndex::EntryFor(const std::string& key) {
  if (TEntry* entry = table_.Find(key)) return *entry;
  entries_.push_back(std::make_unique<TEntry>());
  entries_.back()->Key = key;
  table_.Insert(entries_.back().get());
  return *entries_.back();
}

void TSprigIndex::File(TSprig* child) {
  TKeys& keys = filed_[child];
  const std::string name = child->Name();
  keys.HasName = !name.empty() || child->Item() != nullptr;
  if (keys.HasName) {
    keys.Name = Key(name);
    Claim(EntryFor(keys.Name).ByName, child);
  }
  // A component's node is found by its Name only: its unique name is the
  // component's own name, which says nothing about what others look for.
  const std::string unique = child->Item() == nullptr ? child->UniqueName() : std::string();
  keys.HasUniqueName = !unique.empty();
  if (keys.HasUniqueName) {
    keys.UniqueName = Key(unique);
    Claim(EntryFor(keys.UniqueName).ByUniqueName, child);
  }
}

void TSprigIndex::Release(const TSprig* child, const std::string& key, TSprig* TEntry::*slot,
                          const std::vector<std::unique_ptr<TSprig>>& siblings) {
  TEntry* entry = table_.Find(key);
  if (entry == nullptr || entry->*slot != child) return;
  const bool byName = slot == &TEntry::ByName;
  TSprig* next = nullptr;
  for (const auto& sibling : siblings) {
    if (sibling.get() == child) continue;
    auto keys = filed_.find(sibling.get());
    if (keys == filed_.end()) continue;
    const bool match = byName ? keys->second.HasName && rtl::AnsiSameText(keys->second.Name, key)
                              : keys->second.HasUniqueName && rtl::AnsiSameText(keys->second.UniqueName, key);
    if (match) {
      next = sibling.get();
      break;
    }
  }
  entry->*slot = next;
}

void TSprigIndex::Unfile(TSprig* child, const std::vector<std::unique_ptr<TSprig>>& siblings) {
  auto it = filed_.find(child);
  if (it == filed_.end()) return;
  const TKeys keys = std::move(it->second);
  filed_.erase(it);
  if (keys.HasName) Release(child, keys.Name, &TEntry::ByName, siblings);
  if (keys.HasUniqueName) Release(child, keys.UniqueName, &TEntry::ByUniqueName, siblings);
}

const TSprigIndex::TEntry* TSprigIndex::EntryOf(const std::string& name) const {
  // A match as the name stands (ignoring the case of ASCII letters) is a
  // match; a name in another script may match only once folded.
  const TEntry* entry = table_.Find(name);
  if (entry == nullptr && !IsAscii(name)) entry = table_.Find(Key(name));
  return entry;
}

TSprig* TSprigIndex::Find(const std::string& name) const {
  const TEntry* entry = EntryOf(name);
  if (entry == nullptr) return nullptr;
  return entry->ByName != nullptr ? entry->ByName : entry->ByUniqueName;
}

TSprig* TSprigIndex::Find(const std::string& name, bool grouping) const {
  const TEntry* entry = EntryOf(name);
  if (entry == nullptr) return nullptr;
  return grouping ? entry->ByUniqueName : entry->ByName;
}

}  // namespace designide
