// The generated textures: the build's files are what the generator paints now, each row its own
// square picture at a size GL keeps, tiling without seams where it repeats, with the colour of
// what it shows; and the encoding's byte rounding and the BMP header fields other viewers need.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/texgen/noise.h"
#include "tools/texgen/texture_files.h"
#include "tools/texgen/texture_set.h"

namespace {
const ColorImage& painted(TextureKey key) {
  static std::vector<ColorImage> pictures(textureCount);
  ColorImage& picture = pictures[static_cast<size_t>(key)];
  if (picture.pixels.empty()) picture = textureRecipes()[static_cast<size_t>(key)].paint();
  return picture;
}

Color mean(const ColorImage& image) {
  Color sum;
  for (const Color& p : image.pixels) sum = sum + p;
  return sum * (1.0f / image.pixels.size());
}

// The mean brightness step across the wrap-around line of pixel pairs over the largest across
// any inside line, worse of the two directions: above 1, the edge stands out as a seam.
float seamRatio(const ColorImage& image) {
  auto step = [&](int x0, int y0, int x1, int y1) {
    return std::fabs(luminance(image.at(x0, y0)) - luminance(image.at(x1, y1)));
  };
  const int w = image.width, h = image.height;
  double worstX = 0, worstY = 0, acrossX = 0, acrossY = 0;
  for (int x = 0; x < w; ++x) {  // the line between column x and the next
    double sum = 0;
    for (int y = 0; y < h; ++y) sum += step(x, y, (x + 1) % w, y);
    (x + 1 < w ? worstX : acrossX) = std::max(x + 1 < w ? worstX : 0.0, sum / h);
  }
  for (int y = 0; y < h; ++y) {
    double sum = 0;
    for (int x = 0; x < w; ++x) sum += step(x, y, x, (y + 1) % h);
    (y + 1 < h ? worstY : acrossY) = std::max(y + 1 < h ? worstY : 0.0, sum / w);
  }
  return static_cast<float>(std::max(acrossX / worstX, acrossY / worstY));
}
constexpr float seamlessRatio = 1.25f;

bool lightGrey(Color m) { return std::fabs(m.r - m.b) < 0.06f && luminance(m) > 0.35f; }
bool metalGrey(Color m) { return std::fabs(m.r - m.b) < 0.08f && luminance(m) > 0.3f; }
bool green(Color m) { return m.g > 1.3f * m.r && m.g > 1.5f * m.b; }

const struct {  // what each texture shows, by its mean colour
  TextureKey key;
  const char* what;
  bool (*looks)(Color mean);
} looks[] = {
    {TextureKey::stone, "light grey", lightGrey},
    {TextureKey::grass, "green", green},
    {TextureKey::leaf, "green", green},
    {TextureKey::bark, "brown", [](Color m) { return m.r > m.g && m.g > m.b; }},
    {TextureKey::starfield, "dark", [](Color m) { return luminance(m) < 0.08f; }},
    {TextureKey::ocean, "blue", [](Color m) { return m.b > 2 * m.r; }},
    {TextureKey::marble2, "white", [](Color m) { return luminance(m) > 0.7f; }},
    {TextureKey::marble4, "dark green", [](Color m) { return luminance(m) < 0.35f && m.g > m.r; }},
    {TextureKey::floor, "dark blue", [](Color m) { return m.b > m.r && luminance(m) < 0.25f; }},
    {TextureKey::metal3, "grey metal", metalGrey},
    {TextureKey::metal1, "grey metal", metalGrey},
};

class GeneratedTexture : public testing::TestWithParam<int> {};

TEST_P(GeneratedTexture, IsWhatTheBuildWroteSquareSeamlessIfItRepeatsAndLooksItsPart) {
  const TextureRecipe& recipe = textureRecipes()[GetParam()];
  const TextureKey key = static_cast<TextureKey>(GetParam());
  std::ifstream in(std::string(KESH_TEXTURE_DIR) + "/" + recipe.file.fileName, std::ios::binary);
  const std::vector<uint8_t> onDisk{std::istreambuf_iterator<char>(in), {}};
  ASSERT_FALSE(onDisk.empty()) << "missing: build the kesh_textures target";
  const ColorImage& picture = painted(key);
  EXPECT_TRUE(onDisk == encodeTexture(recipe, picture));
  EXPECT_EQ(picture.width, picture.height);
  EXPECT_TRUE(picture.width == 256 || picture.width == 512) << picture.width;
  EXPECT_LT(recipe.file.repeats ? seamRatio(picture) : 0.0f, seamlessRatio);
  for (const auto& look : looks) {
    EXPECT_TRUE(look.key != key || look.looks(mean(picture))) << "should be " << look.what;
  }
  for (int other = 0; other < GetParam(); ++other) {
    EXPECT_NE(textureRecipes()[other].paint, recipe.paint) << "paints the same as row " << other;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryRow, GeneratedTexture, testing::Range(0, textureCount),
                         [](const testing::TestParamInfo<int>& row) {
                           std::string name = textureManifest[row.param].fileName;
                           return name.substr(0, name.find('.'));
                         });

TEST(SeamCheck, FlagsAPictureThatDoesNotTile) {
  ColorImage broken(128, 128);  // noise sampled over 0.9 of its period: a step at the edge
  fillImage(broken, [](float u, float v) {
    const float n = 0.5f + 0.5f * fractalNoise(0.9f * u, 0.9f * v, 4, 4, 4, 1);
    return Color{n, n, n};
  });
  EXPECT_GT(seamRatio(broken), 2 * seamlessRatio);
}

// The starfield texel still water shows from the program's views (t counts rows from the bottom),
// measured with a coordinate-grid texture through the frame tool; a drop's rings sample mostly
// within rippleReach texels of it.
constexpr float stillWaterS = 0.5f, stillWaterT = 0.933f;
constexpr int rippleReach = 40;

TEST(WaterTextures, StillWaterAndItsRipplesReflectAGlowOverADarkFloor) {
  const ColorImage& sky = painted(TextureKey::starfield);
  const int cx = static_cast<int>(stillWaterS * sky.width);
  const int cy = sky.height - 1 - static_cast<int>(stillWaterT * sky.height);  // painted rows run down
  const float still = luminance(sky.at(cx, cy));
  EXPECT_GT(still, 0.12f) << "still water shows a glow";
  EXPECT_LT(still, 0.35f) << "still water must not wash out the floor";
  double sum = 0, brightest = 0;  // rows past the top are never sampled
  int count = 0;
  for (int y = std::max(0, cy - rippleReach); y <= std::min(sky.height - 1, cy + rippleReach); ++y) {
    for (int x = cx - rippleReach; x <= cx + rippleReach; ++x, ++count) {
      sum += luminance(sky.at((x + sky.width) % sky.width, y));
    }
  }
  EXPECT_GT(sum / count, 0.15f) << "the rings of a drop sample light";
  for (const Color& p : sky.pixels) brightest = std::max<double>(brightest, luminance(p));
  EXPECT_GT(brightest, 0.9f) << "bright stars";
  const ColorImage& floor = painted(TextureKey::floor);
  EXPECT_LT(luminance(floor.at(0, floor.height - 1)), 0.6f * luminance(mean(floor)))
      << "the grout at the tile corners is darker";
}

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
