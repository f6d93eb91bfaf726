#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

#include "EventLoopGuard.h"
#include "TextFit.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

const rtl::TClass& TLabel::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TLabel>("TLabel", &TControl::StaticClass()).Creatable().Build();
  return cls;
}

namespace {
// Turns a person's mouse press on the label into OnMouseDown.
class TLabelPressFilter : public QObject {
 public:
  TLabelPressFilter(QObject* parent, TLabel* label) : QObject(parent), label_(label) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* press = static_cast<QMouseEvent*>(event);
      TMouseButton button = press->button() == Qt::RightButton    ? TMouseButton::mbRight
                            : press->button() == Qt::MiddleButton ? TMouseButton::mbMiddle
                                                                  : TMouseButton::mbLeft;
      TShiftState shift = 0;
      if (press->modifiers() & Qt::ShiftModifier) shift |= ssShift;
      if (press->modifiers() & Qt::AltModifier) shift |= ssAlt;
      if (press->modifiers() & Qt::ControlModifier) shift |= ssCtrl;
      QPoint at = press->position().toPoint();
      Guarded([&] { label_->MouseDown(button, shift, at.x(), at.y()); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  TLabel* label_;
};
}  // namespace

TLabel::TLabel(rtl::TComponent* owner) : TControl(owner) {
  auto* label = new QLabel;
  SetPeer(std::make_unique<TWidgetPeer>(label));
  label->installEventFilter(new TLabelPressFilter(label, this));
  font_.OnChange = [this] { ApplyFont(); };
}

void TLabel::ApplyFont() {
  QLabel* label = WidgetAs<QLabel>(*this);
  label->setFont(qt::ToQFont(font_));
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, qt::ToQColor(font_.Color()));
  label->setPalette(palette);
}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Qt::Alignment horizontal = alignment == TAlignment::taCenter        ? Qt::AlignHCenter
                             : alignment == TAlignment::taRightJustify ? Qt::AlignRight
                                                                       : Qt::AlignLeft;
  WidgetAs<QLabel>(*this)->setAlignment(horizontal | Qt::AlignTop);
  FitText(*qt::WidgetOf(*this));
}

void TLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

namespace {
// Without a control to focus, "&" marks nothing: "&&" is a literal "&" and a
// single "&" is dropped, as the platform draws such a caption.
QString WithoutAccelerator(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += caption[i];
  }
  return QString::fromStdString(out);
}
}  // namespace

void TLabel::CaptionChanged() {
  if (focusControl_ != nullptr && qt::WidgetOf(*focusControl_) != nullptr)
    WidgetAs<QLabel>(*this)->setText(QString::fromStdString(Caption()));
  else
    WidgetAs<QLabel>(*this)->setText(WithoutAccelerator(Caption()));
  FitText(*qt::WidgetOf(*this));
}

void TLabel::SetFocusControl(TWinControl* control) {
  if (focusControl_ != nullptr) focusControl_->RemoveFreeNotification(this);
  focusControl_ = control;
  if (control != nullptr) control->FreeNotification(this);
  WidgetAs<QLabel>(*this)->setBuddy(control != nullptr ? qt::FocusWidgetOf(*control) : nullptr);
  CaptionChanged();
}

void TLabel::Accelerate() {
  if (focusControl_ != nullptr && focusControl_->CanFocus()) focusControl_->SetFocus();
}

void TLabel::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TControl::Notification(component, operation);
  if (operation == rtl::TOperation::opRemove && component == focusControl_) {
    focusControl_ = nullptr;
    WidgetAs<QLabel>(*this)->setBuddy(nullptr);
  }
}

}  // namespace vcl
