// Drag and drop in the Structure view: the tree asks the dragged node's
// sprig, and after a drop that changed something rebuilds the part of the
// tree that the drop touched.
#include "designide/SprigTree.h"

#include <algorithm>

#include "designide/Registration.h"
#include "rtl/system/Exceptions.h"

namespace designide {

namespace {
// The root's child that holds the node (the node itself when it is one).
TSprig* GroupOf(TSprig* node, TSprig* root) {
  if (node == nullptr || node == root) return nullptr;
  while (node->Parent() != nullptr && node->Parent() != root) node = node->Parent();
  return node->Parent() == root ? node : nullptr;
}
}  // namespace

bool TSprigTree::DragOver(TSprig* node, TSprig* target) {
  if (node == nullptr || target == nullptr || node == root_.get() || node->tree_ != this || target->tree_ != this)
    return false;
  for (TSprig* p = target; p != nullptr; p = p->parent_)
    if (p == node) return false;
  return node->DragOverTo(target);
}

TDropResult TSprigTree::Drop(TSprig* node, TSprig* target) {
  TDropResult result;
  if (!DragOver(node, target)) return result;
  result.Accepted = true;
  std::vector<TSprig*> groups{GroupOf(node, root_.get())};
  if (TSprig* targetGroup = GroupOf(target, root_.get()); targetGroup != groups.front()) groups.push_back(targetGroup);
  const rtl::TPersistent* item = node->Item();
  const std::unordered_set<TSprig*> emptyBefore = EmptyTransientNodes(root_.get());
  try {
    result.Changed = node->DragDropTo(target);
  } catch (...) {
    // A node that the drop placed anew went back; a grouping node made for
    // it on the way is left empty and goes.
    PruneEmptyTransient(root_.get(), emptyBefore);
    throw;
  }
  if (!result.Changed) return result;
  if (designer_ != nullptr) designer_->Modified();
  RebuildGroups(groups);
  if (item != nullptr)
    if (TSprig* moved = NodeFor(item)) ShowAndSelect(moved);
  return result;
}

bool TSprigTree::PaletteOver(TSprig* parent, const rtl::TClass& cls) {
  if (parent == nullptr || parent->tree_ != this) return false;
  const rtl::TClass* sprigClass = FindSprigClass(cls);
  std::unique_ptr<TSprig> probe = CreateSprig(sprigClass != nullptr ? *sprigClass : TComponentSprig::StaticClass(), nullptr);
  probe->SetTree(this);
  return probe->PaletteOverTo(parent, &cls);
}

TDropResult TSprigTree::PaletteDrop(TSprig* parent, rtl::TComponent* component) {
  if (parent == nullptr || parent->tree_ != this || component == nullptr)
    throw rtl::EComponentError("A palette drop needs a node of this tree and the new component");
  // The parent is found again after the rebuild by what it stands for.
  std::vector<std::string> path;
  for (TSprig* p = parent; p != root_.get() && p->Item() == nullptr; p = p->parent_) path.push_back(p->UniqueName());
  TSprig* anchor = parent;
  while (anchor != root_.get() && anchor->Item() == nullptr) anchor = anchor->parent_;
  const rtl::TPersistent* anchorItem = anchor->Item();
  ComponentAdded(component);
  TSprig* target = NodeFor(anchorItem);
  for (auto it = path.rbegin(); target != nullptr && it != path.rend(); ++it) target = target->Find(*it, false);
  TSprig* node = NodeFor(component);
  if (target == nullptr || node == nullptr) return {};
  return Drop(node, target);
}

namespace {
bool IsEmptyTransient(TSprig* node) { return node->Count() == 0 && node->Item() == nullptr && node->Transient(); }
}  // namespace

std::unordered_set<TSprig*> TSprigTree::EmptyTransientNodes(TSprig* node) {
  std::unordered_set<TSprig*> found;
  std::vector<TSprig*> stack{node};
  while (!stack.empty()) {
    TSprig* n = stack.back();
    stack.pop_back();
    if (IsEmptyTransient(n)) found.insert(n);
    for (int i = 0; i < n->Count(); ++i) stack.push_back(n->Child(i));
  }
  return found;
}

void TSprigTree::PruneEmptyTransient(TSprig* node, const std::unordered_set<TSprig*>& keep) {
  for (int i = node->Count() - 1; i >= 0; --i) {
    TSprig* child = node->Child(i);
    PruneEmptyTransient(child, keep);
    if (IsEmptyTransient(child) && keep.count(child) == 0) {
      Forget(child);
      node->Take(child).reset();
    }
  }
}

}  // namespace designide
