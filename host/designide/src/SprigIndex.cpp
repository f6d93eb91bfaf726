#include "SprigIndex.h"

#include "designide/TreeIntf.h"
#include "rtl/system/SysUtils.h"

namespace designide {

namespace {
// The earlier sibling wins a key, so that look-ups do not depend on when the
// index was made.
void Claim(TSprig*& holder, TSprig* child) {
  if (holder == nullptr || holder->Index() > child->Index()) holder = child;
}
}  // namespace

void TSprigIndex::File(TSprig* child) {
  const std::string name = child->Name();
  child->filedName_ = !name.empty() || child->Item() != nullptr;
  if (child->filedName_) {
    child->nameKey_ = rtl::AnsiFoldCase(name);
    Claim(entries_[child->nameKey_].ByName, child);
  }
  // A component's node is found by its Name only: its unique name is the
  // component's own name, which says nothing about what others look for.
  const std::string unique = child->Item() == nullptr ? child->UniqueName() : std::string();
  child->filedUniqueName_ = !unique.empty();
  if (child->filedUniqueName_) {
    child->uniqueKey_ = unique == name ? child->nameKey_ : rtl::AnsiFoldCase(unique);
    Claim(entries_[child->uniqueKey_].ByUniqueName, child);
  }
}

void TSprigIndex::Unfile(TSprig* child, const std::vector<std::unique_ptr<TSprig>>& siblings) {
  auto release = [&](const std::string& key, TSprig* TEntry::*slot, bool TSprig::*filed, std::string TSprig::*keyOf) {
    auto it = entries_.find(key);
    if (it == entries_.end() || it->second.*slot != child) return;
    TSprig* next = nullptr;
    for (const auto& sibling : siblings)
      if (sibling.get() != child && sibling.get()->*filed && sibling.get()->*keyOf == key) {
        next = sibling.get();
        break;
      }
    it->second.*slot = next;
    if (it->second.ByName == nullptr && it->second.ByUniqueName == nullptr) entries_.erase(it);
  };
  if (child->filedName_) release(child->nameKey_, &TEntry::ByName, &TSprig::filedName_, &TSprig::nameKey_);
  if (child->filedUniqueName_)
    release(child->uniqueKey_, &TEntry::ByUniqueName, &TSprig::filedUniqueName_, &TSprig::uniqueKey_);
  child->filedName_ = child->filedUniqueName_ = false;
}

TSprig* TSprigIndex::Find(const std::string& name) const {
  auto it = entries_.find(rtl::AnsiFoldCase(name));
  if (it == entries_.end()) return nullptr;
  return it->second.ByName != nullptr ? it->second.ByName : it->second.ByUniqueName;
}

}  // namespace designide
