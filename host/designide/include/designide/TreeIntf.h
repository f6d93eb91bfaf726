#pragma once
// Structure-view nodes ("sprigs"). The IDE builds one sprig per component of
// the designed module from the class that FindSprigClass gives, lets each
// place itself (FigureParent) and asks them for captions and drag and drop.
// A sprig owns its children.
#include <memory>
#include <string>
#include <vector>

#include "rtl/objects/Component.h"

namespace designide {

class TSprig : public rtl::TObject {
  RTL_CLASS(TSprig)
 public:
  explicit TSprig(rtl::TPersistent* item = nullptr) : item_(item) {}
  ~TSprig() override;

  virtual std::string Name();        // the item's name
  virtual std::string UniqueName();  // distinguishes siblings; Name by default
  virtual std::string Caption();     // CaptionFor(Name(), UniqueName())
  virtual bool AnyProblems() { return false; }
  virtual bool Transient() { return false; }
  virtual const rtl::TClass* ItemClass();  // the item's class, or null
  // Places the node under its parent; stays where it is by default.
  virtual void FigureParent() {}
  virtual bool DragOverTo(TSprig* item);
  virtual bool DragDropTo(TSprig* item);
  virtual bool PaletteOverTo(TSprig* parent, const rtl::TClass* cls);

  rtl::TPersistent* Item() const { return item_; }
  TSprig* Parent() const { return parent_; }
  TSprig* Root();
  int Count() const { return static_cast<int>(children_.size()); }
  TSprig* Child(int index) const;
  // Takes the child over (moving it from its old parent) and returns it.
  TSprig* Add(std::unique_ptr<TSprig> child);
  // Moves this node under `parent` (null: detaches it, the caller keeps it).
  std::unique_ptr<TSprig> Detach();
  void Reparent(TSprig* newParent);
  // Moves every child of this node under `newParent`.
  void ReparentChildren(TSprig* newParent);
  // Descendant (not this node) by unique name, ignoring case, or by item.
  TSprig* Find(const std::string& uniqueName, bool recurse = true);
  TSprig* Find(const rtl::TPersistent* item, bool recurse = true);

  // "Name", "Name {Label}" when the label differs, with " (Class)" when a
  // class text is given; "{Label}" alone when there is no name.
  static std::string CaptionFor(const std::string& name, const std::string& label = "",
                                const std::string& cls = "");

 private:
  friend std::unique_ptr<TSprig> CreateSprig(const rtl::TClass&, rtl::TPersistent*);
  rtl::TPersistent* item_;
  TSprig* parent_ = nullptr;
  std::vector<std::unique_ptr<TSprig>> children_;
};

// A node that stands for a component.
class TComponentSprig : public TSprig {
  RTL_CLASS(TComponentSprig)
 public:
  using TSprig::TSprig;
  std::string UniqueName() override;
};

// A node without a component of its own (a grouping node).
class TTransientSprig : public TSprig {
  RTL_CLASS(TTransientSprig)
 public:
  using TSprig::TSprig;
  bool Transient() override { return true; }
};

// Creates a sprig of class `sprigClass` (a TSprig descendant with a
// factory) for the item.
std::unique_ptr<TSprig> CreateSprig(const rtl::TClass& sprigClass, rtl::TPersistent* item);

}  // namespace designide
