#include "model/Selection.h"

#include <algorithm>

namespace designer {

// A component of no module that asks each selected component to tell it
// when it is freed.
class TSelection::TWatcher : public rtl::TComponent {
 public:
  explicit TWatcher(TSelection& selection) : rtl::TComponent(nullptr), selection_(selection) {}

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override {
    if (operation == rtl::TOperation::opRemove) selection_.Removed(component);
  }

 private:
  TSelection& selection_;
};

TSelection::TSelection() : watcher_(std::make_unique<TWatcher>(*this)) {}

TSelection::~TSelection() {
  for (rtl::TComponent* c : items_) watcher_->RemoveFreeNotification(c);
}

bool TSelection::Contains(const rtl::TComponent* component) const {
  return std::find(items_.begin(), items_.end(), component) != items_.end();
}

void TSelection::Select(rtl::TComponent* component) {
  if (component == nullptr)
    SetItems({});
  else
    SetItems({component});
}

void TSelection::SetItems(const std::vector<rtl::TComponent*>& components) {
  if (components == items_) return;
  for (rtl::TComponent* c : items_) watcher_->RemoveFreeNotification(c);
  items_.clear();
  for (rtl::TComponent* c : components) {
    if (c == nullptr || Contains(c)) continue;
    items_.push_back(c);
    watcher_->FreeNotification(c);
  }
  Changed();
}

void TSelection::Add(rtl::TComponent* component) {
  if (component == nullptr || Contains(component)) return;
  items_.push_back(component);
  watcher_->FreeNotification(component);
  Changed();
}

void TSelection::Toggle(rtl::TComponent* component) {
  if (component == nullptr) return;
  auto it = std::find(items_.begin(), items_.end(), component);
  if (it == items_.end()) return Add(component);
  watcher_->RemoveFreeNotification(component);
  items_.erase(it);
  Changed();
}

void TSelection::Clear() { SetItems({}); }

void TSelection::Removed(rtl::TComponent* component) {
  auto it = std::find(items_.begin(), items_.end(), component);
  if (it == items_.end()) return;
  items_.erase(it);
  Changed();
}

void TSelection::Changed() {
  if (OnChange) OnChange();
}

}  // namespace designer
