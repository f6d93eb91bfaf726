// The product logo of the About dialog, drawn here rather than stored: a
// blue gradient with the product name in white block letters.
#include <cstdint>
#include <string>

#include "DVAbout/AboutDlg.h"

namespace dv {

namespace {
constexpr int kWidth = 100;
constexpr int kHeight = 30;
constexpr int kScale = 2;
constexpr uint8_t kWhite = 255;

// 3 by 5 block letters, one row per entry, bit 2 the leftmost column.
struct TGlyph {
  char Letter;
  uint8_t Rows[5];
};
constexpr TGlyph kGlyphs[] = {
    {'D', {6, 5, 5, 5, 6}}, {'R', {6, 5, 6, 5, 5}}, {'A', {2, 5, 7, 5, 5}},
    {'L', {4, 4, 4, 4, 7}}, {'V', {5, 5, 5, 5, 2}}, {'O', {7, 5, 5, 5, 7}},
};

void PutLE(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Pixels top row first; each a palette index.
std::string DrawPixels() {
  std::string pixels(kWidth * kHeight, '\0');
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) pixels[y * kWidth + x] = static_cast<char>((x + y) * 127 / (kWidth + kHeight));
  const std::string name = "DRALVO";
  const int advance = 4 * kScale;
  int left = (kWidth - static_cast<int>(name.size()) * advance + kScale) / 2;
  const int top = (kHeight - 5 * kScale) / 2;
  for (char letter : name) {
    for (const TGlyph& glyph : kGlyphs) {
      if (glyph.Letter != letter) continue;
      for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 3; ++col) {
          if ((glyph.Rows[row] & (4 >> col)) == 0) continue;
          for (int dy = 0; dy < kScale; ++dy)
            for (int dx = 0; dx < kScale; ++dx)
              pixels[(top + row * kScale + dy) * kWidth + left + col * kScale + dx] = static_cast<char>(kWhite);
        }
    }
    left += advance;
  }
  return pixels;
}
}  // namespace

std::string AboutLogoBitmap() {
  constexpr uint32_t paletteSize = 256 * 4;
  constexpr uint32_t rowSize = (kWidth + 3) / 4 * 4;
  constexpr uint32_t imageSize = rowSize * kHeight;
  constexpr uint32_t offset = 14 + 40 + paletteSize;
  std::string bmp;
  bmp += "BM";
  PutLE(bmp, offset + imageSize, 4);
  PutLE(bmp, 0, 4);
  PutLE(bmp, offset, 4);
  PutLE(bmp, 40, 4);  // BITMAPINFOHEADER
  PutLE(bmp, kWidth, 4);
  PutLE(bmp, kHeight, 4);  // positive: bottom row first
  PutLE(bmp, 1, 2);
  PutLE(bmp, 8, 2);
  PutLE(bmp, 0, 4);  // BI_RGB, uncompressed
  PutLE(bmp, imageSize, 4);
  PutLE(bmp, 3780, 4);  // 96 pixels per inch
  PutLE(bmp, 3780, 4);
  PutLE(bmp, 256, 4);
  PutLE(bmp, 0, 4);
  // Entries 0-127: navy to light blue; then white.
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t blue = i < 128 ? 0x80 + i : 0xFF;
    uint32_t green = i < 128 ? i : 0xFF;
    uint32_t red = i < 128 ? i / 2 : 0xFF;
    PutLE(bmp, blue | (green << 8) | (red << 16), 4);
  }
  const std::string pixels = DrawPixels();
  for (int y = kHeight - 1; y >= 0; --y) {
    bmp.append(pixels, static_cast<size_t>(y * kWidth), kWidth);
    bmp.append(rowSize - kWidth, '\0');
  }
  return bmp;
}

}  // namespace dv
