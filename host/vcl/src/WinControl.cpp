#include "vcl/Controls.h"

#include <algorithm>

#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/Forms.h"

namespace vcl {

HWND RegisterHandle(TWinControl* control);
void UnregisterHandle(HWND handle);

const rtl::TClass& TWinControl::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TWinControl>("TWinControl", &TControl::StaticClass())
                                     .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
                                     .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true)
                                     .Build();
  return cls;
}

TWinControl::TWinControl(rtl::TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  if (TForm* form = ParentForm()) form->ControlDestroyed(this);
  if (handle_ != nullptr) UnregisterHandle(handle_);
  // Children outlive us only as components; their widgets go with ours.
  for (TControl* child : controls_) child->parent_ = nullptr;
  controls_.clear();
  tabList_.clear();
}

namespace {
QWidget* ClientWidgetOf(const TWinControl& control) {
  return control.Peer() != nullptr ? control.Peer()->ClientWidget() : nullptr;
}
}  // namespace

int TWinControl::ClientWidth() const {
  QWidget* w = ClientWidgetOf(*this);
  return w != nullptr ? w->width() : 0;
}

int TWinControl::ClientHeight() const {
  QWidget* w = ClientWidgetOf(*this);
  return w != nullptr ? w->height() : 0;
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount())
    throw rtl::EListError("Control index out of bounds (" + std::to_string(index) + ")");
  return controls_[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* win = dynamic_cast<TWinControl*>(control)) tabList_.push_back(win);
  if (QWidget* w = qt::WidgetOf(*control)) {
    w->setParent(ClientWidgetOf(*this));
    w->setVisible(control->visible_);
  }
  if (control->align_ != TAlign::alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
  control->parent_ = nullptr;
  if (QWidget* w = qt::WidgetOf(*control)) w->setParent(nullptr);
}

int TWinControl::TabOrder() const {
  TWinControl* parent = Parent();
  if (parent == nullptr) return -1;
  auto& list = parent->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  TWinControl* parent = Parent();
  if (parent == nullptr) return;
  auto& list = parent->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() const { return qt::WidgetOf(*this) != nullptr && Showing() && EnabledChain(); }

void TWinControl::SetFocus() {
  if (!CanFocus())
    throw rtl::Exception("Cannot focus a disabled or invisible window" + (Name().empty() ? "" : " (" + Name() + ")"));
  if (TForm* form = ParentForm()) {
    form->FocusControl(this);
  } else if (QWidget* w = qt::WidgetOf(*this)) {
    w->setFocus(Qt::OtherFocusReason);
  }
}

bool TWinControl::Focused() const {
  TForm* form = ParentForm();
  return form != nullptr && form->ActiveControl() == this;
}

HWND TWinControl::Handle() {
  if (handle_ == nullptr) handle_ = RegisterHandle(this);
  return handle_;
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  (void)msg;
  (void)wParam;
  (void)lParam;
  return 0;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  AlignControls();
}

void TWinControl::AlignControls() {
  int left = 0, top = 0, right = ClientWidth(), bottom = ClientHeight();
  // The platform's order: top, bottom, left, right, then what fills the rest.
  for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    for (TControl* c : controls_) {
      if (c->Align() != pass || !c->Visible()) continue;
      switch (pass) {
        case TAlign::alTop:
          c->SetBounds(left, top, right - left, c->Height());
          top += c->Height();
          break;
        case TAlign::alBottom:
          c->SetBounds(left, bottom - c->Height(), right - left, c->Height());
          bottom -= c->Height();
          break;
        case TAlign::alLeft:
          c->SetBounds(left, top, c->Width(), bottom - top);
          left += c->Width();
          break;
        case TAlign::alRight:
          c->SetBounds(right - c->Width(), top, c->Width(), bottom - top);
          right -= c->Width();
          break;
        case TAlign::alClient:
          c->SetBounds(left, top, right - left, bottom - top);
          break;
        case TAlign::alNone:
          break;
      }
    }
  }
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

}  // namespace vcl
