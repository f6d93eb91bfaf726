#pragma once
// TPopupMenu and TMenuItem. The popup component is the control on which the
// menu was opened, so one menu can serve several controls.
#include <string>
#include <vector>

#include "rtl/objects/Component.h"
#include "vcl/Types.h"

class QMenu;
class QAction;

namespace vcl {

class TMenuItem;
class TControl;

class TPopupMenu : public rtl::TComponent {
  RTL_CLASS(TPopupMenu)
 public:
  explicit TPopupMenu(rtl::TComponent* owner);
  ~TPopupMenu() override;

  void Add(TMenuItem* item);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  TControl* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TControl* control);
  // A person opens the menu on `control` (right click): the popup component
  // becomes that control. With a display the menu appears at the mouse.
  void Popup(TControl* control);
  QMenu* Menu() const { return menu_; }

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  friend class TMenuItem;
  QMenu* menu_;
  std::vector<TMenuItem*> items_;
  TControl* popupComponent_ = nullptr;
};

class TMenuItem : public rtl::TComponent {
  RTL_CLASS(TMenuItem)
 public:
  explicit TMenuItem(rtl::TComponent* owner);
  ~TMenuItem() override;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  // A person picks the item: OnClick when enabled.
  bool Click();
  QAction* Action() const { return action_; }

  TNotifyEvent OnClick;

 private:
  friend class TPopupMenu;
  QAction* action_;
  TPopupMenu* menu_ = nullptr;
  std::string caption_;
  bool enabled_ = true;
};

}  // namespace vcl
