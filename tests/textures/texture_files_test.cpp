// The generator's file encoders, checked against the program's own reader,
// and the contact sheets' lettering.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "assets/bitmap_file.h"
#include "tests/textures/bmp_maker.h"
#include "tools/texgen/pixel_font.h"
#include "tools/texgen/texture_files.h"
#include "tools/texgen/texture_set.h"

namespace {

uint32_t field32(const std::vector<uint8_t>& bytes, size_t offset) {
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

// A small picture whose every pixel is different: red by column, green by row.
ColorImage gradientPicture(int width, int height) {
  ColorImage image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.at(x, y) = {x / 10.0f, y / 10.0f, 0.5f};
  }
  return image;
}

TEST(EncodeBmp, WritesA54ByteHeaderAndPaddedBottomUpRows) {
  const std::vector<uint8_t> bytes = encodeBmp(gradientPicture(3, 2));
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(field32(bytes, 2), bytes.size());
  EXPECT_EQ(field32(bytes, 10), 54u);
  EXPECT_EQ(field32(bytes, 14), 40u);
  EXPECT_EQ(field32(bytes, 18), 3u);
  EXPECT_EQ(field32(bytes, 22), 2u);
  EXPECT_EQ(bytes[26] | bytes[27] << 8, 1);
  EXPECT_EQ(bytes[28] | bytes[29] << 8, 24);
  EXPECT_EQ(field32(bytes, 30), 0u);
  EXPECT_EQ(field32(bytes, 34), 24u);
  // First stored row is the picture's bottom row (y = 1): blue, green, red.
  EXPECT_EQ(bytes[54], 128);
  EXPECT_EQ(bytes[55], 26);  // 0.1 of 255, rounded
  EXPECT_EQ(bytes[56], 0);
  EXPECT_EQ(bytes[54 + 9], 0);  // padding
  EXPECT_EQ(bytes[54 + 11], 0);
}

TEST(EncodeBmp, IsReadBackByTheProgramsReaderBottomRowFirst) {
  for (int width : {3, 4, 5}) {
    SCOPED_TRACE(width);
    const ColorImage picture = gradientPicture(width, 3);
    TempFolder folder;
    BitmapImage image;
    testing::internal::CaptureStdout();
    const int result = readBitmap(folder.write("picture.bmp", encodeBmp(picture)).c_str(), image);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(result, 1);
    const std::vector<uint8_t> rows = toRgbBytes(picture);  // top row first
    const size_t rowBytes = width * 3;
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(std::memcmp(image.pixels.get() + row * rowBytes, &rows[(2 - row) * rowBytes],
                            rowBytes),
                0)
          << "row " << row;
    }
  }
}

TEST(EncodeRaw, WritesPackedRowsBottomRowFirst) {
  const std::vector<uint8_t> bytes = encodeRaw(gradientPicture(2, 2));
  const std::vector<uint8_t> expected = {0, 26, 128, 26, 26, 128, 0, 0, 128, 26, 0, 128};  // y = 1, then y = 0
  EXPECT_EQ(bytes, expected);
}

TEST(RgbBytes, ClampAndRoundEachChannel) {
  ColorImage image(1, 1, {1.2f, -0.1f, 0.5f});
  const std::vector<uint8_t> expected = {255, 0, 128};
  EXPECT_EQ(toRgbBytes(image), expected);
}

TEST(PixelFont, HasEveryCharacterOfTheTextureNames) {
  for (const TextureRecipe& recipe : textureRecipes()) {
    for (const char* c = recipe.file.fileName; *c; ++c) EXPECT_NE(glyphRows(*c), nullptr) << *c;
  }
  EXPECT_EQ(glyphRows('#'), nullptr);
  EXPECT_EQ(textWidth("ab", 2), (2 * glyphAdvance - 1) * 2);
}

}  // namespace
