// The palette-art converter of the resource compiler.
#include <gtest/gtest.h>

#include <stdexcept>

#include "PaletteArt.h"
#include "rtl/packages/Resources.h"

namespace {

std::string Art(char fill, int rows = 24, int columns = 24) {
  std::string art;
  for (int y = 0; y < rows; ++y) art += std::string(static_cast<size_t>(columns), fill) + "\n";
  return art;
}

TEST(PaletteArt, MakesA392ByteFourBitBitmapStoredBottomUp) {
  std::string art = Art('.');
  art[0] = 'W';             // top left pixel: white, palette index 15
  art[23 * 25 + 1] = 'k';   // bottom row, second pixel: black, index 0
  std::string bmp = dvrc::ArtToBitmap(art, "art");
  ASSERT_EQ(bmp.size(), 392u);
  rtl::TBitmapHeader h = rtl::DecodeBitmapHeader(bmp, "art");
  EXPECT_EQ(h.Width, 24);
  EXPECT_EQ(h.Height, 24);
  EXPECT_EQ(h.BitCount, 4);
  EXPECT_EQ(h.PaletteEntries(), 16u);
  const size_t pixels = 40 + 64;
  EXPECT_EQ(static_cast<unsigned char>(bmp[pixels]), 0x30) << "first stored row is the bottom one: olive, black";
  EXPECT_EQ(static_cast<unsigned char>(bmp[pixels + 23 * 12]), 0xF3) << "last stored row is the top one";
  // Olive (index 3) as blue, green, red, reserved.
  EXPECT_EQ(bmp.substr(40 + 3 * 4, 4), std::string("\x00\x80\x80\x00", 4));
}

TEST(PaletteArt, BadArtIsRefusedWithLineAndColumn) {
  struct TRow {
    const char* Name;
    std::string Art;
    const char* Where;
  };
  std::string badLetter = Art('.');
  badLetter[2 * 25 + 5] = 'x';
  const TRow rows[] = {{"too few lines", Art('.', 23), "art:23:1"},
                       {"short line", Art('.', 24, 23), "art:24:24"},
                       {"unknown letter", badLetter, "art:3:6"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    try {
      dvrc::ArtToBitmap(row.Art, "art");
      ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(row.Where), std::string::npos) << e.what();
    }
  }
}

}  // namespace
