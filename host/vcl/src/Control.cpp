#include "vcl/Controls.h"

#include <QCursor>
#include <QVariant>

#include "EventLoopGuard.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/Application.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"

namespace vcl {

namespace {
constexpr const char* kControlProperty = "vclControl";
}

const rtl::TClass& TControl::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TControl>("TControl", &rtl::TComponent::StaticClass())
                                     .Str("Caption", &TControl::Caption, &TControl::SetCaption)
                                     .Int("Left", &TControl::Left, &TControl::SetLeft)
                                     .Int("Top", &TControl::Top, &TControl::SetTop)
                                     .Int("Width", &TControl::Width, &TControl::SetWidth)
                                     .Int("Height", &TControl::Height, &TControl::SetHeight)
                                     .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
                                     .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
                                     .Build();
  return cls;
}

TControl::TControl(rtl::TComponent* owner) : rtl::TComponent(owner) { EnsureWidgetSystem(); }

TControl::~TControl() {
  // The widget goes first, so leaving the parent does not re-home it.
  delete widget_.data();
  if (parent_ != nullptr) parent_->RemoveControl(this);
}

void TControl::SetWidget(QWidget* widget) {
  widget_ = widget;
  widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
}

void TControl::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  QWidget* widget = Widget();
  if (widget == nullptr) return;
  switch (cursor) {
    case crHandPoint: widget->setCursor(Qt::PointingHandCursor); break;
    case crHourGlass: widget->setCursor(Qt::WaitCursor); break;
    case crArrow: widget->setCursor(Qt::ArrowCursor); break;
    default: widget->unsetCursor(); break;
  }
}

TControl* FindControl(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    QVariant v = w->property(kControlProperty);
    if (v.isValid()) return static_cast<TControl*>(v.value<void*>());
  }
  return nullptr;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_ != nullptr) parent_->RemoveControl(this);
  if (parent != nullptr) parent->InsertControl(this);
}

TForm* TControl::ParentForm() const {
  const TControl* top = this;
  while (top->parent_ != nullptr) top = top->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

int TControl::Left() const { return widget_ ? widget_->x() : 0; }
int TControl::Top() const { return widget_ ? widget_->y() : 0; }
int TControl::Width() const { return widget_ ? widget_->width() : 0; }
int TControl::Height() const { return widget_ ? widget_->height() : 0; }

void TControl::SetBounds(int left, int top, int width, int height) {
  if (widget_) widget_->setGeometry(left, top, width, height);
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_ != nullptr) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (widget_ && parent_ != nullptr) widget_->setVisible(visible);
  if (parent_ != nullptr && align_ != TAlign::alNone) parent_->AlignControls();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (widget_) widget_->setEnabled(enabled);
}

bool TControl::Showing() const {
  if (!widget_) return false;
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    // The top is a form, shown whenever a person could act on it; a control
    // on no form is seen by no one.
    if (c->parent_ == nullptr) return dynamic_cast<const TForm*>(c) != nullptr;
    if (!c->ShownInParent()) return false;
  }
  return false;
}

bool TControl::EnabledChain() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_)
    if (!c->enabled_) return false;
  return true;
}

void TControl::SetCaption(const std::string& caption) {
  caption_ = caption;
  CaptionChanged();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_ != nullptr) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (!widget_) return;
  if (menu == nullptr) {
    widget_->setContextMenuPolicy(Qt::DefaultContextMenu);
    return;
  }
  menu->FreeNotification(this);
  widget_->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::disconnect(widget_, &QWidget::customContextMenuRequested, nullptr, nullptr);
  QObject::connect(widget_, &QWidget::customContextMenuRequested, widget_, [this](const QPoint&) {
    Guarded([this] {
      if (popupMenu_ != nullptr) popupMenu_->Popup(this);
    });
  });
}

void TControl::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  rtl::TComponent::Notification(component, operation);
  if (operation == rtl::TOperation::opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

bool TControl::Click() {
  if (!Showing() || !EnabledChain()) return false;
  if (FocusOnClick()) {
    auto* self = static_cast<TWinControl*>(this);
    if (self->CanFocus()) self->SetFocus();
  }
  DoClick();
  return true;
}

void TControl::DoClick() {
  if (OnClick) OnClick(this);
}

}  // namespace vcl
