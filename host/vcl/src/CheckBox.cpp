#include <QCheckBox>

#include "EventLoopGuard.h"
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

TCheckBox::TCheckBox(rtl::TComponent* owner) : TWinControl(owner), box_(new QCheckBox) {
  SetWidget(box_);
  // Qt has toggled the box already when a person clicked it.
  QObject::connect(box_, &QCheckBox::clicked, box_, [this] { Guarded([this] { TWinControl::DoClick(); }); });
}

bool TCheckBox::Checked() const { return box_->isChecked(); }

void TCheckBox::SetChecked(bool checked) { box_->setChecked(checked); }

void TCheckBox::CaptionChanged() { box_->setText(QString::fromStdString(Caption())); }

void TCheckBox::DoClick() {
  box_->setChecked(!box_->isChecked());
  TWinControl::DoClick();
}

}  // namespace vcl
