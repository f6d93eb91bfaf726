#include <QCheckBox>

#include "EventLoopGuard.h"
#include "TextFit.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

const rtl::TClass& TCheckBox::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TCheckBox>("TCheckBox", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked, false)
                                     .Build();
  return cls;
}

TCheckBox::TCheckBox(rtl::TComponent* owner) : TWinControl(owner) {
  auto* box = new QCheckBox;
  SetPeer(std::make_unique<TWidgetPeer>(box));
  // Qt has toggled the box already when a person clicked it.
  QObject::connect(box, &QCheckBox::clicked, box, [this] { Guarded([this] { TWinControl::DoClick(); }); });
}

bool TCheckBox::Checked() const { return WidgetAs<QCheckBox>(*this)->isChecked(); }

void TCheckBox::SetChecked(bool checked) { WidgetAs<QCheckBox>(*this)->setChecked(checked); }

void TCheckBox::CaptionChanged() {
  WidgetAs<QCheckBox>(*this)->setText(QString::fromStdString(Caption()));
  FitText(*qt::WidgetOf(*this));
}

void TCheckBox::DoClick() {
  SetChecked(!Checked());
  TWinControl::DoClick();
}

}  // namespace vcl
