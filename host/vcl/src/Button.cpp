#include <QPushButton>

#include "EventLoopGuard.h"
#include "TextFit.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace vcl {

const rtl::TClass& TButton::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Bool("Default", &TButton::Default, &TButton::SetDefault, false)
                                     .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
                                     .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, 0)
                                     .Build();
  return cls;
}

TButton::TButton(rtl::TComponent* owner) : TWinControl(owner) {
  auto* button = new QPushButton;
  SetPeer(std::make_unique<TWidgetPeer>(button));
  // Enter is the form's business (default button), not Qt's auto-default.
  button->setAutoDefault(false);
  // Qt has moved the focus on the press already; only the reaction is left.
  QObject::connect(button, &QPushButton::clicked, button, [this] { Guarded([this] { DoClick(); }); });
}

void TButton::SetDefault(bool on) {
  default_ = on;
  WidgetAs<QPushButton>(*this)->setDefault(on);
}

void TButton::CaptionChanged() {
  WidgetAs<QPushButton>(*this)->setText(QString::fromStdString(Caption()));
  FitText(*qt::WidgetOf(*this));
}

void TButton::DoClick() {
  if (modalResult_ != mrNone)
    if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
  TWinControl::DoClick();
}

}  // namespace vcl
