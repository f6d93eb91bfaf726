#include "SprigTreeState.h"

#include <cstdint>
#include <vector>

#include "rtl/system/SysUtils.h"

namespace designide {

namespace {

// A node without an item is known by its parent's key and its unique name;
// a node with one by its item.
std::string PathKey(TSprig* node) {
  if (node->Item() != nullptr) return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(node->Item()));
  std::string parent = node->Parent() != nullptr ? PathKey(node->Parent()) : std::string();
  return parent + "/" + rtl::AnsiFoldCase(node->UniqueName());
}

template <class F>
void ForEachNode(TSprig* root, F f) {
  if (root == nullptr) return;
  std::vector<TSprig*> stack{root};
  while (!stack.empty()) {
    TSprig* node = stack.back();
    stack.pop_back();
    f(node);
    for (int i = 0; i < node->Count(); ++i) stack.push_back(node->Child(i));
  }
}

}  // namespace

void TSprigTree::SetExpanded(TSprig* node, bool expanded) {
  if (node != nullptr) node->expanded_ = expanded;
}

bool TSprigTree::IsExpanded(const TSprig* node) const { return node != nullptr && node->expanded_; }

void TSprigTree::Select(TSprig* node) {
  if (node != nullptr && node->tree_ != this) throw rtl::EComponentError("The sprig is not a node of this tree");
  selected_ = node;
}

void TSprigTree::ShowAndSelect(TSprig* node) {
  selected_ = node;
  for (TSprig* p = node != nullptr ? node->parent_ : nullptr; p != nullptr; p = p->parent_) p->expanded_ = true;
}

TSprigTree::TState TSprigTree::SaveState() const {
  TState state;
  ForEachNode(root_.get(), [&](TSprig* node) {
    if (!node->expanded_) return;
    if (node->Item() != nullptr)
      state.ExpandedItems.insert(node->Item());
    else
      state.ExpandedPaths.insert(PathKey(node));
  });
  if (selected_ != nullptr) {
    state.SelectedItem = selected_->Item();
    if (state.SelectedItem == nullptr) state.SelectedPath = PathKey(selected_);
  }
  return state;
}

void TSprigTree::RestoreState(const TState& state) {
  ForEachNode(root_.get(), [&](TSprig* node) {
    if (node->Item() != nullptr) {
      node->expanded_ = state.ExpandedItems.count(node->Item()) != 0;
      if (node->Item() == state.SelectedItem) selected_ = node;
      return;
    }
    if (state.ExpandedPaths.empty() && state.SelectedPath.empty()) return;
    const std::string key = PathKey(node);
    node->expanded_ = state.ExpandedPaths.count(key) != 0;
    if (!state.SelectedPath.empty() && key == state.SelectedPath) selected_ = node;
  });
}

void TSprigTree::ComponentDeleted(const rtl::TComponent* component) {
  // Its state must not pass to a component made later at the same address.
  if (TSprig* node = NodeFor(component)) {
    node->expanded_ = false;
    if (selected_ == node) selected_ = nullptr;
  }
  Rebuild();
}

}  // namespace designide
