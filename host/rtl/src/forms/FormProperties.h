#pragma once
// Published properties by name for the classes met while one form file is
// read. A class's table (its own and inherited properties; the nearest
// declaration wins, as in TClass::FindProperty) is built on first use, so
// each property line costs one hash look-up instead of a walk over names.
//
// Objects of one class mostly list their properties in one order (the
// writer's declaration order, less the defaults left out), so a cursor over
// the order met so far offers the likely next property before the table is
// asked.
#include <string_view>
#include <vector>

#include "FormClassCache.h"
#include "rtl/objects/NameTable.h"
#include "rtl/objects/TypeInfo.h"

namespace rtl {

class TFormProperties {
  struct TClassEntry;

 public:
  // Where one object's property lines have got to.
  class TCursor {
    friend class TFormProperties;
    TClassEntry* entry_ = nullptr;
    size_t next_ = 0;
  };

  TCursor Start(const TClass& cls) {
    TCursor cursor;
    cursor.entry_ = &EntryOf(cls);
    return cursor;
  }
  // The property `name` of the cursor's class, the next in order tried first.
  const TPropInfo* Find(TCursor& cursor, std::string_view name);
  const TPropInfo* Find(const TClass& cls, std::string_view name) { return EntryOf(cls).Table.Find(name); }

 private:
  struct TPropName {
    static std::string_view Get(const TPropInfo& prop) { return prop.Name; }
  };
  using TTable = TNameTable<const TPropInfo, TPropName>;
  // Properties left out between two that are written (defaults) are passed
  // over by looking this far ahead; the order stops growing at kMaxOrder,
  // which only a class listing its properties in ever new orders reaches.
  static constexpr size_t kLookAhead = 8;
  static constexpr size_t kMaxOrder = 256;
  struct TClassEntry {
    TTable Table;
    std::vector<const TPropInfo*> Order;  // property lines in the order met
  };

  TClassEntry& EntryOf(const TClass& cls);
  // Past properties left out, or from the table (added to the order).
  const TPropInfo* FindFurther(TCursor& cursor, std::string_view name);

  TFormClassCache<TClassEntry> entries_;
};

inline TFormProperties::TClassEntry& TFormProperties::EntryOf(const TClass& cls) {
  return entries_.Get(cls, [&](TClassEntry& e) {
    for (const TClass* c = &cls; c != nullptr; c = c->ClassParent())
      for (const TPropInfo& prop : c->OwnProperties())
        if (e.Table.Find(prop.Name) == nullptr) e.Table.Insert(&prop);
  });
}

// The likely case inline: the very next property in the order.
inline const TPropInfo* TFormProperties::Find(TCursor& cursor, std::string_view name) {
  const std::vector<const TPropInfo*>& order = cursor.entry_->Order;
  if (cursor.next_ < order.size() && EqualIgnoringCase(order[cursor.next_]->Name, name))
    return order[cursor.next_++];
  return FindFurther(cursor, name);
}

}  // namespace rtl
