#pragma once
// TPopupMenu and TMenuItem. The popup component is the control on which the
// menu was opened, so one menu can serve several controls.
#include <memory>
#include <string>
#include <vector>

#include "rtl/objects/Component.h"
#include "vcl/Types.h"

namespace vcl {

class TMenuItem;
class TControl;
class TPopupMenuPeer;
class TMenuItemPeer;

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

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  friend class TMenuItem;
  std::unique_ptr<TPopupMenuPeer> peer_;  // the toolkit's menu
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

  TNotifyEvent OnClick;

 private:
  friend class TPopupMenu;
  std::unique_ptr<TMenuItemPeer> peer_;  // the toolkit's menu entry
  TPopupMenu* menu_ = nullptr;
  std::string caption_;
  bool enabled_ = true;
};

}  // namespace vcl
