#include "TextFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVariant>
#include <algorithm>

namespace vcl {

namespace {
constexpr const char* kGivenBounds = "vclGivenBounds";

// A button's caption as drawn: "&&" is one "&", a single "&" marks a key.
QString DrawnText(const QString& caption) {
  QString out;
  for (int i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += caption[i];
  }
  return out;
}

// The size the text needs; an empty size for a widget that shows no text.
QSize Needed(QWidget& widget) {
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    if (label->text().isEmpty()) return {};
    // Measured here rather than by the label's own hint, which is renewed
    // only after a new font has been announced (and this runs on the
    // announcement). A label with a buddy draws "&" as a key mark.
    const int flags = Qt::AlignLeft | Qt::AlignTop | (label->buddy() != nullptr ? Qt::TextShowMnemonic : 0);
    const QSize text = label->fontMetrics().boundingRect(QRect(0, 0, 100000, 100000), flags, label->text()).size();
    const int frame = 2 * (label->frameWidth() + label->margin());
    return {text.width() + frame, text.height() + frame};
  }
  if (auto* push = qobject_cast<QPushButton*>(&widget)) {
    if (push->text().isEmpty()) return {};
    // The style's own hint has a minimum width that would widen every
    // narrow button; only the text and the bevel around it count.
    const int margin = push->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, push);
    const int frame = push->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, push);
    return {push->fontMetrics().horizontalAdvance(DrawnText(push->text())) + 2 * (margin + frame), 0};
  }
  if (qobject_cast<QCheckBox*>(&widget) != nullptr || qobject_cast<QRadioButton*>(&widget) != nullptr) {
    auto* button = static_cast<QAbstractButton*>(&widget);
    return button->text().isEmpty() ? QSize() : QSize(button->sizeHint().width(), 0);
  }
  return {};
}

// Measures again when the font the widget draws with changes (it gets its
// form's font only once it is placed on the form).
class TFontWatch : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
      FitText(*static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
  }
};

bool ShowsText(QWidget& widget) {
  return qobject_cast<QLabel*>(&widget) != nullptr || qobject_cast<QAbstractButton*>(&widget) != nullptr;
}
}  // namespace

void PlaceFitted(QWidget& widget, const QRect& bounds) {
  if (!ShowsText(widget)) {
    widget.setGeometry(bounds);
    return;
  }
  if (!widget.property(kGivenBounds).isValid()) widget.installEventFilter(new TFontWatch(&widget));
  widget.setProperty(kGivenBounds, bounds);
  FitText(widget);
}

void FitText(QWidget& widget) {
  const QVariant given = widget.property(kGivenBounds);
  if (!given.isValid()) return;
  QRect bounds = given.toRect();
  const QSize needed = Needed(widget);
  const int width = std::max(bounds.width(), needed.width());
  const int height = std::max(bounds.height(), needed.height());
  Qt::Alignment align = Qt::AlignLeft;
  if (auto* label = qobject_cast<QLabel*>(&widget)) align = label->alignment();
  if (align & Qt::AlignRight)
    bounds.setLeft(bounds.right() + 1 - width);
  else if (align & Qt::AlignHCenter)
    bounds.setLeft(bounds.left() - (width - bounds.width()) / 2);
  bounds.setSize({width, height});
  if (widget.geometry() != bounds) widget.setGeometry(bounds);
}

}  // namespace vcl
