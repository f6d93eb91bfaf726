#pragma once
// Data about a class, built once per form file the first time an object of
// that class is met. Objects of a few classes alternate (a component, its
// font, its collection items): the last classes asked for are found in a
// short array before the hash table is asked.
#include <array>
#include <unordered_map>

#include "rtl/objects/TypeInfo.h"

namespace rtl {

template <class Value>
class TFormClassCache {
 public:
  // The value of `cls`; `build(Value&)` fills it the first time.
  template <class Build>
  Value& Get(const TClass& cls, Build&& build) {
    for (const TRecent& r : recent_)
      if (r.Class == &cls) return *r.Entry;
    auto [it, added] = all_.try_emplace(&cls);
    if (added) build(it->second);
    recent_[next_] = {&cls, &it->second};  // nodes stay put: the pointer stays valid
    next_ = (next_ + 1) % recent_.size();
    return it->second;
  }

 private:
  struct TRecent {
    const TClass* Class = nullptr;
    Value* Entry = nullptr;
  };
  std::unordered_map<const TClass*, Value> all_;
  std::array<TRecent, 4> recent_{};
  size_t next_ = 0;
};

}  // namespace rtl
