#include "PaletteArt.h"

#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace dvrc {

namespace {

struct TColour {
  char Letter;
  uint8_t R, G, B;
};

// The standard 16-colour palette, in palette order. "." is olive, the colour
// the palette treats as transparent (the lower left pixel's colour).
constexpr TColour kPalette[16] = {
    {'k', 0, 0, 0},       {'r', 128, 0, 0},   {'g', 0, 128, 0},   {'.', 128, 128, 0},
    {'n', 0, 0, 128},     {'p', 128, 0, 128}, {'t', 0, 128, 128}, {'s', 192, 192, 192},
    {'d', 128, 128, 128}, {'R', 255, 0, 0},   {'G', 0, 255, 0},   {'Y', 255, 255, 0},
    {'B', 0, 0, 255},     {'P', 255, 0, 255}, {'C', 0, 255, 255}, {'W', 255, 255, 255},
};

void PutU16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

int ColourIndex(char letter) {
  for (int i = 0; i < 16; ++i)
    if (kPalette[i].Letter == letter) return i;
  return -1;
}

[[noreturn]] void Fail(const std::string& source, size_t line, size_t column, const std::string& what) {
  throw std::runtime_error(source + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + what);
}

}  // namespace

std::string ArtToBitmap(const std::string& art, const std::string& source) {
  std::vector<std::string> rows;
  std::istringstream in(art);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rows.push_back(line);
  }
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  if (rows.size() != ArtSize) Fail(source, rows.size(), 1, "expected 24 lines of art");

  constexpr uint32_t rowBytes = ArtSize / 2;  // 12: already a multiple of 4
  std::string bmp;
  PutU32(bmp, 40);          // header size
  PutU32(bmp, ArtSize);     // width
  PutU32(bmp, ArtSize);     // height: positive, rows stored bottom-up
  PutU16(bmp, 1);           // planes
  PutU16(bmp, 4);           // bits per pixel
  PutU32(bmp, 0);           // BI_RGB
  PutU32(bmp, rowBytes * ArtSize);
  PutU32(bmp, 0);           // resolution, not used
  PutU32(bmp, 0);
  PutU32(bmp, 16);          // colours in the table
  PutU32(bmp, 0);           // all important
  for (const TColour& c : kPalette) {
    bmp.push_back(static_cast<char>(c.B));
    bmp.push_back(static_cast<char>(c.G));
    bmp.push_back(static_cast<char>(c.R));
    bmp.push_back('\0');
  }
  for (size_t y = ArtSize; y-- > 0;) {
    const std::string& row = rows[y];
    if (row.size() != ArtSize) Fail(source, y + 1, row.size() + 1, "expected 24 pixels on the line");
    for (size_t x = 0; x < ArtSize; x += 2) {
      int hi = ColourIndex(row[x]);
      int lo = ColourIndex(row[x + 1]);
      if (hi < 0) Fail(source, y + 1, x + 1, std::string("unknown colour letter '") + row[x] + "'");
      if (lo < 0) Fail(source, y + 1, x + 2, std::string("unknown colour letter '") + row[x + 1] + "'");
      bmp.push_back(static_cast<char>((hi << 4) | lo));
    }
  }
  return bmp;
}

}  // namespace dvrc
