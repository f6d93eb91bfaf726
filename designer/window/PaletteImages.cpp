#include "window/PaletteImages.h"

#include <QPainter>

#include "model/PackageResources.h"

namespace designer {

void TPaletteImages::Load() {
  images_.clear();
  for (const TPaletteBitmap& bitmap : PaletteBitmapFiles()) {
    if (bitmap.File.empty()) continue;
    QPixmap image;
    if (image.loadFromData(reinterpret_cast<const uchar*>(bitmap.File.data()), static_cast<uint>(bitmap.File.size()),
                           "BMP"))
      images_[bitmap.Class] = image;
  }
  plain_ = QPixmap(Size, Size);
  plain_.fill(Qt::white);
  QPainter painter(&plain_);
  painter.drawRect(0, 0, Size - 1, Size - 1);
}

const QPixmap& TPaletteImages::ImageOf(const rtl::TClass& cls) const {
  for (const rtl::TClass* c = &cls; c != nullptr; c = c->ClassParent()) {
    auto it = images_.find(c);
    if (it != images_.end()) return it->second;
  }
  return plain_;
}

}  // namespace designer
