// The icon: the square cut from a shot, the area-averaging scale-down, the
// files written, and the committed icons the install tree ships.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "tests/support/temp_folder.h"
#include "tools/common/png_image.h"
#include "tools/frames/icon.h"

namespace {

RgbImage filled(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
  RgbImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < image.pixels.size(); i += 3) {
    image.pixels[i] = r;
    image.pixels[i + 1] = g;
    image.pixels[i + 2] = b;
  }
  return image;
}

// Each pixel's red holds its x, green its y, blue 7.
RgbImage coordinates(int width, int height) {
  RgbImage image = filled(width, height, 0, 0, 7);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.pixel(x, y)[0] = static_cast<uint8_t>(x);
      image.pixel(x, y)[1] = static_cast<uint8_t>(y);
    }
  }
  return image;
}

double channelMean(const RgbImage& image, int channel) {
  double sum = 0.0;
  for (size_t i = channel; i < image.pixels.size(); i += 3) sum += image.pixels[i];
  return sum / (image.pixels.size() / 3);
}

TEST(IconCut, TakesTheSquareAtItsCornerAndRefusesOneThatDoesNotFit) {
  const RgbImage image = coordinates(40, 30);
  const RgbImage square = cutSquare(image, {12, 5, 20});
  ASSERT_EQ(square.width, 20);
  ASSERT_EQ(square.height, 20);
  EXPECT_EQ(square.pixel(0, 0)[0], 12);
  EXPECT_EQ(square.pixel(0, 0)[1], 5);
  EXPECT_EQ(square.pixel(19, 19)[0], 31);
  EXPECT_EQ(square.pixel(19, 19)[1], 24);
  EXPECT_EQ(square.pixel(3, 9)[2], 7);

  EXPECT_EQ(cutSquare(image, {21, 0, 20}).width, 0) << "one column too far right";
  EXPECT_EQ(cutSquare(image, {0, 11, 20}).width, 0) << "one row too low";
  EXPECT_EQ(cutSquare(image, {-1, 0, 20}).width, 0);
  EXPECT_EQ(cutSquare(image, {20, 10, 20}).width, 20) << "touching both far edges fits";
}

TEST(IconScale, WholeBlocksBecomeTheirMeans) {
  RgbImage image = filled(4, 2, 0, 0, 0);
  // Left block: 0, 255, 255, 255 in red; right block all green 100 but one 0.
  image.pixel(1, 0)[0] = 255;
  image.pixel(0, 1)[0] = 255;
  image.pixel(1, 1)[0] = 255;
  image.pixel(2, 0)[1] = 100;
  image.pixel(3, 0)[1] = 100;
  image.pixel(2, 1)[1] = 100;
  const RgbImage scaled = scaleDown(image, 2, 1);
  ASSERT_EQ(scaled.width, 2);
  ASSERT_EQ(scaled.height, 1);
  EXPECT_EQ(scaled.pixel(0, 0)[0], 191);  // 765 / 4 = 191.25
  EXPECT_EQ(scaled.pixel(0, 0)[1], 0);
  EXPECT_EQ(scaled.pixel(1, 0)[0], 0);
  EXPECT_EQ(scaled.pixel(1, 0)[1], 75);
}

TEST(IconScale, PartlyCoveredPixelsCountByTheirCoveredPart) {
  // Three pixels into two: each new pixel covers one and a half old ones.
  RgbImage row = filled(3, 1, 0, 0, 0);
  row.pixel(1, 0)[0] = 90;
  row.pixel(2, 0)[0] = 180;
  const RgbImage scaled = scaleDown(row, 2, 1);
  ASSERT_EQ(scaled.width, 2);
  EXPECT_EQ(scaled.pixel(0, 0)[0], 30);   // (0 + 90 / 2) / 1.5
  EXPECT_EQ(scaled.pixel(1, 0)[0], 150);  // (90 / 2 + 180) / 1.5

  // The same down a column.
  RgbImage column = filled(1, 3, 0, 0, 0);
  column.pixel(0, 1)[2] = 90;
  column.pixel(0, 2)[2] = 180;
  const RgbImage down = scaleDown(column, 1, 2);
  ASSERT_EQ(down.height, 2);
  EXPECT_EQ(down.pixel(0, 0)[2], 30);
  EXPECT_EQ(down.pixel(0, 1)[2], 150);
}

