#pragma once
// The selected components of a designed module, in the order they were
// selected (the first is the one the Object Inspector shows first). A
// component freed while selected, by the designer or by an editor, leaves
// the selection at once.
#include <functional>
#include <memory>
#include <vector>

#include "rtl/objects/Component.h"

namespace designer {

class TSelection {
 public:
  TSelection();
  ~TSelection();
  TSelection(const TSelection&) = delete;
  TSelection& operator=(const TSelection&) = delete;

  const std::vector<rtl::TComponent*>& Items() const { return items_; }
  bool Empty() const { return items_.empty(); }
  int Count() const { return static_cast<int>(items_.size()); }
  rtl::TComponent* First() const { return items_.empty() ? nullptr : items_.front(); }
  bool Contains(const rtl::TComponent* component) const;

  // Each call that changes the selection tells OnChange once.
  void Select(rtl::TComponent* component);  // only this one (null: none)
  void SetItems(const std::vector<rtl::TComponent*>& components);
  void Add(rtl::TComponent* component);
  void Toggle(rtl::TComponent* component);
  void Clear();

  std::function<void()> OnChange;

 private:
  class TWatcher;
  void Removed(rtl::TComponent* component);
  void Changed();

  std::vector<rtl::TComponent*> items_;
  std::unique_ptr<TWatcher> watcher_;  // hears when a selected component is freed
};

}  // namespace designer
