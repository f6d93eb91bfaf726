#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "rtl/objects/ClassBuilder.h"
#include "vcl/ExtCtrls.h"

namespace vcl {

const rtl::TClass& TPanel::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TPanel>("TPanel", &TWinControl::StaticClass()).Creatable().Build();
  return cls;
}

TPanel::TPanel(rtl::TComponent* owner) : TWinControl(owner), frame_(new QFrame), captionLabel_(new QLabel(frame_)) {
  SetWidget(frame_);
  // The caption sits in the middle, behind the panel's own controls.
  auto* layout = new QVBoxLayout(frame_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(captionLabel_, 0, Qt::AlignCenter);
  captionLabel_->hide();
  SetBevelOuter(TBevelCut::bvRaised);
}

void TPanel::SetBevelOuter(TBevelCut cut) {
  bevelOuter_ = cut;
  switch (cut) {
    case TBevelCut::bvNone:
    case TBevelCut::bvSpace:
      frame_->setFrameStyle(QFrame::NoFrame);
      break;
    case TBevelCut::bvLowered:
      frame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      break;
    case TBevelCut::bvRaised:
      frame_->setFrameStyle(QFrame::Panel | QFrame::Raised);
      break;
  }
}

void TPanel::CaptionChanged() {
  captionLabel_->setText(QString::fromStdString(Caption()));
  captionLabel_->setVisible(!Caption().empty());
  captionLabel_->lower();
}

}  // namespace vcl
