#include <QFontMetrics>
#include <QGroupBox>
#include <QRadioButton>

#include "EventLoopGuard.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/ExtCtrls.h"

namespace vcl {

namespace {
// The items of a radio group; every change rebuilds the buttons (once per
// BeginUpdate/EndUpdate pair).
class TRadioGroupStrings : public rtl::TStrings {
 public:
  explicit TRadioGroupStrings(TRadioGroup* group) : group_(group) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override { return items_.at(Checked(index)); }
  void Put(int index, const std::string& s) override {
    items_[Checked(index)] = s;
    Changed();
  }
  void Insert(int index, const std::string& s) override {
    if (index < 0 || index > Count()) IndexError(index);
    items_.insert(items_.begin() + index, s);
    Changed();
  }
  void Delete(int index) override {
    items_.erase(items_.begin() + Checked(index));
    Changed();
  }
  void Clear() override {
    items_.clear();
    Changed();
  }

 protected:
  void SetUpdateState(bool updating) override {
    if (!updating) group_->ItemsChanged();
  }

 private:
  size_t Checked(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return static_cast<size_t>(index);
  }
  void Changed() {
    if (!Updating()) group_->ItemsChanged();
  }
  TRadioGroup* group_;
  std::vector<std::string> items_;
};

// A radio group's box and its buttons; the focus goes to the chosen button,
// else the first, else the box.
class TRadioGroupPeer : public TWidgetPeer {
 public:
  TRadioGroupPeer() : TWidgetPeer(new QGroupBox) {}
  QWidget* FocusTarget() const override {
    if (Widget() == nullptr) return nullptr;  // Qt deleted the box and its buttons
    for (QRadioButton* b : buttons)
      if (b->isChecked()) return b;
    return buttons.empty() ? Widget() : buttons.front();
  }
  std::vector<QRadioButton*> buttons;  // children of the box
};

std::vector<QRadioButton*>& ButtonsOf(const TRadioGroup& group) { return PeerAs<TRadioGroupPeer>(group).buttons; }
}  // namespace

const rtl::TClass& TRadioGroup::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TRadioGroup>("TRadioGroup", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Int("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns, 1)
                                     .Int("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex, -1)
                                     .Build();
  return cls;
}

TRadioGroup::TRadioGroup(rtl::TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TRadioGroupStrings>(this)) {
  SetPeer(std::make_unique<TRadioGroupPeer>());
}

TRadioGroup::~TRadioGroup() = default;

void TRadioGroup::CaptionChanged() { WidgetAs<QGroupBox>(*this)->setTitle(QString::fromStdString(Caption())); }

void TRadioGroup::SetColumns(int columns) {
  columns_ = std::max(1, columns);
  ArrangeButtons();
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  ArrangeButtons();
}

void TRadioGroup::ItemsChanged() {
  auto* box = WidgetAs<QGroupBox>(*this);
  std::vector<QRadioButton*>& buttons = ButtonsOf(*this);
  for (QRadioButton* b : buttons) delete b;
  buttons.clear();
  for (int i = 0; i < items_->Count(); ++i) {
    auto* button = new QRadioButton(QString::fromStdString(items_->Get(i)), box);
    QObject::connect(button, &QRadioButton::clicked, box, [this, i] {
      Guarded([this, i] {
        // Qt has moved the focus and checked the button already.
        if (i == itemIndex_) return;
        itemIndex_ = i;
        DoClick();
      });
    });
    button->show();
    buttons.push_back(button);
  }
  if (itemIndex_ >= static_cast<int>(buttons.size())) itemIndex_ = -1;
  SetItemIndex(itemIndex_);
  ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int index) {
  const std::vector<QRadioButton*>& buttons = ButtonsOf(*this);
  if (index < -1 || index >= static_cast<int>(buttons.size())) index = -1;
  itemIndex_ = index;
  for (size_t i = 0; i < buttons.size(); ++i) {
    QRadioButton* b = buttons[i];
    // Auto-exclusive buttons refuse to be unchecked one by one.
    b->setAutoExclusive(false);
    b->setChecked(static_cast<int>(i) == index);
    b->setAutoExclusive(true);
  }
}

void TRadioGroup::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(ButtonsOf(*this).size()))
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
  if (!CanFocus()) throw rtl::Exception("Cannot choose in " + Name() + ": it is disabled or hidden");
  // The focus moves first, as a person's click on the button moves it.
  SetFocus();
  if (index == itemIndex_) return;
  SetItemIndex(index);
  if (QWidget* target = qt::FocusWidgetOf(*this)) target->setFocus(Qt::OtherFocusReason);
  DoClick();
}

void TRadioGroup::ArrangeButtons() {
  const std::vector<QRadioButton*>& buttons = ButtonsOf(*this);
  if (buttons.empty()) return;
  // The platform's arrangement: equal columns, rows spread over the height
  // below the caption.
  int count = static_cast<int>(buttons.size());
  int perColumn = (count + columns_ - 1) / columns_;
  int textHeight = QFontMetrics(WidgetAs<QGroupBox>(*this)->font()).height();
  int buttonWidth = (Width() - 10) / columns_;
  int space = Height() - textHeight - 5;
  int buttonHeight = std::max(1, space / perColumn);
  int topMargin = textHeight + 1 + (space % perColumn) / 2;
  for (int i = 0; i < count; ++i)
    buttons[static_cast<size_t>(i)]->setGeometry((i / perColumn) * buttonWidth + 8,
                                                  (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                                                  buttonHeight);
}

}  // namespace vcl
