#pragma once
// Structure-view nodes ("sprigs"). The tree (designide/SprigTree.h) makes one
// sprig per component of the designed module, of the class registered for
// the component's class, lets each place itself (FigureParent) and add
// children of its own (FigureChildren), and asks them for captions, problem
// marks and drag and drop. A sprig owns its children.
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "rtl/objects/Component.h"

namespace designide {

class TSprigTree;
class TSprigIndex;

class TSprig : public rtl::TObject {
  RTL_CLASS(TSprig)
 public:
  explicit TSprig(rtl::TPersistent* item = nullptr);
  ~TSprig() override;

  // --- What the node shows; packages override these.
  // Tells the node apart from its siblings; Name by default.
  virtual std::string UniqueName();
  // True for a node that stands for no component of the module.
  virtual bool Transient();
  // True marks the node as having a problem.
  virtual bool AnyProblems();
  // The class of component the node stands for: the item's class, or null.
  virtual const rtl::TClass* ItemClass();
  // The item's name: a component's Name, or "".
  virtual std::string Name();
  // CaptionFor(Name(), UniqueName(), name of ItemClass()).
  virtual std::string Caption();

  // --- Drag and drop, asked by the tree (see TSprigTree::Drop).
  // Whether this node may be dropped onto `item`; false by default.
  virtual bool DragOverTo(TSprig* item);
  // Carries out the drop; true when it changed something. False by default.
  virtual bool DragDropTo(TSprig* item);
  // Whether a new component of this node's kind, taken from the palette, may
  // be dropped onto `parent`; false by default.
  virtual bool PaletteOverTo(TSprig* parent, const rtl::TClass* cls);

  // --- Placing.
  // Called after the tree moved this node under a new parent (see
  // ReparentChildren); nothing by default.
  virtual void Reparent();
  // Places the node under its parent with Add; by default under the root.
  // A node left without a parent is shown under the root, marked Unplaced.
  virtual void FigureParent();
  // Adds the nodes of the item's own parts (a dataset's fields); none by
  // default.
  virtual void FigureChildren();

  // --- The tree's state of the node.
  rtl::TPersistent* Item() const { return item_; }
  TSprig* Parent() const { return parent_; }
  // The tree's root, also while this node is not placed yet.
  TSprig* Root();
  int Count() const { return static_cast<int>(children_.size()); }
  // Raises EListError for an index out of bounds.
  TSprig* Child(int index) const;
  // Position among the parent's children (0 for the root).
  int Index() const { return position_; }
  // FigureParent found no parent: the node is shown under the root.
  bool Unplaced() const { return unplaced_; }

  // Takes a new node as the last child and returns it.
  TSprig* Add(std::unique_ptr<TSprig> child);
  // Moves a node held by the tree (placed or not) to be the last child.
  // Raises EComponentError for a node under itself or held by nobody.
  TSprig* Add(TSprig* child);

  // The child whose Name is `name` or, for a node without an item (a
  // grouping node), whose UniqueName is; names compared ignoring case in
  // every script, as sessions and databases are. With `recurse` also deeper
  // (children first, then each child's subtree). A Name match wins over a
  // UniqueName match; among equals the one filed first. The empty Name of a
  // node without an item is not looked up. Hashed: each node's children are
  // filed under their names the first time it is searched and as they are
  // added afterwards, so a node whose names depend on fields has them set
  // before it is added.
  TSprig* Find(const std::string& name, bool recurse = true);
  // A child as Find matches it, but only one kind: with `grouping` a node
  // without an item by its UniqueName (a node the view made), otherwise a
  // node by its Name; so that a component named like a grouping node is
  // never taken for it, nor the other way round.
  TSprig* FindChild(const std::string& name, bool grouping);

  // This node's item now belongs elsewhere: the node is placed again by its
  // FigureParent (staying where it was when that finds no parent), and its
  // children, which moved with it, are told through Reparent. When a
  // Reparent raises, the node goes back to where it was and the exception
  // propagates.
  void ReparentChildren();

  // The text a person sees: the label, then ": " and the class when there is
  // one, then the name in parentheses when it is not empty and differs from
  // the label ("OrdersQuery: TDVQuery", "ShopDatabase: TDVDatabase (SQLite |
  // shop.db)", "Unknown (shop)"). Without a label the name takes its place.
  static std::string CaptionFor(const std::string& name, const std::string& label = "",
                                const std::string& cls = "");

 private:
  friend class TSprigTree;
  friend std::unique_ptr<TSprig> CreateSprig(const rtl::TClass&, rtl::TPersistent*);

  // Appends or inserts an owned node; detaches one. The index follows.
  TSprig* Insert(std::unique_ptr<TSprig> child, size_t position);
  std::unique_ptr<TSprig> Take(TSprig* child);
  void KeepInOrder(TSprig* child);
  void SetTree(TSprigTree* tree);
  TSprigIndex& ChildIndex();  // made on first use

  rtl::TPersistent* item_;
  TSprig* parent_ = nullptr;
  TSprigTree* tree_ = nullptr;
  std::vector<std::unique_ptr<TSprig>> children_;
  std::unique_ptr<TSprigIndex> index_;  // made by the first Find
  int position_ = 0;
  int moduleOrder_ = -1;  // the item's position in the module; -1: not a module component
  int firstOrder_ = INT_MAX;  // the earliest moduleOrder_ in the subtree, as far as known
  int slot_ = -1;         // while not placed: its place in the tree's list
  bool unplaced_ = false;
  bool expanded_ = false;
  bool unsorted_ = false;  // children out of module order, listed by the tree
};

// A node that stands for a component.
class TComponentSprig : public TSprig {
  RTL_CLASS(TComponentSprig)
 public:
  using TSprig::TSprig;
  // The component's Name.
  std::string UniqueName() override;
};

// A node without a component of its own (a grouping node).
class TTransientSprig : public TSprig {
  RTL_CLASS(TTransientSprig)
 public:
  using TSprig::TSprig;
  bool Transient() override { return true; }
};

// The tree's root: the designed module itself.
class TRootSprig : public TComponentSprig {
  RTL_CLASS(TRootSprig)
 public:
  using TComponentSprig::TComponentSprig;
  void FigureParent() override {}
};

// Creates a sprig of class `sprigClass` (a TSprig descendant with a
// factory) for the item; raises EInvalidCast for another class.
std::unique_ptr<TSprig> CreateSprig(const rtl::TClass& sprigClass, rtl::TPersistent* item);

}  // namespace designide
