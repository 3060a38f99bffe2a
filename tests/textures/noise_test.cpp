// The generator's building blocks: noise that tiles exactly, stays in range
// and depends on its seed; painting that wraps around the edges; relief
// lighting.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"

namespace {

using Noise2 = std::function<float(float, float)>;

constexpr float periodTolerance = 2e-4f;

// Sample points spread over one tile and a little beyond.
std::vector<std::pair<float, float>> samplePoints() {
  std::vector<std::pair<float, float>> points;
  for (int i = 0; i < 400; ++i) {
    points.push_back({std::fmod(i * 0.1377f, 1.0f), std::fmod(i * 0.0719f + 0.03f, 1.0f)});
  }
  return points;
}

void expectTiles(const Noise2& noise) {
  for (const auto& [u, v] : samplePoints()) {
    EXPECT_NEAR(noise(u, v), noise(u + 1, v), periodTolerance) << u << "," << v;
    EXPECT_NEAR(noise(u, v), noise(u, v - 1), periodTolerance) << u << "," << v;
  }
}

void expectRange(const Noise2& noise, float low, float high) {
  float least = high, most = low;
  for (const auto& [u, v] : samplePoints()) {
    least = std::fmin(least, noise(u, v));
    most = std::fmax(most, noise(u, v));
  }
  EXPECT_GE(least, low);
  EXPECT_LE(most, high);
  EXPECT_GT(most - least, 0.25f * (high - low)) << "hardly varies";
}

TEST(Noise, EveryKindTilesWithItsPeriod) {
  expectTiles([](float u, float v) { return gradientNoise(u, v, 1, 1, 5); });
  expectTiles([](float u, float v) { return gradientNoise(u, v, 3, 7, 5); });
  expectTiles([](float u, float v) { return fractalNoise(u, v, 5, 2, 4, 6); });
  expectTiles([](float u, float v) { return turbulence(u, v, 4, 4, 3, 7); });
  expectTiles([](float u, float v) { return ridgedNoise(u, v, 2, 9, 3, 8); });
  expectTiles([](float u, float v) { return cellularNoise(u, v, 5, 9).nearest; });
  expectTiles([](float u, float v) { return cellularNoise(u, v, 3, 9).secondNearest; });
}

TEST(Noise, StaysInItsRangeAndVaries) {
  expectRange([](float u, float v) { return gradientNoise(u, v, 6, 6, 1); }, -1.05f, 1.05f);
  expectRange([](float u, float v) { return fractalNoise(u, v, 4, 4, 5, 2); }, -1.05f, 1.05f);
  expectRange([](float u, float v) { return turbulence(u, v, 4, 4, 5, 3); }, 0, 1);
  expectRange([](float u, float v) { return ridgedNoise(u, v, 4, 4, 5, 4); }, 0, 1);
}

TEST(Noise, IsSmoothBetweenNearbyPoints) {
  for (const auto& [u, v] : samplePoints()) {
    EXPECT_NEAR(gradientNoise(u, v, 8, 8, 3), gradientNoise(u + 1e-3f, v, 8, 8, 3), 0.05f);
    EXPECT_NEAR(gradientNoise(u, v, 8, 8, 3), gradientNoise(u, v + 1e-3f, 8, 8, 3), 0.05f);
  }
}

TEST(Noise, DependsOnlyOnItsSeed) {
  int differing = 0;
  for (const auto& [u, v] : samplePoints()) {
    EXPECT_EQ(fractalNoise(u, v, 4, 4, 3, 77), fractalNoise(u, v, 4, 4, 3, 77));
    if (std::fabs(fractalNoise(u, v, 4, 4, 3, 77) - fractalNoise(u, v, 4, 4, 3, 78)) > 0.05f) {
      ++differing;
    }
  }
  EXPECT_GT(differing, 300);
  EXPECT_NE(hashCell(1, 2, 3), hashCell(2, 1, 3));
  EXPECT_NE(hashCell(1, 2, 3), hashCell(1, 2, 4));
}

TEST(Noise, CellularDistancesAreOrderedAndNameTheNearestCell) {
  for (const auto& [u, v] : samplePoints()) {
    const CellSample cell = cellularNoise(u, v, 6, 21);
    EXPECT_LE(cell.nearest, cell.secondNearest);
    EXPECT_NEAR(std::hypot(cell.toNearestU, cell.toNearestV), cell.nearest, 1e-4f);
    EXPECT_LT(cell.nearest, 1.5f);  // every cell holds a point
    EXPECT_EQ(cell.id, cellularNoise(u + 1, v, 6, 21).id);
  }
}

TEST(Painting, MarksWrapAroundTheEdges) {
  ColorImage image(16, 16);
  const Color red = {1, 0, 0};
  paintDisc(image, 0.5f, 0.5f, 2.0f, red, 1.0f);
  EXPECT_EQ(image.at(0, 0).r, 1.0f);
  EXPECT_GT(image.at(15, 15).r, 0.9f);
  EXPECT_GT(image.at(15, 0).r, 0.9f);
  EXPECT_GT(image.at(0, 15).r, 0.9f);
  EXPECT_EQ(image.at(8, 8).r, 0.0f);

  ColorImage stroked(16, 16);
  paintStroke(stroked, 12.5f, 8.5f, 19.5f, 8.5f, 1.0f, 1.0f, red, red, 1.0f);  // runs off the right
  EXPECT_GT(stroked.at(2, 8).r, 0.9f);
  EXPECT_EQ(stroked.at(6, 8).r, 0.0f);
  EXPECT_EQ(stroked.at(2, 2).r, 0.0f);
}

TEST(Painting, ReliefKeepsFlatAreasAndLightsSlopesFacingTheUpperLeft) {
  ColorImage flat(8, 8, {0.5f, 0.5f, 0.5f});
  applyRelief(flat, FloatField(8, 8, 3.0f), 5.0f);
  EXPECT_FLOAT_EQ(flat.at(4, 4).g, 0.5f);

  ColorImage lit(8, 8, {0.5f, 0.5f, 0.5f}), shaded(8, 8, {0.5f, 0.5f, 0.5f});
  FloatField risingRight(8, 8), fallingRight(8, 8);
  fillField(risingRight, [](float u, float) { return u; });
  fillField(fallingRight, [](float u, float) { return -u; });
  applyRelief(lit, risingRight, 4.0f);
  applyRelief(shaded, fallingRight, 4.0f);
  EXPECT_GT(lit.at(4, 4).g, 0.5f);
  EXPECT_LT(shaded.at(4, 4).g, 0.5f);
}

}  // namespace
