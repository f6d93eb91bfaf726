#pragma once
// TForm: a top-level window with its controls, shown alone or modally.
//
// Focus. The form keeps its own notion of the focused control
// (ActiveControl) so that focus moves, with OnExit before OnEnter, work the
// same on the offscreen platform as on a desktop; the toolkit's real focus
// changes are fed into the same path for people at a keyboard.
//
// Modal forms run through one seam (see vcl/Automation.h): with an
// automation installed it acts on the form; otherwise the toolkit's modal
// loop runs.
#include <memory>

#include "vcl/Controls.h"
#include "vcl/Graphics.h"


namespace vcl {

class TButton;
class TFormWindow;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The title-bar icons of a form, a set of flags.
enum TBorderIcon : unsigned { biSystemMenu = 1u << 0, biMinimize = 1u << 1, biMaximize = 1u << 2, biHelp = 1u << 3 };
using TBorderIcons = unsigned;

enum class TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };

class TForm : public TWinControl {
  RTL_CLASS(TForm)
 public:
  explicit TForm(rtl::TComponent* owner);
  ~TForm() override;

  // Runs OnCreate; CreateForm calls it once the derived class is built.
  void AfterConstruction();
  // Runs OnDestroy at most once. A form class whose OnDestroy handler uses
  // its own members calls this first thing in its destructor, while those
  // members still exist.
  void DoDestroy();

  void SetClientSize(int width, int height);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  // Background colour of the client area.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // Without biSystemMenu the window has no close box.
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  // Whether the layout is scaled to the screen's pixels per inch; the widget
  // layer lays out in design pixels, so this is only recorded.
  bool Scaled() const { return scaled_; }
  void SetScaled(bool on) { scaled_ = on; }

  // The control that has (or, before showing, will get) the focus.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Moves the focus within the form: the control that had it gets OnExit,
  // then `control` gets OnEnter. With moveWidgetFocus the real widget gets
  // the keyboard focus too.
  void FocusControl(TWinControl* control, bool moveWidgetFocus = true);

  TModalResult ModalResult() const { return modalResult_; }
  // Setting a result other than mrNone on a modal form asks it to close.
  void SetModalResult(TModalResult result);
  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  void Show();
  void Hide();
  // Closes as the window's close box does: a modal form ends with mrCancel
  // unless a result is set, when OnCloseQuery allows it.
  void Close();
  // Asks OnCloseQuery; true when the form may close.
  bool CloseQuery();

  // Keys a person presses on the form: Enter clicks the default button,
  // Escape the cancel button (or closes the form when there is none).
  void PressEnter();
  void PressEscape();
  TButton* DefaultButton() const;
  TButton* CancelButton() const;

  // Rebuilds the keyboard focus chain from the tab orders of all controls.
  void UpdateTabChain();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TCloseQueryEvent OnCloseQuery;

  // Called by a control that is being freed.
  void ControlDestroyed(TWinControl* control);
  void SetVisible(bool visible) override;
  bool FocusOnClick() const override { return false; }

 protected:
  void CaptionChanged() override;

 private:
  friend class TFormWindow;
  TModalResult RunAutomated();
  TModalResult RunInteractive();
  void PlaceOnScreen();
  void ApplyBorderStyle();
  void CheckModalClose();
  void WindowCloseRequested();
  void FocusFirst();

  TFormWindow* window_ = nullptr;  // owned through TControl's peer
  TFont font_;
  TWinControl* activeControl_ = nullptr;
  TModalResult modalResult_ = mrNone;
  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  TPosition position_ = TPosition::poDesigned;
  TColor color_ = clBtnFace;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  bool scaled_ = true;
  bool modal_ = false;
  bool interactive_ = false;
  bool created_ = false;
  bool destroyed_ = false;
};

// Creates a form of class T owned by `owner` and runs its OnCreate. When
// OnCreate raises, the form is freed and the error propagates.
template <class T>
T* CreateForm(rtl::TComponent* owner) {
  std::unique_ptr<T> form(new T(owner));
  form->AfterConstruction();
  return form.release();
}

}  // namespace vcl
