#pragma once
// The children of one sprig filed under their names, for TSprig::Find: one
// hash look-up instead of a walk over the children. Keys are the names
// folded to one letter case in every script (rtl::AnsiFoldCase).
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace designide {

class TSprig;

class TSprigIndex {
 public:
  // Files the child under its Name and UniqueName as they are now; the keys
  // stay with the child so that Unfile finds them after a rename.
  void File(TSprig* child);
  // Removes the child; another sibling filed under the same key (the
  // earliest) takes its place.
  void Unfile(TSprig* child, const std::vector<std::unique_ptr<TSprig>>& siblings);
  // The child filed under that name (a Name match first), or null.
  TSprig* Find(const std::string& name) const;

 private:
  struct TEntry {
    TSprig* ByName = nullptr;
    TSprig* ByUniqueName = nullptr;
  };
  std::unordered_map<std::string, TEntry> entries_;
};

}  // namespace designide
