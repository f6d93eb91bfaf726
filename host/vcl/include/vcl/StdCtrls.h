#pragma once
// Standard controls: label, button, check box, group box, combo box, list
// box and memo. Programmatic setters change state silently; the methods
// named after a person's act (Click, TypeText, Choose, ClickItem) move the
// focus first and fire the events a person's act fires.
#include <memory>
#include <string>

#include "rtl/text/Strings.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"

namespace vcl {

class TLabel : public TControl {
  RTL_CLASS(TLabel)
 public:
  explicit TLabel(rtl::TComponent* owner);
  // The control that the label's accelerator ("&") focuses.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);
  // The accelerator a person presses: focuses FocusControl.
  void Accelerate();
  // The label's own font; until it is changed the label shows its form's.
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  // A person presses a mouse button on the label (x, y in the label):
  // OnMouseDown. Real presses on the widget arrive here too.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  TMouseEvent OnMouseDown;

 protected:
  void CaptionChanged() override;
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  void ApplyFont();
  TWinControl* focusControl_ = nullptr;
  TFont font_;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TButton : public TWinControl {
  RTL_CLASS(TButton)
 public:
  explicit TButton(rtl::TComponent* owner);
  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }

 protected:
  void CaptionChanged() override;
  void DoClick() override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};

class TCheckBox : public TWinControl {
  RTL_CLASS(TCheckBox)
 public:
  explicit TCheckBox(rtl::TComponent* owner);
  bool Checked() const;
  void SetChecked(bool checked);

 protected:
  void CaptionChanged() override;
  void DoClick() override;  // a person's click toggles, then OnClick
};

class TGroupBox : public TWinControl {
  RTL_CLASS(TGroupBox)
 public:
  explicit TGroupBox(rtl::TComponent* owner);
  bool FocusOnClick() const override { return false; }

 protected:
  void CaptionChanged() override;
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TWinControl {
  RTL_CLASS(TComboBox)
 public:
  explicit TComboBox(rtl::TComponent* owner);
  ~TComboBox() override;

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  rtl::TStrings* Items() const { return items_.get(); }
  std::string Text() const;
  void SetText(const std::string& text);
  int ItemIndex() const;
  void SetItemIndex(int index);

  // A person types `text` over the whole edit text: focus, text, OnChange.
  void TypeText(const std::string& text);
  // A person picks item `index` from the drop-down list: focus, item,
  // OnChange.
  void Choose(int index);

  TNotifyEvent OnChange;

 private:
  void Change();
  std::unique_ptr<rtl::TStrings> items_;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
};

class TListBox : public TWinControl {
  RTL_CLASS(TListBox)
 public:
  explicit TListBox(rtl::TComponent* owner);
  ~TListBox() override;

  rtl::TStrings* Items() const { return items_.get(); }
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool on);
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  // Sets the selection state of every item at once.
  void SetAllSelected(bool selected);
  int SelCount() const;
  // The selected items' indexes in ascending order, read from the
  // selection's ranges rather than item by item.
  std::vector<int> SelectedIndexes() const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  TCanvas* Canvas() { return &canvas_; }
  // The width, in pixels, that the items can be scrolled across
  // (LB_SETHORIZONTALEXTENT); 0 means no horizontal scrolling.
  int HorizontalExtent() const { return horizontalExtent_; }

  // A person clicks item `index`: focus, then the selection changes as a
  // click does (alone, or toggled with Ctrl in a multi-selection list).
  void ClickItem(int index, bool ctrl = false);

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplyItemSize();
  std::unique_ptr<rtl::TStrings> items_;
  TCanvas canvas_;
  bool multiSelect_ = false;
  int itemHeight_ = 13;
  int horizontalExtent_ = 0;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TWinControl {
  RTL_CLASS(TMemo)
 public:
  explicit TMemo(rtl::TComponent* owner);
  ~TMemo() override;

  // One entry per line shown. An entry holding line breaks shows as several
  // lines and reads back as several entries.
  rtl::TStrings* Lines() const { return lines_.get(); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);

  // A person types `text` at the cursor (after focusing the memo).
  void TypeText(const std::string& text);
  // A person selects the whole text (Ctrl+A), so typing replaces it.
  void SelectAll();

 private:
  std::unique_ptr<rtl::TStrings> lines_;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
};

// A one-line text box.
class TEdit : public TWinControl {
  RTL_CLASS(TEdit)
 public:
  explicit TEdit(rtl::TComponent* owner);
  std::string Text() const;
  void SetText(const std::string& text);
  bool ReadOnly() const;
  void SetReadOnly(bool on);

  // A person types `text` over the whole text: focus, text, OnChange.
  void TypeText(const std::string& text);

  TNotifyEvent OnChange;
};

}  // namespace vcl
