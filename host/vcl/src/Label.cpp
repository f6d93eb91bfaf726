#include <QLabel>

#include "rtl/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

const rtl::TClass& TLabel::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TLabel>("TLabel", &TControl::StaticClass()).Creatable().Build();
  return cls;
}

TLabel::TLabel(rtl::TComponent* owner) : TControl(owner), label_(new QLabel) { SetWidget(label_); }

namespace {
// Without a control to focus, "&" marks nothing: "&&" is a literal "&" and a
// single "&" is dropped, as the platform draws such a caption.
QString WithoutAccelerator(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&', ++i;
      continue;
    }
    out += caption[i];
  }
  return QString::fromStdString(out);
}
}  // namespace

void TLabel::CaptionChanged() {
  if (focusControl_ != nullptr && focusControl_->Widget() != nullptr)
    label_->setText(QString::fromStdString(Caption()));
  else
    label_->setText(WithoutAccelerator(Caption()));
}

void TLabel::SetFocusControl(TWinControl* control) {
  if (focusControl_ != nullptr) focusControl_->RemoveFreeNotification(this);
  focusControl_ = control;
  if (control != nullptr) control->FreeNotification(this);
  label_->setBuddy(control != nullptr ? control->FocusTarget() : nullptr);
  CaptionChanged();
}

void TLabel::Accelerate() {
  if (focusControl_ != nullptr && focusControl_->CanFocus()) focusControl_->SetFocus();
}

void TLabel::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TControl::Notification(component, operation);
  if (operation == rtl::TOperation::opRemove && component == focusControl_) {
    focusControl_ = nullptr;
    label_->setBuddy(nullptr);
  }
}

}  // namespace vcl
