#include "rtl/objects/Component.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

const TClass& TComponent::StaticClass() {
  static const TClass cls = ClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass())
                                .Str("Name", &TComponent::Name, &TComponent::SetName)
                                .Int("Tag", &TComponent::Tag, &TComponent::SetTag, 0)
                                .Build();
  return cls;
}

namespace {
TPropInfo DesignCoordinate(const char* name, int (TComponent::*get)() const, bool left) {
  TPropInfo prop;
  prop.Name = name;
  prop.Type = &TypeInfoInteger();
  prop.GetOrd = [get](const TObject& o) { return static_cast<int64_t>((static_cast<const TComponent&>(o).*get)()); };
  prop.SetOrd = [left](TObject& o, int64_t v) {
    auto& c = static_cast<TComponent&>(o);
    const int value = static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    if (left)
      c.SetDesignPosition(value, c.DesignTop());
    else
      c.SetDesignPosition(c.DesignLeft(), value);
  };
  prop.DefaultOrd = 0;
  return prop;
}
}  // namespace

const TPropInfo* DesignPositionProperty(std::string_view name) {
  static const TPropInfo left = DesignCoordinate("Left", &TComponent::DesignLeft, true);
  static const TPropInfo top = DesignCoordinate("Top", &TComponent::DesignTop, false);
  if (SameText(name, "Left")) return &left;
  if (SameText(name, "Top")) return &top;
  return nullptr;
}

std::string_view TComponentNameKey::Get(const TComponent& component) { return component.Name(); }

bool IsValidIdent(const std::string& name) {
  if (name.empty()) return false;
  auto alpha = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(static_cast<unsigned char>(name[0]))) return false;
  return std::all_of(name.begin(), name.end(), [&](char ch) {
    auto c = static_cast<unsigned char>(ch);
    return alpha(c) || (c >= '0' && c <= '9');
  });
}

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) {
    owner->InsertComponent(this);
    if (owner->IsDesigning()) state_ |= csDesigning;
  }
}

namespace {
// Each link is kept once; links are mostly undone in the reverse order of
// their making, so the search starts at the end.
void EraseLink(std::vector<TComponent*>& links, TComponent* component) {
  auto it = std::find(links.rbegin(), links.rend(), component);
  if (it != links.rend()) links.erase(std::next(it).base());
}
}  // namespace

TComponent::~TComponent() {
  Destroying();
  // Tell everyone who holds a reference to us, then forget them.
  auto peers = std::move(notifyPeers_);
  notifyPeers_.clear();
  for (TComponent* peer : peers) {
    EraseLink(peer->notifyPeers_, this);
    peer->Notification(this, TOperation::opRemove);
  }
  while (!components_.empty()) delete components_.back();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::Destroying() {
  if (IsDestroying()) return;  // the subtree is marked already
  state_ |= csDestroying;
  names_ = {};  // every entry goes: no need to take them out one by one
  for (TComponent* c : components_) c->Destroying();
}

void TComponent::SetName(const std::string& name) {
  if (name == name_) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("\"" + name + "\" is not a valid component name");
  if (!name.empty() && owner_ != nullptr) {
    TComponent* other = owner_->FindComponent(name);
    if (other != nullptr && other != this)
      throw EComponentError("A component named " + name + " already exists");
  }
  const bool indexed = owner_ != nullptr && !owner_->IsDestroying();
  if (indexed && !name_.empty()) owner_->names_.Erase(name_, this);
  name_ = name;
  if (indexed && !name_.empty()) owner_->names_.Insert(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError("Component index out of bounds (" + std::to_string(index) + ")");
  return components_[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  if (!IsDestroying()) return names_.Find(name);
  // The index is gone with the owner's end; the few look-ups made while the
  // components are freed walk those still here.
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::ChangeOwner(TComponent* newOwner) {
  if (newOwner == owner_) return;
  if (newOwner != nullptr && !name_.empty() && newOwner->FindComponent(name_) != nullptr)
    throw EComponentError("A component named " + name_ + " already exists");
  if (owner_ != nullptr) owner_->RemoveComponent(this);
  if (newOwner != nullptr) newOwner->InsertComponent(this);
}

void TComponent::SetDesigning(bool designing) {
  if (designing)
    state_ |= csDesigning;
  else
    state_ &= ~static_cast<unsigned>(csDesigning);
  for (TComponent* c : components_) c->SetDesigning(designing);
}

void TComponent::SetLoadingState(bool loading) {
  if (loading)
    state_ |= csLoading | csReading;
  else
    state_ &= ~static_cast<unsigned>(csLoading | csReading);
}

void TComponent::Loaded() { state_ &= ~static_cast<unsigned>(csLoading | csReading); }

void TComponent::FreeNotification(TComponent* other) {
  if (other == nullptr || other == this) return;
  if (std::find(notifyPeers_.begin(), notifyPeers_.end(), other) == notifyPeers_.end()) {
    notifyPeers_.push_back(other);
    other->notifyPeers_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (other == nullptr) return;
  EraseLink(notifyPeers_, other);
  EraseLink(other->notifyPeers_, this);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  (void)component;
  (void)operation;
}

void TComponent::InsertComponent(TComponent* child) {
  components_.push_back(child);
  if (!child->name_.empty() && !IsDestroying()) names_.Insert(child);
  child->owner_ = this;
  // While a form file is read into this owner its components are created one
  // after another and learn of each other in Loaded; telling every sibling
  // of every newcomer would make reading a module quadratic.
  if (IsLoading())
    Notification(child, TOperation::opInsert);
  else
    NotifyAll(child, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* child) {
  // Owners free their components last-created first: search from the end.
  auto it = std::find(components_.rbegin(), components_.rend(), child);
  if (it != components_.rend()) components_.erase(std::next(it).base());
  if (!child->name_.empty() && !IsDestroying()) names_.Erase(child->name_, child);
  child->owner_ = nullptr;
  // An owner that is going away frees its components one after another;
  // telling each of the remaining ones, which go too, would make freeing a
  // module quadratic. References that must be cleared even then are held
  // through FreeNotification, which every freed component honours itself.
  if (IsDestroying())
    Notification(child, TOperation::opRemove);
  else
    NotifyAll(child, TOperation::opRemove);
}

void TComponent::NotifyAll(TComponent* component, TOperation operation) {
  // The owner and every sibling hear of it, so references held inside one
  // form are cleared without explicit FreeNotification.
  Notification(component, operation);
  auto siblings = components_;
  for (TComponent* c : siblings)
    if (c != component) c->Notification(component, operation);
}

}  // namespace rtl
