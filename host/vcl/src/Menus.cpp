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

const rtl::TClass& TPopupMenu::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TPopupMenu>("TPopupMenu", &rtl::TComponent::StaticClass()).Creatable().Build();
  return cls;
}

TPopupMenu::TPopupMenu(rtl::TComponent* owner) : rtl::TComponent(owner) {
  EnsureWidgetSystem();
  menu_ = new QMenu;
}

TPopupMenu::~TPopupMenu() {
  for (TMenuItem* item : items_) item->menu_ = nullptr;
  delete menu_;
}

void TPopupMenu::Add(TMenuItem* item) {
  if (item->menu_ != nullptr) return;
  item->menu_ = this;
  items_.push_back(item);
  menu_->addAction(item->action_);
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
  if (HasDisplay() && CurrentAutomation() == nullptr) menu_->exec(QCursor::pos());
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
  action_ = new QAction;
  QObject::connect(action_, &QAction::triggered, action_, [this] { Guarded([this] { Click(); }); });
}

TMenuItem::~TMenuItem() {
  if (menu_ != nullptr) {
    auto& items = menu_->items_;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
  }
  delete action_;
}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  action_->setText(QString::fromStdString(caption));
}

void TMenuItem::SetEnabled(bool on) {
  enabled_ = on;
  action_->setEnabled(on);
}

bool TMenuItem::Click() {
  if (!enabled_) return false;
  if (OnClick) OnClick(this);
  return true;
}

}  // namespace vcl
