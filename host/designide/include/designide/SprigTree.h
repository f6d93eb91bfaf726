#pragma once
// The Structure view's tree of one designed module, without a widget: the
// designer window shows it and passes a person's acts to it; the command
// line and the tests drive it directly.
//
// Building: one sprig per component owned by the module, of the sprig class
// registered for the component's class (the nearest registered ancestor;
// TComponentSprig when none). The nodes are placed by their FigureParent in
// the order in which their sprig classes were registered, components of one
// class in module order, unregistered ones first: a package registers the
// sprig classes of what groups others (sessions, databases) before those of
// what they group. After placing a node the tree asks for its
// FigureChildren. A node that FigureParent leaves without a parent goes
// under the root, marked Unplaced. Then every node's children are ordered by
// the earliest module component in each one's subtree, so a person sees
// them in module order.
//
// The tree holds sprigs of the package's classes: free it before the
// package is unloaded. It holds components by pointer: report a deleted
// component (ComponentDeleted) before the tree is read again.
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "designide/Designer.h"
#include "designide/TreeIntf.h"

namespace designide {

// What a drop did.
struct TDropResult {
  bool Accepted = false;  // the dragged node's DragOverTo accepted the target
  bool Changed = false;   // its DragDropTo changed something
};

// What a rebuild replaced. WholeTree: every node, the root too, is new.
// Otherwise the root is the same object, NewGroups are the root's children
// made anew (the ones they replace are gone), and every other child of the
// root is the object it was, with its subtree. A view drops its rows of
// nodes that are in NewGroups or no longer among the root's children, and
// makes rows for NewGroups.
struct TSprigTreeChange {
  bool WholeTree = true;
  std::vector<TSprig*> NewGroups;
};

class TItemTable;
class TSprigClasses;

class TSprigTree {
 public:
  // `designer` (may be null) hears Modified after a drop that changed
  // something.
  explicit TSprigTree(IDesigner* designer = nullptr);
  ~TSprigTree();
  TSprigTree(const TSprigTree&) = delete;
  TSprigTree& operator=(const TSprigTree&) = delete;

  // Builds the tree of the module `root` afresh, forgetting expanded and
  // selected nodes.
  void Build(rtl::TComponent* root);
  // The root node (the module), or null before Build.
  TSprig* Root() const { return root_.get(); }
  rtl::TComponent* Module() const { return module_; }
  // The node of a component (or of a dataset's field), or null.
  TSprig* NodeFor(const rtl::TPersistent* item) const;

  // Expanded and selected nodes; kept across rebuilds (nodes of components
  // by their component, other nodes by the unique names of their path).
  void SetExpanded(TSprig* node, bool expanded);
  bool IsExpanded(const TSprig* node) const;
  void Select(TSprig* node);  // null: no selection
  TSprig* Selected() const { return selected_; }

  // Whether `node` may be dropped onto `target`: never onto itself or its
  // own subtree, and never the root; otherwise its DragOverTo decides.
  bool DragOver(TSprig* node, TSprig* target);
  // Drags `node` onto `target`: when DragOver allows it, asks DragDropTo.
  // After a drop that changed something: the designer's Modified, a
  // rebuild of the root's children that held the node and the target, the
  // dropped component selected and its parents expanded. An exception from
  // the drop propagates; the sprigs leave components and tree as they were.
  TDropResult Drop(TSprig* node, TSprig* target);
  // Whether a component of class `cls` from the palette may be dropped onto
  // `parent`: the PaletteOverTo of a sprig of the class registered for it.
  bool PaletteOver(TSprig* parent, const rtl::TClass& cls);
  // After the designer created `component` from the palette over `parent`:
  // rebuilds the tree and drops the component's node onto the node that
  // stands where `parent` stood, so that it takes its place there.
  TDropResult PaletteDrop(TSprig* parent, rtl::TComponent* component);

  // Rebuilds the whole tree from the module, keeping expanded and selected
  // nodes. The designer reports each change of the module through these.
  void Rebuild();
  void ComponentAdded(rtl::TComponent* component);
  // After the component is gone (it is only compared, never read).
  void ComponentDeleted(const rtl::TComponent* component);
  // Renamed, or a property changed (one that places its node or shows in
  // a caption: the tree cannot tell which, so it rebuilds).
  void ComponentChanged(rtl::TComponent* component);

  // Called after every build and rebuild.
  using TChangeHandler = std::function<void(const TSprigTreeChange&)>;
  void SetOnChange(TChangeHandler handler) { onChange_ = std::move(handler); }

 private:
  friend class TSprig;
  struct TState;

  void BuildTree(rtl::TComponent* root);
  std::unique_ptr<TSprig> TakeUnplaced(TSprig* node);
  void HoldUnplaced(std::unique_ptr<TSprig> node);
  // Makes and places the nodes of `count` components; item(i, order) gives
  // the i-th, in module order, and its position in the module.
  void PlaceComponents(size_t count, const std::function<rtl::TComponent*(size_t, int&)>& item);
  void PlaceOne(TSprig* node);
  void Forget(TSprig* subtree);
  void PlaceAll(TSprigClasses& classes, size_t count, const std::function<rtl::TComponent*(size_t, int&)>& item);
  void MarkUnsorted(TSprig* node);
  static void SortChildren(TSprig* node);
  void EndPlacing(bool sort);
  void RebuildGroups(const std::vector<TSprig*>& groups);
  TState SaveState() const;
  void RestoreState(const TState& state);
  void ShowAndSelect(TSprig* node);
  static std::unordered_set<TSprig*> EmptyTransientNodes(TSprig* node);
  void PruneEmptyTransient(TSprig* node, const std::unordered_set<TSprig*>& keep);
  void Notify(const TSprigTreeChange& change);

  IDesigner* designer_;
  rtl::TComponent* module_ = nullptr;
  std::unique_ptr<TSprig> root_;
  std::vector<std::unique_ptr<TSprig>> unplaced_;  // nodes being placed
  std::unique_ptr<TItemTable> nodes_;  // item -> node, when not stale
  mutable bool nodesStale_ = true;
  std::vector<TSprig*> unsorted_;  // while placing: nodes whose children are out of order
  bool placing_ = false;
  TSprig* selected_ = nullptr;
  TChangeHandler onChange_;
};

}  // namespace designide
