#pragma once
// Extra controls: panel, radio group, image, bevel.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rtl/text/Strings.h"
#include "vcl/Controls.h"

namespace vcl {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
  RTL_CLASS(TPanel)
 public:
  explicit TPanel(rtl::TComponent* owner);
  bool FocusOnClick() const override { return false; }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut cut);

 protected:
  void CaptionChanged() override;

 private:
  TBevelCut bevelOuter_ = TBevelCut::bvRaised;
};

class TRadioGroup : public TWinControl {
  RTL_CLASS(TRadioGroup)
 public:
  explicit TRadioGroup(rtl::TComponent* owner);
  ~TRadioGroup() override;

  rtl::TStrings* Items() const { return items_.get(); }
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  int ItemIndex() const { return itemIndex_; }
  // Chooses an item without firing OnClick; -1 chooses none.
  void SetItemIndex(int index);
  // A person chooses item `index`: the group takes the focus, the item is
  // chosen, then OnClick.
  void Choose(int index);
  void SetBounds(int left, int top, int width, int height) override;

  // Rebuilds the buttons from Items (the items list calls it).
  void ItemsChanged();

 protected:
  void CaptionChanged() override;

 private:
  void ArrangeButtons();
  std::unique_ptr<rtl::TStrings> items_;
  int columns_ = 1;
  int itemIndex_ = -1;
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TControl {
  RTL_CLASS(TBevel)
 public:
  explicit TBevel(rtl::TComponent* owner);
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle style);

 private:
  void Apply();
  TBevelShape shape_ = TBevelShape::bsBox;
  TBevelStyle style_ = TBevelStyle::bsLowered;
};

class TImage : public TControl {
  RTL_CLASS(TImage)
 public:
  explicit TImage(rtl::TComponent* owner);
  // Loads a picture (PNG, BMP, JPEG, ...) from a file or from bytes;
  // raises EInOutError naming the file or "picture data" when it cannot.
  void LoadFromFile(const std::string& fileName);
  void LoadFromData(const std::string& bytes);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  bool Center() const { return center_; }
  void SetCenter(bool on);
  // With AutoSize the image takes the size of its picture.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  bool Empty() const;
  int PictureWidth() const;
  int PictureHeight() const;

  std::function<void(rtl::TObject* sender)> OnMouseDown;
  // A person presses the mouse button on the image.
  void MouseDown();

 private:
  void Apply();
  bool stretch_ = false;
  bool center_ = false;
  bool autoSize_ = false;
};

}  // namespace vcl
