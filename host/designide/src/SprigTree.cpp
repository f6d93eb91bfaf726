#include "designide/SprigTree.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <unordered_map>

#include "SprigTreeState.h"
#include "designide/Registration.h"
#include "rtl/system/Exceptions.h"

namespace designide {

namespace {

// Sprig classes by component class, and the registration rank of each sprig
// class: looked up once per class while one set of nodes is made.
class TSprigClasses {
 public:
  TSprigClasses() {
    int rank = 0;
    for (const TRegistrationInfo& info : AllRegistrations())
      if (info.Kind == TRegistrationKind::SprigType) ranks_.emplace(info.EditorClass, rank++);
  }
  const rtl::TClass& For(const rtl::TClass& componentClass, int& rank) {
    auto [it, made] = classes_.try_emplace(&componentClass, nullptr);
    if (made) it->second = FindSprigClass(componentClass);
    if (it->second == nullptr) {
      rank = -1;
      return TComponentSprig::StaticClass();
    }
    rank = ranks_.at(it->second);
    return *it->second;
  }

 private:
  std::unordered_map<const rtl::TClass*, const rtl::TClass*> classes_;
  std::unordered_map<const rtl::TClass*, int> ranks_;
};

}  // namespace

TSprigTree::TSprigTree(IDesigner* designer) : designer_(designer) {}
TSprigTree::~TSprigTree() = default;

TSprig* TSprigTree::NodeFor(const rtl::TPersistent* item) const {
  auto it = nodes_.find(item);
  return it == nodes_.end() ? nullptr : it->second;
}

std::unique_ptr<TSprig> TSprigTree::TakeUnplaced(TSprig* node) {
  if (node->slot_ < 0 || static_cast<size_t>(node->slot_) >= unplaced_.size() ||
      unplaced_[static_cast<size_t>(node->slot_)].get() != node)
    return nullptr;
  std::unique_ptr<TSprig> owned = std::move(unplaced_[static_cast<size_t>(node->slot_)]);
  node->slot_ = -1;
  return owned;
}

void TSprigTree::HoldUnplaced(std::unique_ptr<TSprig> node) {
  node->SetTree(this);
  node->slot_ = static_cast<int>(unplaced_.size());
  unplaced_.push_back(std::move(node));
}

void TSprigTree::Build(rtl::TComponent* root) {
  BuildTree(root);
  Notify(TSprigTreeChange{});
}

void TSprigTree::BuildTree(rtl::TComponent* root) {
  if (root == nullptr) throw rtl::EComponentError("The Structure view needs a module to show");
  // The old tree stays until the new one stands, and comes back if it fails.
  std::unique_ptr<TSprig> oldRoot = std::move(root_);
  auto oldNodes = std::move(nodes_);
  rtl::TComponent* oldModule = std::exchange(module_, root);
  TSprig* oldSelected = std::exchange(selected_, nullptr);
  try {
    nodes_.clear();
    root_ = CreateSprig(TRootSprig::StaticClass(), root);
    root_->SetTree(this);
    nodes_[root] = root_.get();
    std::vector<rtl::TComponent*> components;
    std::vector<int> order;
    components.reserve(static_cast<size_t>(root->ComponentCount()));
    order.reserve(components.capacity());
    for (int i = 0; i < root->ComponentCount(); ++i) {
      components.push_back(root->Components(i));
      order.push_back(i);
    }
    PlaceComponents(components, order);
    OrderChildren(root_.get());
  } catch (...) {
    unplaced_.clear();
    root_ = std::move(oldRoot);
    nodes_ = std::move(oldNodes);
    module_ = oldModule;
    selected_ = oldSelected;
    throw;
  }
}

std::vector<TSprig*> TSprigTree::PlaceComponents(const std::vector<rtl::TComponent*>& components,
                                                 const std::vector<int>& moduleOrder) {
  struct TMade {
    int Rank;
    int Order;
    std::unique_ptr<TSprig> Node;
  };
  TSprigClasses classes;
  std::vector<TMade> made;
  made.reserve(components.size());
  for (size_t i = 0; i < components.size(); ++i) {
    int rank = -1;
    const rtl::TClass& cls = classes.For(components[i]->ClassType(), rank);
    made.push_back({rank, moduleOrder[i], CreateSprig(cls, components[i])});
    made.back().Node->moduleOrder_ = moduleOrder[i];
  }
  std::stable_sort(made.begin(), made.end(), [](const TMade& a, const TMade& b) { return a.Rank < b.Rank; });
  std::vector<TSprig*> placed;
  placed.reserve(made.size());
  unplaced_.clear();
  for (auto& m : made) {
    placed.push_back(m.Node.get());
    HoldUnplaced(std::move(m.Node));
  }
  for (TSprig* node : placed) PlaceOne(node);
  unplaced_.clear();
  return placed;
}

void TSprigTree::PlaceOne(TSprig* node) {
  // A node that cannot be placed is still shown: under the root, unplaced.
  try {
    node->FigureParent();
  } catch (const std::exception&) {
  }
  if (std::unique_ptr<TSprig> left = TakeUnplaced(node)) {
    root_->Add(std::move(left));
    node->unplaced_ = true;
  }
  nodes_[node->Item()] = node;
  const int before = node->Count();
  node->FigureChildren();
  std::vector<TSprig*> stack;
  for (int i = before; i < node->Count(); ++i) stack.push_back(node->Child(i));
  while (!stack.empty()) {
    TSprig* part = stack.back();
    stack.pop_back();
    if (part->Item() != nullptr) nodes_[part->Item()] = part;
    for (int i = 0; i < part->Count(); ++i) stack.push_back(part->Child(i));
  }
}

int TSprigTree::OrderChildren(TSprig* node) {
  // Children follow the earliest module component in their subtrees, so
  // that a person finds them in module order; nodes without one keep their
  // order after the others.
  int first = node->moduleOrder_ >= 0 ? node->moduleOrder_ : INT_MAX;
  for (auto& child : node->children_) first = std::min(first, OrderChildren(child.get()));
  SortChildren(node);
  node->firstOrder_ = first;
  return first;
}

void TSprigTree::SortChildren(TSprig* node) {
  auto& children = node->children_;
  std::stable_sort(children.begin(), children.end(),
                   [](const auto& a, const auto& b) { return a->firstOrder_ < b->firstOrder_; });
  for (size_t i = 0; i < children.size(); ++i) children[i]->position_ = static_cast<int>(i);
}

void TSprigTree::Forget(TSprig* subtree) {
  std::vector<TSprig*> stack{subtree};
  while (!stack.empty()) {
    TSprig* node = stack.back();
    stack.pop_back();
    if (node == selected_) selected_ = nullptr;
    if (auto it = nodes_.find(node->Item()); it != nodes_.end() && it->second == node) nodes_.erase(it);
    for (auto& c : node->children_) stack.push_back(c.get());
  }
}

void TSprigTree::RebuildGroups(const std::vector<TSprig*>& groups) {
  const TState state = SaveState();
  std::vector<std::pair<int, rtl::TComponent*>> items;
  std::vector<std::unique_ptr<TSprig>> gone;
  for (TSprig* group : groups) {
    if (group == nullptr || group->parent_ != root_.get()) continue;
    std::vector<TSprig*> stack{group};
    while (!stack.empty()) {
      TSprig* node = stack.back();
      stack.pop_back();
      if (node->moduleOrder_ >= 0) items.emplace_back(node->moduleOrder_, static_cast<rtl::TComponent*>(node->Item()));
      for (auto& c : node->children_) stack.push_back(c.get());
    }
    Forget(group);
    gone.push_back(root_->Take(group));
  }
  std::sort(items.begin(), items.end());
  std::vector<rtl::TComponent*> components;
  std::vector<int> order;
  for (auto& [position, component] : items) {
    components.push_back(component);
    order.push_back(position);
  }
  const size_t kept = static_cast<size_t>(root_->Count());
  std::vector<TSprig*> keptGroups(kept);
  for (size_t i = 0; i < kept; ++i) keptGroups[i] = root_->children_[i].get();
  PlaceComponents(components, order);
  for (auto& child : root_->children_)
    if (std::find(keptGroups.begin(), keptGroups.end(), child.get()) == keptGroups.end())
      OrderChildren(child.get());
  SortChildren(root_.get());
  gone.clear();
  RestoreState(state);
  TSprigTreeChange change;
  change.WholeTree = false;
  for (auto& child : root_->children_)
    if (std::find(keptGroups.begin(), keptGroups.end(), child.get()) == keptGroups.end())
      change.NewGroups.push_back(child.get());
  Notify(change);
}

void TSprigTree::Rebuild() {
  if (module_ == nullptr) return;
  const TState state = SaveState();
  BuildTree(module_);
  RestoreState(state);
  Notify(TSprigTreeChange{});
}

void TSprigTree::ComponentAdded(rtl::TComponent*) { Rebuild(); }
void TSprigTree::ComponentChanged(rtl::TComponent*) { Rebuild(); }

void TSprigTree::Notify(const TSprigTreeChange& change) {
  if (onChange_) onChange_(change);
}

}  // namespace designide
