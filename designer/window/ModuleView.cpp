#include "window/ModuleView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QRubberBand>
#include <QToolTip>
#include <algorithm>
#include <unordered_set>

#include "model/DesignDocument.h"
#include "window/PaletteImages.h"

namespace designer {

namespace {
constexpr int kMargin = 16;  // room right of and below the last component
constexpr int kHandle = 4;   // the selection marks at the corners
}  // namespace

TModuleView::TModuleView(const TPaletteImages& images, QWidget* parent) : QWidget(parent), images_(images) {
  setObjectName("ModuleView");
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
  band_ = new QRubberBand(QRubberBand::Rectangle, this);
}

void TModuleView::SetDocument(TDesignDocument* document) {
  document_ = document;
  Reload();
}

void TModuleView::Reload() {
  items_.clear();
  extent_ = QSize(0, 0);
  if (document_ != nullptr) {
    const rtl::TComponent& root = document_->Root();
    const QFontMetrics metrics(font());
    items_.reserve(static_cast<size_t>(root.ComponentCount()));
    for (int i = 0; i < root.ComponentCount(); ++i) {
      rtl::TComponent* c = root.Components(i);
      TItem item{c, QRect(c->DesignLeft(), c->DesignTop(), BoxSize, BoxSize), QRect(),
                 QString::fromStdString(c->Name())};
      // Measuring each name would shape every text of a large module; the
      // label is sized from the font's average width, with room to spare,
      // and its text is drawn unclipped.
      const int length = static_cast<int>(item.Name.size());
      const int estimate = metrics.averageCharWidth() * (length + length / 4) + 4;
      item.Long = estimate > MaxLabelWidth;
      const int width = std::min(estimate, MaxLabelWidth);
      item.Label = QRect(item.Box.center().x() - width / 2, item.Box.bottom() + 2, width, metrics.height());
      extent_ = extent_.expandedTo(QSize(std::max(item.Box.right(), item.Label.right()), item.Label.bottom()));
      items_.push_back(std::move(item));
    }
  }
  // The scroll area gives the view at least its own size, and scrolls when
  // the components reach further.
  setMinimumSize(sizeHint());
  update();
}

QSize TModuleView::sizeHint() const { return extent_ + QSize(kMargin, kMargin); }

const TModuleView::TItem* TModuleView::ItemOf(const rtl::TComponent& component) const {
  for (const TItem& item : items_)
    if (item.Component == &component) return &item;
  return nullptr;
}

QRect TModuleView::BoxOf(const rtl::TComponent& component) const {
  const TItem* item = ItemOf(component);
  return item != nullptr ? item->Box : QRect();
}

QRect TModuleView::ItemRectOf(const rtl::TComponent& component) const {
  const TItem* item = ItemOf(component);
  return item != nullptr ? item->Box.united(item->Label) : QRect();
}

// Later components are drawn over earlier ones, so the last hit wins.
const TModuleView::TItem* TModuleView::ItemAt(QPoint point) const {
  for (auto it = items_.rbegin(); it != items_.rend(); ++it)
    if (it->Box.contains(point) || it->Label.contains(point)) return &*it;
  return nullptr;
}

rtl::TComponent* TModuleView::ComponentAt(QPoint point) const {
  const TItem* item = ItemAt(point);
  return item != nullptr ? item->Component : nullptr;
}

void TModuleView::PaintItem(QPainter& painter, const TItem& item, QPoint offset, bool selected) const {
  const QRect box = item.Box.translated(offset);
  painter.setPen(palette().color(QPalette::Mid));
  painter.setBrush(palette().color(QPalette::Button));
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  const QPixmap& image = images_.ImageOf(item.Component->ClassType());
  painter.drawPixmap(box.left() + (BoxSize - TPaletteImages::Size) / 2, box.top() + (BoxSize - TPaletteImages::Size) / 2,
                     image);
  painter.setPen(Qt::black);
  // Only a long name is measured: shaping every name would cost a large
  // module its speed.
  const QString shown = item.Long ? QFontMetrics(font()).elidedText(item.Name, Qt::ElideRight, item.Label.width())
                                  : item.Name;
  painter.drawText(item.Label.translated(offset), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, shown);
  if (!selected) return;
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette().color(QPalette::Highlight));
  for (QPoint corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()})
    painter.drawRect(QRect(corner - QPoint(kHandle / 2, kHandle / 2), QSize(kHandle, kHandle)));
}

