#pragma once
// TComponent: named objects in an owner tree. An owner frees what it owns;
// a component freed early leaves its owner's list and tells every component
// that asked for notification, so references to it are cleared. Freeing an
// owner costs time in proportion to what it owns: components that go away
// together are not told about each other one by one.
#include <cstdint>
#include <string>
#include <vector>

#include "rtl/objects/NameTable.h"
#include "rtl/objects/Persistent.h"

namespace rtl {

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
};

class TComponent;
struct TComponentNameKey {
  static std::string_view Get(const TComponent& component);
};

class TComponent : public TPersistent {
  RTL_CLASS(TComponent)
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  const std::string& Name() const { return name_; }
  // Raises EComponentError for a name that is not an identifier or that
  // another component of the same owner already has (ignoring case).
  virtual void SetName(const std::string& name);
  TComponent* Owner() const { return owner_; }
  TPersistent* GetOwner() const override { return owner_; }
  std::string GetNamePath() const override { return name_; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  TComponent* FindComponent(const std::string& name) const;  // ignores case
  // Moves this component to another owner (null: unowned, caller frees it).
  void ChangeOwner(TComponent* newOwner);

  int64_t Tag() const { return tag_; }
  void SetTag(int64_t tag) { tag_ = tag; }

  // Where a designer shows a component that is not a control: form files
  // keep it as "Left" and "Top" after the published properties of a class
  // that publishes no Left or Top of its own (DesignPositionProperty).
  int DesignLeft() const { return designLeft_; }
  int DesignTop() const { return designTop_; }
  void SetDesignPosition(int left, int top) {
    designLeft_ = left;
    designTop_ = top;
  }

  unsigned ComponentState() const { return state_; }
  bool IsDesigning() const { return (state_ & csDesigning) != 0; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }
  // Marks this component and every component it owns as going away.
  void Destroying();
  // Marks this component and every component it owns as being designed.
  void SetDesigning(bool designing);
  void SetLoadingState(bool loading);
  // Called after a form file has been read into the component.
  virtual void Loaded();

  // Asks `other` to tell this component when it is freed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

 protected:
  virtual void Notification(TComponent* component, TOperation operation);

 private:
  void InsertComponent(TComponent* child);
  void RemoveComponent(TComponent* child);
  void NotifyAll(TComponent* component, TOperation operation);

  std::string name_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;   // owned
  TNameTable<TComponent, TComponentNameKey> names_;  // the named ones of components_
  std::vector<TComponent*> notifyPeers_;  // not owned
  int64_t tag_ = 0;
  int designLeft_ = 0;
  int designTop_ = 0;
  unsigned state_ = 0;
};

// The design position as form files read and write it: "Left" or "Top"
// (ignoring case) of any component, default 0; null for other names.
const TPropInfo* DesignPositionProperty(std::string_view name);

// True when `name` is a valid identifier (letter or underscore, then letters,
// digits, underscores).
bool IsValidIdent(const std::string& name);

}  // namespace rtl
