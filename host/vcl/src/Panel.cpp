#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/ExtCtrls.h"

namespace vcl {

namespace {
// A panel's frame and the label of its caption.
class TPanelPeer : public TWidgetPeer {
 public:
  TPanelPeer() : TWidgetPeer(new QFrame), caption(new QLabel(Widget())) {}
  QLabel* caption;
};
}  // namespace

const rtl::TClass& TPanel::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TPanel>("TPanel", &TWinControl::StaticClass()).Creatable().Build();
  return cls;
}

TPanel::TPanel(rtl::TComponent* owner) : TWinControl(owner) {
  auto peer = std::make_unique<TPanelPeer>();
  // The caption sits in the middle, behind the panel's own controls.
  auto* layout = new QVBoxLayout(peer->Widget());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(peer->caption, 0, Qt::AlignCenter);
  peer->caption->hide();
  SetPeer(std::move(peer));
  SetBevelOuter(TBevelCut::bvRaised);
}

void TPanel::SetBevelOuter(TBevelCut cut) {
  bevelOuter_ = cut;
  auto* frame = WidgetAs<QFrame>(*this);
  switch (cut) {
    case TBevelCut::bvNone:
    case TBevelCut::bvSpace:
      frame->setFrameStyle(QFrame::NoFrame);
      break;
    case TBevelCut::bvLowered:
      frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      break;
    case TBevelCut::bvRaised:
      frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
      break;
  }
}

void TPanel::CaptionChanged() {
  QLabel* caption = PeerAs<TPanelPeer>(*this).caption;
  caption->setText(QString::fromStdString(Caption()));
  caption->setVisible(!Caption().empty());
  caption->lower();
}

}  // namespace vcl
