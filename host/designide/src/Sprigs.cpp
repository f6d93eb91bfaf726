#include "designide/DSnDB.h"
#include "designide/TreeIntf.h"
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
const rtl::TClass& TDataSetSprig::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDataSetSprig>("TDataSetSprig", &TComponentSprig::StaticClass()).Creatable().Build();
  return cls;
}

TSprig::~TSprig() = default;

std::string TSprig::Name() {
  if (auto* component = dynamic_cast<rtl::TComponent*>(item_)) return component->Name();
  return {};
}

std::string TSprig::UniqueName() { return Name(); }

std::string TSprig::Caption() { return CaptionFor(Name(), UniqueName()); }

const rtl::TClass* TSprig::ItemClass() { return item_ == nullptr ? nullptr : &item_->ClassType(); }

bool TSprig::DragOverTo(TSprig*) { return false; }
bool TSprig::DragDropTo(TSprig*) { return false; }
bool TSprig::PaletteOverTo(TSprig*, const rtl::TClass*) { return false; }

TSprig* TSprig::Root() {
  TSprig* node = this;
  while (node->parent_ != nullptr) node = node->parent_;
  return node;
}

TSprig* TSprig::Child(int index) const {
  if (index < 0 || index >= Count()) throw rtl::EListError("Sprig child index out of bounds (" + std::to_string(index) + ")");
  return children_[static_cast<size_t>(index)].get();
}

TSprig* TSprig::Add(std::unique_ptr<TSprig> child) {
  for (TSprig* p = this; p != nullptr; p = p->parent_)
    if (p == child.get()) throw rtl::EComponentError("A sprig cannot be placed under itself");
  child->parent_ = this;
  children_.push_back(std::move(child));
  return children_.back().get();
}

std::unique_ptr<TSprig> TSprig::Detach() {
  if (parent_ == nullptr) return nullptr;
  auto& siblings = parent_->children_;
  for (auto it = siblings.begin(); it != siblings.end(); ++it)
    if (it->get() == this) {
      std::unique_ptr<TSprig> self = std::move(*it);
      siblings.erase(it);
      parent_ = nullptr;
      return self;
    }
  return nullptr;
}

void TSprig::Reparent(TSprig* newParent) {
  if (newParent == parent_ || newParent == nullptr) return;
  for (TSprig* p = newParent; p != nullptr; p = p->parent_)
    if (p == this) throw rtl::EComponentError("A sprig cannot be placed under its own descendant");
  std::unique_ptr<TSprig> self = Detach();
  if (self) newParent->Add(std::move(self));
}

void TSprig::ReparentChildren(TSprig* newParent) {
  if (newParent == nullptr || newParent == this) return;
  while (!children_.empty()) children_.front()->Reparent(newParent);
}

TSprig* TSprig::Find(const std::string& uniqueName, bool recurse) {
  for (auto& child : children_) {
    if (rtl::SameText(child->UniqueName(), uniqueName)) return child.get();
    if (recurse)
      if (TSprig* found = child->Find(uniqueName, true)) return found;
  }
  return nullptr;
}

TSprig* TSprig::Find(const rtl::TPersistent* item, bool recurse) {
  for (auto& child : children_) {
    if (item != nullptr && child->item_ == item) return child.get();
    if (recurse)
      if (TSprig* found = child->Find(item, true)) return found;
  }
  return nullptr;
}

std::string TSprig::CaptionFor(const std::string& name, const std::string& label, const std::string& cls) {
  std::string caption;
  if (name.empty())
    caption = label.empty() ? std::string() : "{" + label + "}";
  else
    caption = label.empty() || label == name ? name : name + " {" + label + "}";
  if (!cls.empty()) caption += " (" + cls + ")";
  return caption;
}

std::string TComponentSprig::UniqueName() {
  if (auto* component = dynamic_cast<rtl::TComponent*>(Item())) return component->Name();
  return TSprig::UniqueName();
}

std::unique_ptr<TSprig> CreateSprig(const rtl::TClass& sprigClass, rtl::TPersistent* item) {
  if (!sprigClass.InheritsFrom(TSprig::StaticClass()))
    throw rtl::EInvalidCast(sprigClass.ClassName() + " is not a sprig class");
  std::unique_ptr<rtl::TObject> made(sprigClass.Create(nullptr));
  std::unique_ptr<TSprig> sprig(rtl::As<TSprig>(made.release()));
  sprig->item_ = item;
  return sprig;
}

}  // namespace designide
