#include "FormProperties.h"

#include <algorithm>

namespace rtl {

const TPropInfo* TFormProperties::FindFurther(TCursor& cursor, std::string_view name) {
  std::vector<const TPropInfo*>& order = cursor.entry_->Order;
  const size_t end = std::min(order.size(), cursor.next_ + kLookAhead);
  for (size_t i = cursor.next_ + 1; i < end; ++i) {
    if (EqualIgnoringCase(order[i]->Name, name)) {
      cursor.next_ = i + 1;
      return order[i];
    }
  }
  const TPropInfo* prop = cursor.entry_->Table.Find(name);
  // Orders only grow, so a cursor never points past the end, even when
  // an object nested in another of its class has added to the order.
  if (prop != nullptr && order.size() < kMaxOrder) {
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(cursor.next_), prop);
    ++cursor.next_;
  }
  return prop;
}

}  // namespace rtl
