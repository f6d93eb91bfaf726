#pragma once
// Palette bitmaps drawn as text: 24 lines of 24 characters, one character per
// pixel naming a colour of the standard 16-colour palette. Used by the
// resource compiler; see docs/RESOURCES.md for the letters.
#include <string>

namespace dvrc {

constexpr int ArtSize = 24;

// The device-independent bitmap (BITMAPINFOHEADER, 16-entry colour table,
// 4-bit rows bottom-up) of the art. Raises std::runtime_error naming
// `source`, the line and the column of a bad character or a bad size.
std::string ArtToBitmap(const std::string& art, const std::string& source);

}  // namespace dvrc
