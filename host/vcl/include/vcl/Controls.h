#pragma once
// TControl and TWinControl: components that stand for one real widget of
// the toolkit.
//
// Ownership. Each control is an rtl::TComponent owned by its form (or
// another owner); the owner tree decides lifetime. The widget belongs to the
// control, through its peer (the toolkit's side, private to this layer): the
// control deletes it when it is freed. Code that uses Qt itself reaches the
// widget through vcl/qt/Widgets.h.
#include <memory>
#include <string>
#include <vector>

#include "rtl/objects/Component.h"
#include "vcl/Types.h"

namespace vcl {

class TWinControl;
class TForm;
class TPopupMenu;
class TWidgetPeer;

class TControl : public rtl::TComponent {
  RTL_CLASS(TControl)
 public:
  explicit TControl(rtl::TComponent* owner);
  ~TControl() override;

  // The toolkit's side of the control: opaque above the widget layer.
  TWidgetPeer* Peer() const { return peer_.get(); }
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  // The form this control sits on (walking up the parents), or null.
  TForm* ParentForm() const;

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Whether a person could see and reach the control now: it and every
  // parent are visible and enabled, and a tab sheet among them is the page
  // shown. Unlike the toolkit's visibility this holds before the form is
  // shown.
  bool Showing() const;
  bool EnabledChain() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);

  // The mouse cursor over the control (crDefault: the parent's).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  TNotifyEvent OnClick;

  // What a person's click does: nothing when the control cannot be reached
  // (hidden, disabled, on a page not shown); otherwise a windowed control
  // that can take the focus takes it first, then the control reacts.
  // Returns whether the click happened.
  virtual bool Click();
  // Whether a person's click moves the focus here.
  virtual bool FocusOnClick() const { return false; }

 protected:
  // Adopts the peer that shows this control (called once by subclasses).
  void SetPeer(std::unique_ptr<TWidgetPeer> peer);
  virtual void CaptionChanged() {}
  // Reacting to a click: OnClick. Click() and the widget's signals call it.
  virtual void DoClick();
  // Whether the parent shows this control now (a tab sheet: when it is the
  // active page).
  virtual bool ShownInParent() const { return visible_; }

  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  friend class TWinControl;
  std::unique_ptr<TWidgetPeer> peer_;
  TWinControl* parent_ = nullptr;
  TPopupMenu* popupMenu_ = nullptr;
  std::string caption_;
  TCursor cursor_ = crDefault;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool enabled_ = true;
};

class TWinControl : public TControl {
  RTL_CLASS(TWinControl)
 public:
  explicit TWinControl(rtl::TComponent* owner);
  ~TWinControl() override;

  int ClientWidth() const;
  int ClientHeight() const;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const;

  // Position among the windowed children of the parent that take part in
  // tabbing; setting it moves the control there and renumbers the others.
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool on) { tabStop_ = on; }
  // The windowed children in tab order.
  const std::vector<TWinControl*>& TabList() const { return tabList_; }

  bool CanFocus() const;
  // Moves the input focus here as a person's click or Tab would: the control
  // that had it gets OnExit first. Raises when the control cannot be focused.
  void SetFocus();
  bool Focused() const;

  HWND Handle();
  // Answers a window message sent with SendMessageW; 0 when not handled.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

  // Lays out the children that have an alignment within the client area.
  void AlignControls();
  void SetBounds(int left, int top, int width, int height) override;

  bool FocusOnClick() const override { return true; }

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Called by the form when the focus arrives here or leaves.
  virtual void DoEnter();
  virtual void DoExit();

 protected:
  virtual void InsertControl(TControl* control);
  virtual void RemoveControl(TControl* control);

 private:
  friend class TControl;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  HWND handle_ = nullptr;
  bool tabStop_ = true;
};

}  // namespace vcl
