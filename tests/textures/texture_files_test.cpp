// The generator's file encoding: bytes clamped and rounded, and the BMP
// header fields that the program's reader skips but other viewers need.
// (Pixels and layout are read back by the program's readers in
// texture_readers_test.cpp.)
#include <gtest/gtest.h>

#include "tools/texgen/texture_files.h"

namespace {

TEST(TextureFiles, BytesAreClampedAndRoundedAndTheBmpHeaderIsComplete) {
  EXPECT_EQ(toRgbBytes(ColorImage(1, 1, {1.2f, -0.1f, 0.5f})), (std::vector<uint8_t>{255, 0, 128}));
  const std::vector<uint8_t> bmp = encodeBmp(ColorImage(3, 2));
  auto field = [&](size_t at) { return bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16; };
  EXPECT_EQ(field(2), static_cast<int>(bmp.size()));
  EXPECT_EQ(field(14), 40) << "info header size";
  EXPECT_EQ(field(30), 0) << "no compression";
  EXPECT_EQ(field(34), 2 * 12) << "pixel bytes, rows padded to 12";
}

}  // namespace
