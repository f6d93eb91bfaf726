#include <QGroupBox>

#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

const rtl::TClass& TGroupBox::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TGroupBox>("TGroupBox", &TWinControl::StaticClass()).Creatable().Build();
  return cls;
}

TGroupBox::TGroupBox(rtl::TComponent* owner) : TWinControl(owner) {
  SetPeer(std::make_unique<TWidgetPeer>(new QGroupBox));
}

void TGroupBox::CaptionChanged() { WidgetAs<QGroupBox>(*this)->setTitle(QString::fromStdString(Caption())); }

}  // namespace vcl
