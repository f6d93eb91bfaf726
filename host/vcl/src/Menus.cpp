#include "vcl/Menus.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <algorithm>

#include "EventLoopGuard.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/Controls.h"

namespace vcl {

class TPopupMenuPeer {
 public:
  QMenu menu;
};

class TMenuItemPeer {
 public:
  QAction action;
};

const rtl::TClass& TPopupMenu::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TPopupMenu>("TPopupMenu", &rtl::TComponent::StaticClass()).Creatable().Build();
  return cls;
}

TPopupMenu::TPopupMenu(rtl::TComponent* owner) : rtl::TComponent(owner) {
  EnsureWidgetSystem();
  peer_ = std::make_unique<TPopupMenuPeer>();
}

TPopupMenu::~TPopupMenu() {
  for (TMenuItem* item : items_) item->menu_ = nullptr;
}

void TPopupMenu::Add(TMenuItem* item) {
  if (item->menu_ != nullptr) return;
  item->menu_ = this;
  items_.push_back(item);
  peer_->menu.addAction(&item->peer_->action);
}

TMenuItem* TPopupMenu::Items(int index) const {
  if (index < 0 || index >= Count())
    throw rtl::EListError("Menu index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)];
}

void TPopupMenu::SetPopupComponent(TControl* control) {
  if (popupComponent_ != nullptr) popupComponent_->RemoveFreeNotification(this);
  popupComponent_ = control;
  if (control != nullptr) control->FreeNotification(this);
}

void TPopupMenu::Popup(TControl* control) {
  SetPopupComponent(control);
  // Only a person at a display picks from a shown menu; an automation picks
  // an item with TMenuItem::Click.
  if (HasDisplay() && CurrentAutomation() == nullptr) peer_->menu.exec(QCursor::pos());
}

void TPopupMenu::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  rtl::TComponent::Notification(component, operation);
  if (operation == rtl::TOperation::opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

const rtl::TClass& TMenuItem::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TMenuItem>("TMenuItem", &rtl::TComponent::StaticClass()).Creatable().Build();
  return cls;
}

TMenuItem::TMenuItem(rtl::TComponent* owner) : rtl::TComponent(owner) {
  EnsureWidgetSystem();
  peer_ = std::make_unique<TMenuItemPeer>();
  QAction* action = &peer_->action;
  QObject::connect(action, &QAction::triggered, action, [this] { Guarded([this] { Click(); }); });
}

TMenuItem::~TMenuItem() {
  if (menu_ != nullptr) {
    auto& items = menu_->items_;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
  }
}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  peer_->action.setText(QString::fromStdString(caption));
}

void TMenuItem::SetEnabled(bool on) {
  enabled_ = on;
  peer_->action.setEnabled(on);
}

bool TMenuItem::Click() {
  if (!enabled_) return false;
  if (OnClick) OnClick(this);
  return true;
}

}  // namespace vcl
