#include "designide/TreeIntf.h"

#include "SprigIndex.h"
#include "designide/SprigTree.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace designide {

const rtl::TClass& TSprig::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TSprig>("TSprig", &rtl::TObject::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TComponentSprig::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TComponentSprig>("TComponentSprig", &TSprig::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TTransientSprig::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TTransientSprig>("TTransientSprig", &TSprig::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TRootSprig::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TRootSprig>("TRootSprig", &TComponentSprig::StaticClass()).Creatable().Build();
  return cls;
}

TSprig::TSprig(rtl::TPersistent* item) : item_(item) {}
TSprig::~TSprig() = default;

std::string TSprig::Name() {
  if (rtl::Is<rtl::TComponent>(item_)) return static_cast<rtl::TComponent*>(item_)->Name();
  return {};
}

std::string TSprig::UniqueName() { return Name(); }
bool TSprig::Transient() { return false; }
bool TSprig::AnyProblems() { return false; }
const rtl::TClass* TSprig::ItemClass() { return item_ == nullptr ? nullptr : &item_->ClassType(); }

std::string TSprig::Caption() {
  const rtl::TClass* cls = ItemClass();
  return CaptionFor(Name(), UniqueName(), cls != nullptr ? cls->ClassName() : std::string());
}

bool TSprig::DragOverTo(TSprig*) { return false; }
bool TSprig::DragDropTo(TSprig*) { return false; }
bool TSprig::PaletteOverTo(TSprig*, const rtl::TClass*) { return false; }
void TSprig::Reparent() {}
void TSprig::FigureParent() {
  if (TSprig* root = Root(); root != this) root->Add(this);
}
void TSprig::FigureChildren() {}

TSprig* TSprig::Root() {
  if (tree_ != nullptr && tree_->Root() != nullptr) return tree_->Root();
  TSprig* node = this;
  while (node->parent_ != nullptr) node = node->parent_;
  return node;
}

TSprig* TSprig::Child(int index) const {
  if (index < 0 || index >= Count())
    throw rtl::EListError("Sprig child index out of bounds (" + std::to_string(index) + ")");
  return children_[static_cast<size_t>(index)].get();
}

void TSprig::SetTree(TSprigTree* tree) {
  tree_ = tree;
  for (auto& child : children_) child->SetTree(tree);
}

TSprig* TSprig::Insert(std::unique_ptr<TSprig> child, size_t position) {
  TSprig* node = child.get();
  node->parent_ = this;
  node->unplaced_ = false;
  if (node->tree_ != tree_) node->SetTree(tree_);
  children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(position), std::move(child));
  for (size_t i = position; i < children_.size(); ++i) children_[i]->position_ = static_cast<int>(i);
  if (index_) index_->File(node);
  KeepInOrder(node);
  return node;
}

void TSprig::KeepInOrder(TSprig* child) {
  // The tree orders children by the earliest module component below them:
  // the new child may come before its neighbours, and may make this node
  // and its parents come earlier among theirs.
  auto outOfOrder = [](TSprig* node) {
    TSprig* parent = node->parent_;
    if (parent == nullptr) return false;
    const auto& siblings = parent->children_;
    const auto i = static_cast<size_t>(node->position_);
    return (i > 0 && siblings[i - 1]->firstOrder_ > node->firstOrder_) ||
           (i + 1 < siblings.size() && siblings[i + 1]->firstOrder_ < node->firstOrder_);
  };
  if (tree_ != nullptr && outOfOrder(child)) tree_->MarkUnsorted(this);
  for (TSprig* node = this; node != nullptr && child->firstOrder_ < node->firstOrder_; node = node->parent_) {
    node->firstOrder_ = child->firstOrder_;
    if (tree_ != nullptr && outOfOrder(node)) tree_->MarkUnsorted(node->parent_);
  }
}

std::unique_ptr<TSprig> TSprig::Take(TSprig* child) {
  const auto position = static_cast<size_t>(child->position_);
  if (child->parent_ != this || position >= children_.size() || children_[position].get() != child)
    throw rtl::EComponentError("The sprig is not a child of this sprig");
  if (index_) index_->Unfile(child, children_);
  std::unique_ptr<TSprig> owned = std::move(children_[position]);
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(position));
  for (size_t i = position; i < children_.size(); ++i) children_[i]->position_ = static_cast<int>(i);
  owned->parent_ = nullptr;
  owned->position_ = 0;
  return owned;
}

