#include <QEvent>
#include <QLabel>
#include <QPixmap>

#include "EventLoopGuard.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/ExtCtrls.h"

namespace vcl {

namespace {
// Turns a person's mouse press on the image into OnMouseDown.
class TMousePressFilter : public QObject {
 public:
  TMousePressFilter(QObject* parent, TImage* image) : QObject(parent), image_(image) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) Guarded([this] { image_->MouseDown(); });
    return QObject::eventFilter(watched, event);
  }

 private:
  TImage* image_;
};
}  // namespace

const rtl::TClass& TImage::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TImage>("TImage", &TControl::StaticClass()).Creatable().Build();
  return cls;
}

TImage::TImage(rtl::TComponent* owner) : TControl(owner) {
  auto* label = new QLabel;
  SetPeer(std::make_unique<TWidgetPeer>(label));
  label->installEventFilter(new TMousePressFilter(label, this));
  Apply();
}

void TImage::LoadFromFile(const std::string& fileName) {
  QPixmap pixmap;
  if (!pixmap.load(QString::fromStdString(fileName)))
    throw rtl::EInOutError("Cannot load the picture " + fileName + ": not a readable image file");
  WidgetAs<QLabel>(*this)->setPixmap(pixmap);
  Apply();
}

void TImage::LoadFromData(const std::string& bytes) {
  QPixmap pixmap;
  if (!pixmap.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<uint>(bytes.size())))
    throw rtl::EInOutError("Cannot load the picture data: not a known image format");
  WidgetAs<QLabel>(*this)->setPixmap(pixmap);
  Apply();
}

void TImage::SetStretch(bool on) {
  stretch_ = on;
  Apply();
}

void TImage::SetAutoSize(bool on) {
  autoSize_ = on;
  Apply();
}

void TImage::SetCenter(bool on) {
  center_ = on;
  Apply();
}

bool TImage::Empty() const { return WidgetAs<QLabel>(*this)->pixmap().isNull(); }
int TImage::PictureWidth() const { return WidgetAs<QLabel>(*this)->pixmap().width(); }
int TImage::PictureHeight() const { return WidgetAs<QLabel>(*this)->pixmap().height(); }

void TImage::MouseDown() {
  if (OnMouseDown) OnMouseDown(this);
}

void TImage::Apply() {
  WidgetAs<QLabel>(*this)->setScaledContents(stretch_);
  WidgetAs<QLabel>(*this)->setAlignment(center_ ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignTop));
  if (autoSize_ && !Empty()) SetBounds(Left(), Top(), PictureWidth(), PictureHeight());
}

}  // namespace vcl
