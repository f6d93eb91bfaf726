#include <QFrame>

#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/ExtCtrls.h"

namespace vcl {

const rtl::TClass& TBevel::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TBevel>("TBevel", &TControl::StaticClass()).Creatable().Build();
  return cls;
}

TBevel::TBevel(rtl::TComponent* owner) : TControl(owner) {
  SetPeer(std::make_unique<TWidgetPeer>(new QFrame));
  Apply();
}

void TBevel::SetShape(TBevelShape shape) {
  shape_ = shape;
  Apply();
}

void TBevel::SetStyle(TBevelStyle style) {
  style_ = style;
  Apply();
}

void TBevel::Apply() {
  QFrame* frame = WidgetAs<QFrame>(*this);
  int shadow = style_ == TBevelStyle::bsLowered ? QFrame::Sunken : QFrame::Raised;
  switch (shape_) {
    case TBevelShape::bsBox:
    case TBevelShape::bsFrame:
      frame->setFrameStyle(QFrame::Box | shadow);
      break;
    case TBevelShape::bsTopLine:
    case TBevelShape::bsBottomLine:
      frame->setFrameStyle(QFrame::HLine | shadow);
      break;
    case TBevelShape::bsLeftLine:
    case TBevelShape::bsRightLine:
      frame->setFrameStyle(QFrame::VLine | shadow);
      break;
    case TBevelShape::bsSpacer:
      frame->setFrameStyle(QFrame::NoFrame);
      break;
  }
}

}  // namespace vcl
