#pragma once
// The pictures of component classes: the packages' palette bitmaps, read
// once when the palette is built. A class without a bitmap of its own shows
// its nearest ancestor's, and failing that a plain frame.
#include <QPixmap>
#include <unordered_map>

#include "rtl/objects/TypeInfo.h"

namespace designer {

class TPaletteImages {
 public:
  static constexpr int Size = 24;

  // Reads the bitmaps of every class on the palette now.
  void Load();
  const QPixmap& ImageOf(const rtl::TClass& cls) const;
  bool HasOwnImage(const rtl::TClass& cls) const { return images_.count(&cls) != 0; }

 private:
  std::unordered_map<const rtl::TClass*, QPixmap> images_;
  QPixmap plain_;
};

}  // namespace designer