void TModuleView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect exposed = event->rect();
  std::unordered_set<const rtl::TComponent*> selected;
  if (document_ != nullptr) selected.insert(document_->Selection().Items().begin(), document_->Selection().Items().end());
  for (const TItem& item : items_) {
    const bool isSelected = selected.count(item.Component) != 0;
    const QPoint offset = dragging_ && isSelected ? dragOffset_ : QPoint();
    if (!item.Box.united(item.Label).adjusted(-kHandle, -kHandle, kHandle, kHandle).translated(offset).intersects(exposed))
      continue;
    PaintItem(painter, item, offset, isSelected);
  }
}

void TModuleView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (event->button() != Qt::LeftButton || document_ == nullptr) return;
  const QPoint at = event->position().toPoint();
  if (WantsCreate && WantsCreate()) {
    if (OnCreateAt) OnCreateAt(at);
    return;
  }
  const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
  TSelection& selection = document_->Selection();
  if (const TItem* item = ItemAt(at)) {
    if (ctrl)
      selection.Toggle(item->Component);
    else if (!selection.Contains(item->Component))
      selection.Select(item->Component);
    pressedOnItem_ = selection.Contains(item->Component);
    pressAt_ = at;
    dragOffset_ = QPoint();
    return;
  }
  if (!ctrl) selection.Clear();
  bandOrigin_ = at;
  band_->setGeometry(QRect(at, QSize()));
  band_->show();
}

void TModuleView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (band_->isVisible()) {
    band_->setGeometry(QRect(bandOrigin_, at).normalized());
    return;
  }
  if (!pressedOnItem_) return;
  if (!dragging_ && (at - pressAt_).manhattanLength() < QApplication::startDragDistance()) return;
  dragging_ = true;
  dragOffset_ = at - pressAt_;
  update();
}

void TModuleView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (band_->isVisible()) {
    FinishRubberBand(at, (event->modifiers() & Qt::ControlModifier) != 0);
    return;
  }
  const bool moved = dragging_;
  const QPoint offset = at - pressAt_;
  pressedOnItem_ = false;
  dragging_ = false;
  dragOffset_ = QPoint();
  if (moved && OnMove) OnMove(offset.x(), offset.y());
  update();
}

void TModuleView::FinishRubberBand(QPoint end, bool adding) {
  band_->hide();
  const QRect area = QRect(bandOrigin_, end).normalized();
  std::vector<rtl::TComponent*> chosen = adding ? document_->Selection().Items() : std::vector<rtl::TComponent*>();
  for (const TItem& item : items_)
    if (item.Box.intersects(area) && std::find(chosen.begin(), chosen.end(), item.Component) == chosen.end())
      chosen.push_back(item.Component);
  document_->Selection().SetItems(chosen);
}

void TModuleView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || document_ == nullptr) return;
  pressedOnItem_ = false;
  if (const TItem* item = ItemAt(event->position().toPoint())) {
    document_->Selection().Select(item->Component);
    if (OnDoubleClick) OnDoubleClick(*item->Component);
  }
}

void TModuleView::contextMenuEvent(QContextMenuEvent* event) {
  if (document_ == nullptr) return;
  rtl::TComponent* component = ComponentAt(event->pos());
  if (component != nullptr && !document_->Selection().Contains(component)) document_->Selection().Select(component);
  if (OnContextMenu) OnContextMenu(component, event->globalPos());
}

bool TModuleView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const TItem* item = ItemAt(help->pos());
    if (item != nullptr)
      QToolTip::showText(help->globalPos(), item->Name, this);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

void TModuleView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && OnDelete) {
    OnDelete();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace designer
