#include "vcl/Forms.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include "FormWindow.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

const rtl::TClass& TForm::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TForm>("TForm", &TWinControl::StaticClass()).Creatable().Build();
  return cls;
}

TForm::TForm(rtl::TComponent* owner) : TWinControl(owner) {
  window_ = new TFormWindow(this);
  SetPeer(std::make_unique<TWidgetPeer>(window_));
  font_.OnChange = [this] { window_->setFont(qt::ToQFont(font_)); };
  window_->setFont(qt::ToQFont(font_));
}

TForm::~TForm() {
  window_->ForgetForm();
  // The controls go before the window that holds their widgets.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  activeControl_ = nullptr;
}

void TForm::AfterConstruction() {
  if (created_) return;
  created_ = true;
  if (OnCreate) OnCreate(this);
}

void TForm::DoDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  if (OnDestroy) OnDestroy(this);
}

void TForm::CaptionChanged() { window_->setWindowTitle(QString::fromStdString(Caption())); }

void TForm::SetClientSize(int width, int height) {
  if (borderStyle_ == TFormBorderStyle::bsDialog || borderStyle_ == TFormBorderStyle::bsSingle ||
      borderStyle_ == TFormBorderStyle::bsToolWindow)
    window_->setFixedSize(width, height);
  else
    window_->resize(width, height);
  AlignControls();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  ApplyBorderStyle();
}

void TForm::SetColor(TColor color) {
  color_ = color;
  QPalette palette = window_->palette();
  palette.setColor(QPalette::Window, qt::ToQColor(color));
  window_->setPalette(palette);
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  borderIcons_ = icons;
  ApplyBorderStyle();
}

void TForm::ApplyBorderStyle() {
  Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint;
  if (borderIcons_ & biSystemMenu) flags |= Qt::WindowCloseButtonHint;
  bool fixed = true;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      flags = Qt::Dialog | Qt::FramelessWindowHint;
      break;
    case TFormBorderStyle::bsDialog:
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      flags |= Qt::MSWindowsFixedSizeDialogHint;
      break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
      flags |= Qt::WindowMinMaxButtonsHint;
      fixed = false;
      break;
  }
  window_->setWindowFlags(flags);
  if (fixed)
    window_->setFixedSize(window_->size());
  else
    window_->setMinimumSize(0, 0), window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void TForm::SetActiveControl(TWinControl* control) {
  if (window_->isVisible() && control != nullptr && control->CanFocus())
    FocusControl(control);
  else
    activeControl_ = control;
}

void TForm::FocusControl(TWinControl* control, bool moveWidgetFocus) {
  if (control != activeControl_) {
    // The control losing the focus hears of it first; when its OnExit
    // raises, the focus stays where it was.
    if (activeControl_ != nullptr) activeControl_->DoExit();
    activeControl_ = control;
    if (QWidget* target = moveWidgetFocus && control != nullptr ? qt::FocusWidgetOf(*control) : nullptr)
      target->setFocus(Qt::OtherFocusReason);
    if (control != nullptr) control->DoEnter();
  } else if (QWidget* target = moveWidgetFocus && control != nullptr ? qt::FocusWidgetOf(*control) : nullptr) {
    target->setFocus(Qt::OtherFocusReason);
  }
}

void TForm::FocusFirst() {
  TWinControl* first = activeControl_;
  if (first == nullptr || !first->CanFocus()) {
    first = nullptr;
    // The first control in tab order, depth first, that can take the focus.
    std::vector<const TWinControl*> stack{this};
    while (first == nullptr && !stack.empty()) {
      const TWinControl* parent = stack.back();
      stack.pop_back();
      const auto& tabs = parent->TabList();
      for (auto it = tabs.rbegin(); it != tabs.rend(); ++it) stack.push_back(*it);
      if (parent != this && parent->TabStop() && parent->CanFocus() && parent->FocusOnClick())
        first = const_cast<TWinControl*>(parent);
    }
  }
  activeControl_ = nullptr;
  if (first != nullptr) FocusControl(first);
}

void TForm::ControlDestroyed(TWinControl* control) {
  if (activeControl_ == control) activeControl_ = nullptr;
}

void TForm::SetVisible(bool visible) {
  if (visible)
    Show();
  else
    Hide();
}

void TForm::Show() {
  PlaceOnScreen();
  window_->show();
}

void TForm::Hide() { window_->hide(); }

void TForm::PlaceOnScreen() {
  if (position_ == TPosition::poDesigned || position_ == TPosition::poDefault) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect area = screen->availableGeometry();
  window_->move(area.center() - QPoint(window_->width() / 2, window_->height() / 2));
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() { WindowCloseRequested(); }

void TForm::WindowCloseRequested() {
  if (!modal_) {
    if (CloseQuery()) Hide();
    return;
  }
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  // An automated form is checked when the automation hands it back.
  if (interactive_) CheckModalClose();
}

TButton* FindButton(const TWinControl& parent, bool wantDefault) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (auto* button = dynamic_cast<TButton*>(c)) {
      if (wantDefault ? button->Default() : button->Cancel()) return button;
    } else if (auto* win = dynamic_cast<TWinControl*>(c)) {
      if (TButton* found = FindButton(*win, wantDefault)) return found;
    }
  }
  return nullptr;
}

TButton* TForm::DefaultButton() const { return FindButton(*this, true); }
TButton* TForm::CancelButton() const { return FindButton(*this, false); }

void TForm::PressEnter() {
  // Enter on a button presses that button; elsewhere the default button.
  if (auto* focused = dynamic_cast<TButton*>(activeControl_)) {
    focused->Click();
  } else if (TButton* button = DefaultButton()) {
    button->Click();
  }
}

void TForm::PressEscape() {
  if (TButton* button = CancelButton())
    button->Click();
  else
    Close();
}

namespace {
void CollectTabChain(const TWinControl& parent, std::vector<QWidget*>& chain) {
  for (TWinControl* c : parent.TabList()) {
    QWidget* target = qt::FocusWidgetOf(*c);
    if (c->TabStop() && target != nullptr) chain.push_back(target);
    CollectTabChain(*c, chain);
  }
}
}  // namespace

void TForm::UpdateTabChain() {
  std::vector<QWidget*> chain;
  CollectTabChain(*this, chain);
  for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace vcl
