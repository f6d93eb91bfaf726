#include <QFrame>

#include "rtl/objects/ClassBuilder.h"
#include "vcl/ExtCtrls.h"

namespace vcl {

const rtl::TClass& TBevel::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TBevel>("TBevel", &TControl::StaticClass()).Creatable().Build();
  return cls;
}

TBevel::TBevel(rtl::TComponent* owner) : TControl(owner), frame_(new QFrame) {
  SetWidget(frame_);
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
  int shadow = style_ == TBevelStyle::bsLowered ? QFrame::Sunken : QFrame::Raised;
  switch (shape_) {
    case TBevelShape::bsBox:
    case TBevelShape::bsFrame:
      frame_->setFrameStyle(QFrame::Box | shadow);
      break;
    case TBevelShape::bsTopLine:
    case TBevelShape::bsBottomLine:
      frame_->setFrameStyle(QFrame::HLine | shadow);
      break;
    case TBevelShape::bsLeftLine:
    case TBevelShape::bsRightLine:
      frame_->setFrameStyle(QFrame::VLine | shadow);
      break;
    case TBevelShape::bsSpacer:
      frame_->setFrameStyle(QFrame::NoFrame);
      break;
  }
}

}  // namespace vcl
