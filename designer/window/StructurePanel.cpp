#include "window/StructurePanel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyle>
#include <algorithm>

#include "model/DesignDocument.h"
#include "window/Reporting.h"

namespace designer {

using designide::TSprig;

namespace {
constexpr int NodeRole = Qt::UserRole;

// Where a component made from the Structure view appears in the module
// view: below the lowest one.
QPoint FreeSpot(const rtl::TComponent& root) {
  int bottom = -1;
  for (int i = 0; i < root.ComponentCount(); ++i) bottom = std::max(bottom, root.Components(i)->DesignTop());
  return {16, bottom < 0 ? 16 : bottom + 64};
}
}  // namespace

TStructurePanel::TStructurePanel(QWidget* parent) : QTreeWidget(parent) {
  setObjectName("StructureView");
  setHeaderHidden(true);
  setUniformRowHeights(true);  // a large module's rows are not measured one by one
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setDragEnabled(false);  // drags are this view's own, asked of the sprigs
  viewport()->setMouseTracking(true);
  QObject::connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (!filling_) SelectionMade();
  });
  auto remember = [this](QTreeWidgetItem* item, bool open) {
    if (!filling_ && tree_ != nullptr)
      if (TSprig* node = NodeOf(item)) tree_->SetExpanded(node, open);
  };
  QObject::connect(this, &QTreeWidget::itemExpanded, this, [remember](QTreeWidgetItem* item) { remember(item, true); });
  QObject::connect(this, &QTreeWidget::itemCollapsed, this, [remember](QTreeWidgetItem* item) { remember(item, false); });
}

TStructurePanel::~TStructurePanel() { Forget(); }

void TStructurePanel::SetDocument(TDesignDocument* document) {
  Forget();
  document_ = document;
  if (document_ == nullptr) return;
  tree_ = std::make_unique<designide::TSprigTree>(document_);
  RunReported("Building the Structure view", [&] {
    tree_->Build(&document_->Root());
    OpenAll(tree_->Root());
  });
  // Told from now on: the first build is shown once, opened.
  tree_->SetOnChange([this](const designide::TSprigTreeChange&) { Fill(); });
  Fill();
}

void TStructurePanel::Forget() {
  pressed_ = nullptr;
  dragging_ = false;
  items_.clear();
  filling_ = true;
  clear();
  filling_ = false;
  tree_.reset();
}

void TStructurePanel::ModuleChanged() {
  if (document_ == nullptr) return;
  if (tree_ == nullptr || tree_->Module() != &document_->Root()) {
    SetDocument(document_);
    return;
  }
  RunReported("Rebuilding the Structure view", [&] { tree_->Rebuild(); });
}

void TStructurePanel::OpenAll(TSprig* node) {
  if (node == nullptr || node->Count() == 0) return;
  tree_->SetExpanded(node, true);
  for (int i = 0; i < node->Count(); ++i) OpenAll(node->Child(i));
}

void TStructurePanel::Fill() {
  filling_ = true;
  items_.clear();
  clear();
  pressed_ = nullptr;
  if (tree_ != nullptr && tree_->Root() != nullptr) {
    RunReported("Showing the Structure view", [&] {
      // Made apart from the view, then handed over and opened in one go.
      auto* top = new QTreeWidgetItem;
      AddNode(top, tree_->Root());
      addTopLevelItem(top);
      for (auto& [node, item] : items_)
        if (tree_->IsExpanded(node)) item->setExpanded(true);
    });
  }
  filling_ = false;
  ShowSelection();
}

