// The generator's building blocks: noise that tiles exactly, stays in range
// and depends on its seed; painting that wraps around the edges; relief
// lighting; the byte conversion, the BMP header fields that the program's
// reader skips but other viewers need, and the contact sheets' lettering.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/pixel_font.h"
#include "tools/texgen/texture_files.h"
#include "tools/texgen/texture_set.h"

namespace {

// Sample points spread over one tile.
std::vector<std::pair<float, float>> samplePoints() {
  std::vector<std::pair<float, float>> points;
  for (int i = 0; i < 400; ++i) {
    points.push_back({std::fmod(i * 0.1377f, 1.0f), std::fmod(i * 0.0719f + 0.03f, 1.0f)});
  }
  return points;
}

TEST(Noise, EveryKindTilesWithItsPeriodStaysInItsRangeAndVaries) {
  const struct {
    const char* kind;
    std::function<float(float, float)> noise;
    float low, high;
  } kinds[] = {
      {"gradient", [](float u, float v) { return gradientNoise(u, v, 3, 7, 5); }, -1.05f, 1.05f},
      {"fractal", [](float u, float v) { return fractalNoise(u, v, 5, 2, 4, 6); }, -1.05f, 1.05f},
      {"turbulence", [](float u, float v) { return turbulence(u, v, 4, 4, 3, 7); }, 0, 1},
      {"ridged", [](float u, float v) { return ridgedNoise(u, v, 2, 9, 3, 8); }, 0, 1},
      {"cellular", [](float u, float v) { return cellularNoise(u, v, 5, 9).nearest; }, 0, 1.5f},
      {"cellular second", [](float u, float v) { return cellularNoise(u, v, 3, 9).secondNearest; },
       0, 2},
  };
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.kind);
    float least = k.high, most = k.low;
    for (const auto& [u, v] : samplePoints()) {
      const float here = k.noise(u, v);
      EXPECT_NEAR(here, k.noise(u + 1, v), 2e-4f) << u << "," << v;
      EXPECT_NEAR(here, k.noise(u, v - 1), 2e-4f) << u << "," << v;
      least = std::fmin(least, here);
      most = std::fmax(most, here);
    }
    EXPECT_GE(least, k.low);
    EXPECT_LE(most, k.high);
    EXPECT_GT(most - least, 0.2f * (k.high - k.low)) << "hardly varies";
  }
}

TEST(Noise, DependsOnItsSeed) {
  int differing = 0;
  for (const auto& [u, v] : samplePoints()) {
    differing += std::fabs(fractalNoise(u, v, 4, 4, 3, 77) - fractalNoise(u, v, 4, 4, 3, 78)) > 0.05f;
  }
  EXPECT_GT(differing, 300);
}

TEST(Painting, MarksWrapAroundTheEdgesAndReliefLightsSlopesFacingTheUpperLeft) {
  ColorImage image(16, 16);
  paintDisc(image, 0.5f, 0.5f, 2.0f, {1, 0, 0}, 1.0f);  // centred on a corner
  for (auto [x, y] : {std::pair{0, 0}, {15, 15}, {15, 0}, {0, 15}}) EXPECT_GT(image.at(x, y).r, 0.9f);
  EXPECT_EQ(image.at(8, 8).r, 0.0f);

  ColorImage lit(8, 8, {0.5f, 0.5f, 0.5f}), shaded = lit, flat = lit;
  FloatField risingRight(8, 8), fallingRight(8, 8);
  fillField(risingRight, [](float u, float) { return u; });
  fillField(fallingRight, [](float u, float) { return -u; });
  applyRelief(lit, risingRight, 4.0f);
  applyRelief(shaded, fallingRight, 4.0f);
  applyRelief(flat, FloatField(8, 8, 3.0f), 5.0f);
  EXPECT_GT(lit.at(4, 4).g, 0.5f);
  EXPECT_LT(shaded.at(4, 4).g, 0.5f);
  EXPECT_FLOAT_EQ(flat.at(4, 4).g, 0.5f);
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

TEST(PixelFont, HasEveryCharacterOfTheTextureNames) {
  for (const TextureRecipe& recipe : textureRecipes()) {
    for (const char* c = recipe.file.fileName; *c; ++c) EXPECT_NE(glyphRows(*c), nullptr) << *c;
  }
  EXPECT_EQ(glyphRows('#'), nullptr);
}

}  // namespace
