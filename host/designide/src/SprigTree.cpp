#include "designide/SprigTree.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <unordered_map>
#include <unordered_set>

#include "ItemTable.h"
#include "SprigTreeState.h"
#include "designide/Registration.h"
#include "rtl/system/Exceptions.h"

namespace designide {

// Sprig classes by component class, and the registration rank of each sprig
// class: looked up once per class while one set of nodes is made.
class TSprigClasses {
 public:
  TSprigClasses() : registered_(RegisteredSprigClasses()) {}
  const rtl::TClass& For(const rtl::TClass& componentClass, int& rank) {
    // A module holds components of few classes: a short list beats hashing.
    auto it = std::find_if(classes_.begin(), classes_.end(), [&](const auto& c) { return c.Component == &componentClass; });
    if (it == classes_.end()) {
      TClassSprig found{&componentClass, FindSprigClass(componentClass), -1};
      if (found.Sprig != nullptr)
        found.Rank = static_cast<int>(std::find(registered_.begin(), registered_.end(), found.Sprig) - registered_.begin());
      it = classes_.insert(classes_.end(), found);
    }
    rank = it->Rank;
    return it->Sprig != nullptr ? *it->Sprig : TComponentSprig::StaticClass();
  }
  // Ranks run from -1 (no registered sprig class) to Ranks() - 1.
  int Ranks() const { return static_cast<int>(registered_.size()); }

 private:
  struct TClassSprig {
    const rtl::TClass* Component;
    const rtl::TClass* Sprig;
    int Rank;
  };
  std::vector<const rtl::TClass*> registered_;
  std::vector<TClassSprig> classes_;
};

TSprigTree::TSprigTree(IDesigner* designer) : designer_(designer), nodes_(std::make_unique<TItemTable>()) {}
TSprigTree::~TSprigTree() = default;

TSprig* TSprigTree::NodeFor(const rtl::TPersistent* item) const {
  // Filed on the first look-up after the tree changed: building does not
  // wait for a table that a command may never ask.
  if (nodesStale_) {
    nodes_->Clear();
    std::vector<TSprig*> stack;
    if (root_) stack.push_back(root_.get());
    while (!stack.empty()) {
      TSprig* node = stack.back();
      stack.pop_back();
      nodes_->Insert(node->Item(), node);
      for (auto& child : node->children_) stack.push_back(child.get());
    }
    nodesStale_ = false;
  }
  return nodes_->Find(item);
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
  nodesStale_ = true;
  rtl::TComponent* oldModule = std::exchange(module_, root);
  TSprig* oldSelected = std::exchange(selected_, nullptr);
  try {
    root_ = CreateSprig(TRootSprig::StaticClass(), root);
    root_->SetTree(this);
    PlaceComponents(static_cast<size_t>(root->ComponentCount()), [root](size_t i, int& order) {
      order = static_cast<int>(i);
      return root->Components(static_cast<int>(i));
    });
  } catch (...) {
    root_ = std::move(oldRoot);
    module_ = oldModule;
    selected_ = oldSelected;
    throw;
  }
}

void TSprigTree::PlaceComponents(size_t count, const std::function<rtl::TComponent*(size_t, int&)>& item) {
  TSprigClasses classes;
  unplaced_.clear();
  unplaced_.reserve(count);
  placing_ = true;
  try {
    PlaceAll(classes, count, item);
  } catch (...) {
    EndPlacing(false);
    throw;
  }
  EndPlacing(true);
}

void TSprigTree::PlaceAll(TSprigClasses& classes, size_t count,
                          const std::function<rtl::TComponent*(size_t, int&)>& item) {
  std::vector<int> ranks(count);
  for (size_t i = 0; i < count; ++i) {
    int order = 0, rank = -1;
    rtl::TComponent* component = item(i, order);
    const rtl::TClass& cls = classes.For(component->ClassType(), rank);
    std::unique_ptr<TSprig> node = CreateSprig(cls, component);
    node->moduleOrder_ = node->firstOrder_ = order;
    ranks[i] = rank;
    HoldUnplaced(std::move(node));
  }
  // Placed rank by rank, each rank in module order: a counting sort, as the
  // ranks are few.
  std::vector<size_t> start(static_cast<size_t>(classes.Ranks()) + 2, 0);
  for (int rank : ranks) ++start[static_cast<size_t>(rank + 1)];
  for (size_t r = 0, sum = 0; r < start.size(); ++r) sum += std::exchange(start[r], sum);
  std::vector<int> sequence(count);
  for (size_t i = 0; i < count; ++i) sequence[start[static_cast<size_t>(ranks[i] + 1)]++] = static_cast<int>(i);
  for (int i : sequence) PlaceOne(unplaced_[static_cast<size_t>(i)].get());
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
  node->FigureChildren();
}

// Children follow the earliest module component in their subtrees, so that
// a person finds them in module order; nodes without one keep their order
// after the others. While nodes are placed, a node is sorted once at the
// end; a node moved at other times at once.
void TSprigTree::MarkUnsorted(TSprig* node) {
  if (!placing_) {
    SortChildren(node);
  } else if (!node->unsorted_) {
    node->unsorted_ = true;
    unsorted_.push_back(node);
  }
}

void TSprigTree::SortChildren(TSprig* node) {
  auto& children = node->children_;
  std::stable_sort(children.begin(), children.end(),
                   [](const auto& a, const auto& b) { return a->firstOrder_ < b->firstOrder_; });
  for (size_t i = 0; i < children.size(); ++i) children[i]->position_ = static_cast<int>(i);
  node->unsorted_ = false;
}

void TSprigTree::EndPlacing(bool sort) {
  for (TSprig* node : unsorted_)
    if (sort)
      SortChildren(node);
    else
      node->unsorted_ = false;
  unsorted_.clear();
  unplaced_.clear();
  unplaced_.shrink_to_fit();
  placing_ = false;
}

void TSprigTree::Forget(TSprig* subtree) {
  std::vector<TSprig*> stack{subtree};
  while (!stack.empty()) {
    TSprig* node = stack.back();
    stack.pop_back();
    if (node == selected_) selected_ = nullptr;
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
    nodesStale_ = true;
  }
  std::sort(items.begin(), items.end());
  std::unordered_set<const TSprig*> kept;
  for (auto& child : root_->children_) kept.insert(child.get());
  PlaceComponents(items.size(), [&items](size_t i, int& order) {
    order = items[i].first;
    return items[i].second;
  });
  SortChildren(root_.get());
  gone.clear();
  RestoreState(state);
  TSprigTreeChange change;
  change.WholeTree = false;
  for (auto& child : root_->children_)
    if (kept.count(child.get()) == 0) change.NewGroups.push_back(child.get());
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