void TStructurePanel::AddNode(QTreeWidgetItem* item, TSprig* node) {
  items_[node] = item;
  item->setData(0, NodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
  item->setText(0, QString::fromStdString(node->Caption()));
  QStringList notes;
  if (node->AnyProblems()) {
    item->setIcon(0, style()->standardIcon(QStyle::SP_MessageBoxWarning));
    item->setForeground(0, QColor(170, 0, 0));
    notes << "has a problem";
  }
  if (node->Transient()) {
    QFont italic = item->font(0);
    italic.setItalic(true);
    item->setFont(0, italic);
    item->setForeground(0, palette().brush(QPalette::Disabled, QPalette::Text));
    notes << "stands for no component";
  }
  if (node->Unplaced()) notes << "found no place of its own";
  item->setToolTip(0, notes.join("; "));
  for (int i = 0; i < node->Count(); ++i) AddNode(new QTreeWidgetItem(item), node->Child(i));
}

QTreeWidgetItem* TStructurePanel::ItemOf(const TSprig* node) const {
  auto it = items_.find(node);
  return it == items_.end() ? nullptr : it->second;
}

TSprig* TStructurePanel::NodeOf(const QTreeWidgetItem* item) const {
  if (item == nullptr) return nullptr;
  return reinterpret_cast<TSprig*>(item->data(0, NodeRole).value<quintptr>());
}

TSprig* TStructurePanel::NodeAt(QPoint point) const { return NodeOf(itemAt(point)); }

void TStructurePanel::ShowSelection() {
  if (document_ == nullptr || tree_ == nullptr) return;
  // One change of the view's selection, however many nodes it touches.
  QItemSelection shown;
  QTreeWidgetItem* first = nullptr;
  for (rtl::TComponent* component : document_->Selection().Items()) {
    QTreeWidgetItem* item = ItemOf(tree_->NodeFor(component));
    if (item == nullptr) continue;
    const QModelIndex index = indexFromItem(item);
    shown.select(index, index);
    if (first == nullptr) first = item;
  }
  filling_ = true;
  selectionModel()->select(shown, QItemSelectionModel::ClearAndSelect);
  if (first != nullptr) {
    setCurrentItem(first, 0, QItemSelectionModel::NoUpdate);
    scrollToItem(first);
  }
  filling_ = false;
}

// The components of the selected nodes become the module's selection;
// nodes of no component of the module add nothing.
void TStructurePanel::SelectionMade() {
  if (document_ == nullptr || tree_ == nullptr) return;
  std::vector<rtl::TComponent*> components;
  for (QTreeWidgetItem* item : selectedItems()) {
    TSprig* node = NodeOf(item);
    auto* component = dynamic_cast<rtl::TComponent*>(node != nullptr ? node->Item() : nullptr);
    if (component != nullptr && component->Owner() == &document_->Root()) components.push_back(component);
  }
  TSprig* current = NodeOf(currentItem());
  tree_->Select(current);
  document_->Selection().SetItems(components);
}

void TStructurePanel::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const rtl::TClass* cls = ChosenClass ? ChosenClass() : nullptr;
  if (event->button() == Qt::LeftButton && cls != nullptr) {
    if (TSprig* target = NodeAt(at)) CreateOn(target, *cls);
    return;
  }
  QTreeWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier) {
    pressed_ = NodeAt(at);
    pressAt_ = at;
    dragging_ = false;
  }
}

void TStructurePanel::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (pressed_ == nullptr) {
    // Over a node with a palette class chosen: may it go there?
    const rtl::TClass* cls = ChosenClass ? ChosenClass() : nullptr;
    if (cls != nullptr && tree_ != nullptr) {
      TSprig* target = NodeAt(at);
      bool allowed = false;
      RunReported("Asking where a " + cls->ClassName() + " may go",
                  [&] { allowed = target != nullptr && tree_->PaletteOver(target, *cls); });
      viewport()->setCursor(allowed ? Qt::DragCopyCursor : Qt::ForbiddenCursor);
    } else {
      viewport()->unsetCursor();
    }
    QTreeWidget::mouseMoveEvent(event);
    return;
  }
  if (!dragging_ && (at - pressAt_).manhattanLength() < QApplication::startDragDistance()) return;
  dragging_ = true;
  TSprig* target = NodeAt(at);
  bool allowed = false;
  RunReported("Asking whether the node may go there",
              [&] { allowed = target != nullptr && tree_->DragOver(pressed_, target); });
  viewport()->setCursor(allowed ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void TStructurePanel::mouseReleaseEvent(QMouseEvent* event) {
  const bool dropping = dragging_ && pressed_ != nullptr && event->button() == Qt::LeftButton;
  dragging_ = false;
  viewport()->unsetCursor();
  if (dropping) {
    DropOn(NodeAt(event->position().toPoint()));
    pressed_ = nullptr;
    return;
  }
  pressed_ = nullptr;
  QTreeWidget::mouseReleaseEvent(event);
}

void TStructurePanel::DropOn(TSprig* target) {
  TSprig* node = pressed_;
  if (node == nullptr || target == nullptr || document_ == nullptr) return;
  const std::string what = node->UniqueName() + " onto " + target->UniqueName();
  RunReported("Moving " + what, [&] {
    // One undoable step; the tree's Modified is gathered into it.
    document_->Change("Move " + what, [&] { tree_->Drop(node, target); });
  });
}

void TStructurePanel::CreateOn(TSprig* target, const rtl::TClass& cls) {
  if (document_ == nullptr || tree_ == nullptr) return;
  if (ClearChoice) ClearChoice();
  RunReported("Creating a " + cls.ClassName() + " in the Structure view", [&] {
    if (!tree_->PaletteOver(target, cls)) return;
    const QPoint spot = FreeSpot(document_->Root());
    document_->Change("Create " + cls.ClassName(), [&] {
      rtl::TComponent& made = document_->CreateComponent(cls, spot.x(), spot.y());
      tree_->PaletteDrop(target, &made);
    });
  });
}

}  // namespace designer
