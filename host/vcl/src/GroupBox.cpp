#include <QGroupBox>

#include "rtl/objects/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

const rtl::TClass& TGroupBox::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TGroupBox>("TGroupBox", &TWinControl::StaticClass()).Creatable().Build();
  return cls;
}

TGroupBox::TGroupBox(rtl::TComponent* owner) : TWinControl(owner), box_(new QGroupBox) { SetWidget(box_); }

void TGroupBox::CaptionChanged() { box_->setTitle(QString::fromStdString(Caption())); }

}  // namespace vcl
