#pragma once
// The module view: the designed module's non-visual components as icons
// with their names, each at its design position. A person selects with a
// click, adds or removes with Ctrl+click, selects an area with a rubber
// band, moves the selection by dragging, deletes with Del, opens the
// context menu with a right click and runs the editor with a double-click.
// The view only reports these acts; the window carries them out.
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "rtl/objects/Component.h"

class QRubberBand;

namespace designer {

class TDesignDocument;
class TPaletteImages;

class TModuleView : public QWidget {
 public:
  static constexpr int BoxSize = 28;  // the frame around a 24x24 picture
  // The widest a name under a component is drawn: a longer one ends in
  // "…" (its tool tip gives it whole), so it does not run into the name of
  // a neighbour placed the usual distance away.
  static constexpr int MaxLabelWidth = 100;

  TModuleView(const TPaletteImages& images, QWidget* parent);

  // Shows this document's module (null: nothing).
  void SetDocument(TDesignDocument* document);
  // Lays the components out again (after components came, went or moved).
  void Reload();

  // Where a component is drawn: its frame, and the frame with its name.
  QRect BoxOf(const rtl::TComponent& component) const;
  QRect ItemRectOf(const rtl::TComponent& component) const;
  // The component drawn at `point` (the topmost), or null.
  rtl::TComponent* ComponentAt(QPoint point) const;

  QSize sizeHint() const override;

  // True when the palette has a class chosen: a click then creates.
  std::function<bool()> WantsCreate;
  std::function<void(QPoint at)> OnCreateAt;
  std::function<void(int dx, int dy)> OnMove;
  std::function<void(rtl::TComponent& component)> OnDoubleClick;
  // `component` null: the click was on the module itself.
  std::function<void(rtl::TComponent* component, QPoint globalPos)> OnContextMenu;
  std::function<void()> OnDelete;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct TItem {
    rtl::TComponent* Component;
    QRect Box;
    QRect Label;
    QString Name;
    bool Long = false;  // may not fit its label: drawn elided
  };
  const TItem* ItemAt(QPoint point) const;
  const TItem* ItemOf(const rtl::TComponent& component) const;
  void PaintItem(QPainter& painter, const TItem& item, QPoint offset, bool selected) const;
  void FinishRubberBand(QPoint end, bool adding);

  const TPaletteImages& images_;
  TDesignDocument* document_ = nullptr;
  std::vector<TItem> items_;
  QSize extent_;
  // A press on a component may become a drag of the selection.
  bool pressedOnItem_ = false;
  bool dragging_ = false;
  QPoint pressAt_;
  QPoint dragOffset_;
  QRubberBand* band_ = nullptr;
  QPoint bandOrigin_;
};

}  // namespace designer