TEST(IconScale, KeepsAnEvenColourAndTheMeanOfAnyPicture) {
  const RgbImage even = scaleDown(filled(512, 512, 200, 17, 255), 48, 48);
  ASSERT_EQ(even.width, 48);
  for (size_t i = 0; i < even.pixels.size(); i += 3) {
    ASSERT_EQ(even.pixels[i], 200) << i;
    ASSERT_EQ(even.pixels[i + 1], 17) << i;
    ASSERT_EQ(even.pixels[i + 2], 255) << i;
  }

  std::mt19937 random(5);
  RgbImage noise = filled(512, 512, 0, 0, 0);
  for (uint8_t& value : noise.pixels) value = static_cast<uint8_t>(random() % 256);
  for (const int side : iconSizes) {
    const RgbImage scaled = scaleDown(noise, side, side);
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(channelMean(scaled, c), channelMean(noise, c), 0.5) << side << " channel " << c;
    }
  }
}

TEST(IconScale, KeepsWhereThingsAre) {
  // A bright spot in the top-left corner stays in the top-left corner.
  RgbImage image = filled(512, 512, 0, 0, 0);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) image.pixel(x, y)[0] = 255;
  }
  const RgbImage scaled = scaleDown(image, 48, 48);
  EXPECT_EQ(scaled.pixel(0, 0)[0], 255);
  EXPECT_EQ(scaled.pixel(5, 0)[0], 255);
  EXPECT_EQ(scaled.pixel(47, 0)[0], 0);
  EXPECT_EQ(scaled.pixel(0, 47)[0], 0);
  EXPECT_EQ(scaled.pixel(47, 47)[0], 0);
  // 64 of 512 is exactly 6 of 48: the seventh column is dark.
  EXPECT_EQ(scaled.pixel(6, 3)[0], 0);
}

TEST(IconScale, RefusesToGrowOrToVanish) {
  const RgbImage image = filled(10, 10, 1, 2, 3);
  EXPECT_EQ(scaleDown(image, 11, 5).width, 0);
  EXPECT_EQ(scaleDown(image, 5, 11).width, 0);
  EXPECT_EQ(scaleDown(image, 0, 5).width, 0);
  EXPECT_EQ(scaleDown(image, 10, 10).pixels, image.pixels) << "same size is a copy";
}

TEST(IconFiles, EverySizeIsWrittenFromTheCutOfTheShot) {
  TempFolder folder;
  // A shot that is dark outside the icon's square and grey inside it.
  RgbImage shot = filled(1024, 768, 0, 0, 0);
  for (int y = iconCut.y; y < iconCut.y + iconCut.size; ++y) {
    for (int x = iconCut.x; x < iconCut.x + iconCut.size; ++x) shot.pixel(x, y)[1] = 128;
  }
  ASSERT_TRUE(writeIcons(folder.path(), shot));
  for (const int side : iconSizes) {
    RgbImage icon;
    ASSERT_TRUE(readPng(folder.file(iconFileName(side)), icon)) << side;
    EXPECT_EQ(icon.width, side);
    EXPECT_EQ(icon.height, side);
    EXPECT_EQ(icon.pixel(0, 0)[1], 128) << "the corner lies inside the cut";
    EXPECT_EQ(icon.pixel(side - 1, side - 1)[1], 128);
  }
  EXPECT_FALSE(writeIcons(folder.file("missing/folder"), shot));
  EXPECT_FALSE(writeIcons(folder.path(), filled(500, 500, 0, 0, 0))) << "the cut does not fit";
}

TEST(IconFiles, TheCommittedIconsHaveTheirSizesAndShowTheFireball) {
  for (const int side : iconSizes) {
    RgbImage icon;
    ASSERT_TRUE(readPng(std::string(KESH_SOURCE_DIR "/packaging/icons/") + iconFileName(side), icon))
        << side;
    EXPECT_EQ(icon.width, side);
    EXPECT_EQ(icon.height, side);
    // The yellow fireball sits in the middle.
    const uint8_t* middle = icon.pixel(side / 2, side * 55 / 100);
    EXPECT_GT(middle[0], 200) << side;
    EXPECT_GT(middle[1], 180) << side;
    EXPECT_LT(middle[2], 100) << side;
  }
}

}  // namespace
