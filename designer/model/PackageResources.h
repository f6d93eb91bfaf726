#pragma once
// What the designer reads from the files of the loaded packages: the
// palette bitmap of a component class, and each package's About entry.
// Resources are read from the package file (rtl/Resources.h), never from
// the package's code.
#include <string>
#include <vector>

#include "rtl/packages/Packages.h"
#include "rtl/objects/TypeInfo.h"

namespace designer {

// The palette bitmap of a class: the BITMAP resource named after the class
// in upper case, in the file of the package that put the class on the
// palette, as the bytes of a .bmp file (empty when the package has none).
struct TPaletteBitmap {
  const rtl::TClass* Class = nullptr;
  std::string File;
};
// One entry per class on the palette, each package file read once. A
// package file that cannot be read gives empty bitmaps.
std::vector<TPaletteBitmap> PaletteBitmapFiles();

// A design package's About entry. Its About verb is the component-editor
// verb captioned with the product name and version of the package's
// version resource ("Dralvo Library 6.5.3.0"), as its editors caption it.
struct TPackageAbout {
  rtl::HMODULE Package = nullptr;
  std::string Description;   // the package's description resource
  std::string VerbCaption;   // "<ProductName> <ProductVersion>"
  const rtl::TClass* ComponentClass = nullptr;  // the first palette class whose editor offers it
  int VerbIndex = -1;
};
// One entry per loaded package that offers an About verb, in load order.
std::vector<TPackageAbout> PackageAbouts();
// Runs the About verb on a component made for the purpose and freed after.
void RunPackageAbout(const TPackageAbout& about);

}  // namespace designer
