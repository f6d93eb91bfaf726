#pragma once
// TPageControl and TTabSheet: pages of controls, one shown at a time.
#include <vector>

#include "vcl/Controls.h"

namespace vcl {

class TTabSheet;

class TPageControl : public TWinControl {
  RTL_CLASS(TPageControl)
 public:
  explicit TPageControl(rtl::TComponent* owner);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const;
  // Shows the page without moving the focus.
  void SetActivePage(TTabSheet* page);
  // A person clicks the tab of `page`.
  void ChoosePage(TTabSheet* page);

  TNotifyEvent OnChange;

 protected:
  void InsertControl(TControl* control) override;
  void RemoveControl(TControl* control) override;

 private:
  friend class TTabSheet;
  std::vector<TTabSheet*> pages_;
};

class TTabSheet : public TWinControl {
  RTL_CLASS(TTabSheet)
 public:
  explicit TTabSheet(rtl::TComponent* owner);
  TPageControl* PageControl() const;
  void SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }
  int PageIndex() const;
  bool FocusOnClick() const override { return false; }

 protected:
  void CaptionChanged() override;
  bool ShownInParent() const override;
};

}  // namespace vcl
