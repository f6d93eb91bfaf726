#include <QSignalBlocker>
#include <QTabWidget>
#include <algorithm>

#include "EventLoopGuard.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/ComCtrls.h"

namespace vcl {

namespace {
QTabWidget* Tabs(const TPageControl& pages) { return WidgetAs<QTabWidget>(pages); }
}  // namespace

const rtl::TClass& TPageControl::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TPageControl>("TPageControl", &TWinControl::StaticClass()).Creatable().Build();
  return cls;
}

TPageControl::TPageControl(rtl::TComponent* owner) : TWinControl(owner) {
  auto* tabs = new QTabWidget;
  SetPeer(std::make_unique<TWidgetPeer>(tabs));
  // A person's click on a tab; programmatic changes block this signal.
  QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this](int) {
    Guarded([this] {
      if (OnChange) OnChange(this);
    });
  });
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount())
    throw rtl::EListError("Page index out of bounds (" + std::to_string(index) + ")");
  return pages_[static_cast<size_t>(index)];
}

TTabSheet* TPageControl::ActivePage() const {
  int index = Tabs(*this)->currentIndex();
  return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  QSignalBlocker block(Tabs(*this));
  Tabs(*this)->setCurrentIndex(static_cast<int>(it - pages_.begin()));
}

void TPageControl::ChoosePage(TTabSheet* page) {
  if (std::find(pages_.begin(), pages_.end(), page) == pages_.end())
    throw rtl::Exception("The page is not one of " + Name());
  if (!CanFocus()) throw rtl::Exception("Cannot choose a page of " + Name() + ": it is disabled or hidden");
  SetFocus();
  if (page == ActivePage()) return;
  SetActivePage(page);
  if (OnChange) OnChange(this);
}

void TPageControl::InsertControl(TControl* control) {
  TWinControl::InsertControl(control);
  if (auto* page = dynamic_cast<TTabSheet*>(control)) {
    QTabWidget* tabs = Tabs(*this);
    QSignalBlocker block(tabs);
    pages_.push_back(page);
    tabs->addTab(qt::WidgetOf(*page), QString::fromStdString(page->Caption()));
  }
}

void TPageControl::RemoveControl(TControl* control) {
  auto it = std::find(pages_.begin(), pages_.end(), control);
  if (it != pages_.end()) {
    QTabWidget* tabs = Tabs(*this);
    QSignalBlocker block(tabs);
    if (QWidget* page = qt::WidgetOf(*control)) tabs->removeTab(tabs->indexOf(page));
    pages_.erase(it);
  }
  TWinControl::RemoveControl(control);
}

const rtl::TClass& TTabSheet::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TTabSheet>("TTabSheet", &TWinControl::StaticClass()).Creatable().Build();
  return cls;
}

TTabSheet::TTabSheet(rtl::TComponent* owner) : TWinControl(owner) { SetPeer(std::make_unique<TWidgetPeer>(new QWidget)); }

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

int TTabSheet::PageIndex() const {
  TPageControl* pc = PageControl();
  if (pc == nullptr) return -1;
  auto it = std::find(pc->pages_.begin(), pc->pages_.end(), this);
  return it == pc->pages_.end() ? -1 : static_cast<int>(it - pc->pages_.begin());
}

void TTabSheet::CaptionChanged() {
  TPageControl* pc = PageControl();
  int index = PageIndex();
  if (pc != nullptr && index >= 0) Tabs(*pc)->setTabText(index, QString::fromStdString(Caption()));
}

bool TTabSheet::ShownInParent() const {
  TPageControl* pc = PageControl();
  return Visible() && (pc == nullptr || pc->ActivePage() == this);
}

}  // namespace vcl