TSprig* TSprig::Add(std::unique_ptr<TSprig> child) {
  if (!child) throw rtl::EComponentError("A null sprig cannot be added");
  return Insert(std::move(child), children_.size());
}

TSprig* TSprig::Add(TSprig* child) {
  if (child == nullptr) throw rtl::EComponentError("A null sprig cannot be added");
  for (TSprig* p = this; p != nullptr; p = p->parent_)
    if (p == child) throw rtl::EComponentError("A sprig cannot be placed under itself or its own child");
  if (child->parent_ == this) return child;
  std::unique_ptr<TSprig> owned;
  if (child->parent_ != nullptr)
    owned = child->parent_->Take(child);
  else if (tree_ != nullptr)
    owned = tree_->TakeUnplaced(child);
  if (!owned) throw rtl::EComponentError("The sprig is held by no tree; add it as a new node");
  return Insert(std::move(owned), children_.size());
}

TSprigIndex& TSprig::ChildIndex() {
  if (!index_) {
    index_ = std::make_unique<TSprigIndex>();
    for (auto& child : children_) index_->File(child.get());
  }
  return *index_;
}

TSprig* TSprig::FindChild(const std::string& name, bool grouping) { return ChildIndex().Find(name, grouping); }

TSprig* TSprig::Find(const std::string& name, bool recurse) {
  if (TSprig* found = ChildIndex().Find(name)) return found;
  if (recurse)
    for (auto& child : children_)
      if (TSprig* found = child->Find(name, true)) return found;
  return nullptr;
}

void TSprig::ReparentChildren() {
  TSprig* oldParent = parent_;
  if (tree_ == nullptr || oldParent == nullptr) {
    for (auto& child : children_) child->Reparent();
    return;
  }
  const auto oldPosition = static_cast<size_t>(position_);
  const bool wasUnplaced = unplaced_;
  // Back where it was, in the same position among its siblings.
  auto restore = [&] {
    std::unique_ptr<TSprig> self = parent_ != nullptr ? parent_->Take(this) : tree_->TakeUnplaced(this);
    oldParent->Insert(std::move(self), std::min(oldPosition, oldParent->children_.size()));
    unplaced_ = wasUnplaced;
  };
  tree_->HoldUnplaced(oldParent->Take(this));
  try {
    FigureParent();
  } catch (...) {
    restore();
    throw;
  }
  if (parent_ == nullptr || parent_ == oldParent) restore();
  try {
    for (size_t i = 0; i < children_.size(); ++i) children_[i]->Reparent();
  } catch (...) {
    if (parent_ != oldParent) restore();
    throw;
  }
}

std::string TSprig::CaptionFor(const std::string& name, const std::string& label, const std::string& cls) {
  std::string caption = label.empty() ? name : label;
  if (!cls.empty()) caption += (caption.empty() ? "" : ": ") + cls;
  if (!name.empty() && !label.empty() && name != label) caption += " (" + name + ")";
  return caption;
}

std::string TComponentSprig::UniqueName() {
  if (rtl::Is<rtl::TComponent>(Item())) return static_cast<rtl::TComponent*>(Item())->Name();
  return TSprig::UniqueName();
}

std::unique_ptr<TSprig> CreateSprig(const rtl::TClass& sprigClass, rtl::TPersistent* item) {
  if (!sprigClass.InheritsFrom(TSprig::StaticClass()))
    throw rtl::EInvalidCast(sprigClass.ClassName() + " is not a sprig class");
  // A class's factory makes an object of that class (a sprig class, as
  // checked), so the cast needs no second look.
  std::unique_ptr<TSprig> sprig(static_cast<TSprig*>(sprigClass.Create(nullptr)));
  sprig->item_ = item;
  return sprig;
}

}  // namespace designide
