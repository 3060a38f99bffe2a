// The icon: the area-averaging scale-down, the files cut from a shot, and the
// committed icons the package ships.
#include <gtest/gtest.h>

#include <utility>

#include "tests/support/temp_folder.h"
#include "tools/common/png_image.h"
#include "tools/frames/icon.h"

namespace {

// An image whose red runs through reds row by row, green 0, blue 7.
RgbImage image(int width, int height, const std::vector<uint8_t>& reds = {}) {
  RgbImage result;
  result.width = width;
  result.height = height;
  for (int i = 0; i < width * height; ++i) {
    result.pixels.insert(result.pixels.end(), {reds.empty() ? uint8_t(0) : reds[i], 0, 7});
  }
  return result;
}

std::vector<uint8_t> reds(const RgbImage& picture) {
  std::vector<uint8_t> result;
  for (size_t i = 0; i < picture.pixels.size(); i += 3) {
    result.push_back(picture.pixels[i]);
    EXPECT_TRUE(picture.pixels[i + 1] == 0 && picture.pixels[i + 2] == 7) << "the channels mix at " << i / 3;
  }
  return result;
}

TEST(Icon, ScaleDownAveragesTheAreaEachNewPixelCovers) {
  const struct {
    const char* what;
    RgbImage from;
    int width, height;
    std::vector<uint8_t> expected;  // reds; empty: refused
  } cases[] = {
      {"whole blocks become their means", image(4, 2, {0, 255, 0, 100, 255, 255, 0, 0}), 2, 1, {191, 25}},
      {"a pixel split between two counts half in each", image(3, 1, {0, 90, 180}), 2, 1, {30, 150}},
      {"the same down a column", image(1, 3, {0, 90, 180}), 1, 2, {30, 150}},
      {"the same size is a copy", image(2, 2, {1, 2, 3, 4}), 2, 2, {1, 2, 3, 4}},
      {"no growing", image(10, 10), 11, 5, {}},
      {"no vanishing", image(10, 10), 0, 5, {}},
  };
  for (const auto& c : cases) {
    const RgbImage scaled = scaleDown(c.from, c.width, c.height);
    EXPECT_EQ(reds(scaled), c.expected) << c.what;
    if (!c.expected.empty()) {
      EXPECT_EQ(std::make_pair(scaled.width, scaled.height), std::make_pair(c.width, c.height)) << c.what;
    }
  }
  // A shot's side to each icon's, far from whole blocks: an even colour stays even.
  for (const int side : iconSizes) {
    const RgbImage even = scaleDown(image(512, 512, std::vector<uint8_t>(512 * 512, 200)), side, side);
    EXPECT_EQ(reds(even), std::vector<uint8_t>(side * side, 200)) << side;
  }
}

// A shot dark outside the icon's square and bright inside it gives bright icons.
TEST(Icon, EverySizeIsWrittenFromTheCutOfTheShot) {
  TempFolder folder;
  RgbImage shot = image(1024, 768);
  for (int y = iconCut.y; y < iconCut.y + iconCut.size; ++y) {
    for (int x = iconCut.x; x < iconCut.x + iconCut.size; ++x) shot.pixel(x, y)[0] = 128;
  }
  ASSERT_TRUE(writeIcons(folder.path(), shot));
  for (const int side : iconSizes) {
    RgbImage icon;
    ASSERT_TRUE(readPng(folder.file(iconFileName(side)), icon)) << side;
    EXPECT_EQ(reds(icon), std::vector<uint8_t>(side * side, 128)) << side;
  }
  EXPECT_FALSE(writeIcons(folder.file("missing/folder"), shot));
  EXPECT_FALSE(writeIcons(folder.path(), image(500, 500))) << "the cut does not fit";
  EXPECT_FALSE(writeIcons(folder.path(), image(iconCut.x + iconCut.size - 1, 768))) << "one column short";
}

TEST(Icon, TheCommittedIconsHaveTheirSizesAndShowTheFireball) {
  for (const int side : iconSizes) {
    RgbImage icon;
    ASSERT_TRUE(readPng(std::string(KESH_SOURCE_DIR "/packaging/icons/") + iconFileName(side), icon)) << side;
    EXPECT_EQ(std::make_pair(icon.width, icon.height), std::make_pair(side, side));
    const uint8_t* middle = icon.pixel(side / 2, side * 55 / 100);  // the yellow fireball
    EXPECT_TRUE(middle[0] > 200 && middle[1] > 180 && middle[2] < 100) << side;
  }
}

}  // namespace
