#include "vcl/Controls.h"

#include <QCursor>
#include <QVariant>

#include "EventLoopGuard.h"
#include "TextFit.h"
#include "WidgetPeer.h"
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
  peer_.reset();
  if (parent_ != nullptr) parent_->RemoveControl(this);
}

void TControl::SetPeer(std::unique_ptr<TWidgetPeer> peer) {
  peer_ = std::move(peer);
  peer_->Widget()->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
}

namespace qt {

QWidget* WidgetOf(const TControl& control) {
  return control.Peer() != nullptr ? control.Peer()->Widget() : nullptr;
}

QWidget* FocusWidgetOf(const TWinControl& control) {
  return control.Peer() != nullptr ? control.Peer()->FocusTarget() : nullptr;
}

TControl* FindControl(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    QVariant v = w->property(kControlProperty);
    if (v.isValid()) return static_cast<TControl*>(v.value<void*>());
  }
  return nullptr;
}

}  // namespace qt

void TControl::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  QWidget* widget = qt::WidgetOf(*this);
  if (widget == nullptr) return;
  switch (cursor) {
    case crHandPoint: widget->setCursor(Qt::PointingHandCursor); break;
    case crHourGlass: widget->setCursor(Qt::WaitCursor); break;
    case crArrow: widget->setCursor(Qt::ArrowCursor); break;
    default: widget->unsetCursor(); break;
  }
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

namespace {
// One measure of the control's widget; 0 once the widget is gone.
int Measure(const TControl& control, int (QWidget::*measure)() const) {
  QWidget* widget = qt::WidgetOf(control);
  return widget != nullptr ? (widget->*measure)() : 0;
}
}  // namespace

int TControl::Left() const { return Measure(*this, &QWidget::x); }
int TControl::Top() const { return Measure(*this, &QWidget::y); }
int TControl::Width() const { return Measure(*this, &QWidget::width); }
int TControl::Height() const { return Measure(*this, &QWidget::height); }

void TControl::SetBounds(int left, int top, int width, int height) {
  if (QWidget* widget = qt::WidgetOf(*this)) PlaceFitted(*widget, QRect(left, top, width, height));
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_ != nullptr) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  QWidget* widget = qt::WidgetOf(*this);
  if (widget != nullptr && parent_ != nullptr) widget->setVisible(visible);
  if (parent_ != nullptr && align_ != TAlign::alNone) parent_->AlignControls();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (QWidget* widget = qt::WidgetOf(*this)) widget->setEnabled(enabled);
}

bool TControl::Showing() const {
  if (qt::WidgetOf(*this) == nullptr) return false;
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
  QWidget* widget = qt::WidgetOf(*this);
  if (widget == nullptr) return;
  if (menu == nullptr) {
    widget->setContextMenuPolicy(Qt::DefaultContextMenu);
    return;
  }
  menu->FreeNotification(this);
  widget->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::disconnect(widget, &QWidget::customContextMenuRequested, nullptr, nullptr);
  QObject::connect(widget, &QWidget::customContextMenuRequested, widget, [this](const QPoint&) {
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
