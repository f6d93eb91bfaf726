#pragma once
// The toolkit's side of a control, private to the widget layer: the QWidget
// that shows it. The control owns its peer and the peer its widget. Qt's
// parent/child links only place widgets on screen: when a parent widget goes
// first, Qt deletes the child widgets with it, and the peer's QPointer sees
// its widget gone and does not delete it twice.
#include <QPointer>
#include <QWidget>

#include "vcl/Controls.h"
#include "vcl/qt/Widgets.h"

namespace vcl {

class TWidgetPeer {
 public:
  explicit TWidgetPeer(QWidget* widget) : widget_(widget) {}
  TWidgetPeer(const TWidgetPeer&) = delete;
  TWidgetPeer& operator=(const TWidgetPeer&) = delete;
  virtual ~TWidgetPeer() { delete widget_.data(); }

  QWidget* Widget() const { return widget_.data(); }
  // The widget into which child controls are placed.
  virtual QWidget* ClientWidget() const { return Widget(); }
  // The widget that gets the keyboard focus when the control has it.
  virtual QWidget* FocusTarget() const { return Widget(); }

 private:
  QPointer<QWidget> widget_;
};

// The control's widget as the class its constructor made it (null once gone).
template <class W>
W* WidgetAs(const TControl& control) {
  return static_cast<W*>(qt::WidgetOf(control));
}

// The control's peer as the class its constructor made it.
template <class P>
P& PeerAs(const TControl& control) {
  return static_cast<P&>(*control.Peer());
}

}  // namespace vcl
