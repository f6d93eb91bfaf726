#pragma once
// The Structure view panel: the module's sprig tree (designide/SprigTree.h)
// with each node's caption, a warning mark on nodes with a problem and
// grey italics for nodes that stand for no component. Selecting nodes
// selects their components in the module, and the module's selection shows
// here. Dragging a node asks its DragOverTo at every step (the cursor shows
// a refusal) and its DragDropTo on release; with a palette class chosen, a
// click on a node creates the component there when PaletteOverTo allows it.
// Each drop is one undoable change.
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "designide/SprigTree.h"

namespace designer {

class TDesignDocument;

class TStructurePanel : public QTreeWidget {
 public:
  explicit TStructurePanel(QWidget* parent);
  ~TStructurePanel() override;

  // Builds the tree of this document's module (null: nothing).
  void SetDocument(TDesignDocument* document);
  // Before the module's root is freed: nothing may point into it.
  void Forget();
  // The module changed: rebuilt, keeping opened and selected nodes; after
  // a new root (undo, redo) built afresh.
  void ModuleChanged();
  // Shows the document's selection.
  void ShowSelection();

  designide::TSprigTree* Tree() const { return tree_.get(); }
  QTreeWidgetItem* ItemOf(const designide::TSprig* node) const;
  designide::TSprig* NodeOf(const QTreeWidgetItem* item) const;

  // The class chosen on the palette (null: none), and forgetting it once
  // used.
  std::function<const rtl::TClass*()> ChosenClass;
  std::function<void()> ClearChoice;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Fill();
  // Shows the node in `item` and its children below it.
  void AddNode(QTreeWidgetItem* item, designide::TSprig* node);
  void OpenAll(designide::TSprig* node);
  void SelectionMade();
  designide::TSprig* NodeAt(QPoint point) const;
  void DropOn(designide::TSprig* target);
  void CreateOn(designide::TSprig* target, const rtl::TClass& cls);

  TDesignDocument* document_ = nullptr;
  std::unique_ptr<designide::TSprigTree> tree_;
  std::unordered_map<const designide::TSprig*, QTreeWidgetItem*> items_;
  bool filling_ = false;
  // A press on a node may become a drag of it.
  designide::TSprig* pressed_ = nullptr;
  QPoint pressAt_;
  bool dragging_ = false;
};

}  // namespace designer
