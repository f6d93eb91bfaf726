#pragma once
// The children of one sprig filed under their names, for TSprig::Find: one
// hash look-up instead of a walk over the children. Names match as
// rtl::AnsiSameText matches them: a name in ASCII is hashed and compared
// ignoring the case of its letters as it stands, any other is folded to one
// letter case in every script first.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rtl/objects/NameTable.h"

namespace designide {

class TSprig;

class TSprigIndex {
 public:
  // Files the child under its Name and UniqueName as they are now; the keys
  // are kept so that Unfile finds them after a rename.
  void File(TSprig* child);
  // Removes the child; another sibling filed under the same key (the
  // earliest) takes its place.
  void Unfile(TSprig* child, const std::vector<std::unique_ptr<TSprig>>& siblings);
  // The child filed under that name (a Name match first), or null.
  TSprig* Find(const std::string& name) const;
  // The child filed under that UniqueName (`grouping`) or Name only.
  TSprig* Find(const std::string& name, bool grouping) const;

 private:
  // The children filed under one name; an entry stays when they go.
  struct TEntry {
    std::string Key;
    TSprig* ByName = nullptr;
    TSprig* ByUniqueName = nullptr;
  };
  struct TEntryKey {
    static std::string_view Get(const TEntry& entry) { return entry.Key; }
  };
  // The keys a child was filed under (its names may change afterwards).
  struct TKeys {
    std::string Name, UniqueName;
    bool HasName = false, HasUniqueName = false;
  };
  TEntry& EntryFor(const std::string& key);
  const TEntry* EntryOf(const std::string& name) const;
  void Release(const TSprig* child, const std::string& key, TSprig* TEntry::*slot,
               const std::vector<std::unique_ptr<TSprig>>& siblings);

  rtl::TNameTable<TEntry, TEntryKey> table_;
  std::vector<std::unique_ptr<TEntry>> entries_;
  std::unordered_map<const TSprig*, TKeys> filed_;
};

}  // namespace designide
