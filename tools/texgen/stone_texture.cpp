#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int stoneSide = 256;
constexpr uint32_t grainSeed = 11, speckSeed = 12, crackSeed = 13, mottleSeed = 14;
constexpr Color stoneGrey = {0.56f, 0.55f, 0.52f};
constexpr Color darkMineral = {0.24f, 0.24f, 0.25f};
constexpr Color paleMineral = {0.80f, 0.79f, 0.76f};

}  // namespace

// Fine-grained grey stone: a mottled base, dark and pale mineral specks and a
// few faint hairline cracks, lit as a chiselled surface.
ColorImage paintStone() {
  ColorImage image(stoneSide, stoneSide);
  FloatField height(stoneSide, stoneSide);
  fillField(height, [](float u, float v) {
    const CellSample cell = cellularNoise(u, v, 4, crackSeed);
    const float seen = smoothStep(0.05f, 0.45f, fractalNoise(u, v, 3, 3, 3, crackSeed + 1));
    const float crack = (1 - smoothStep(0.0f, 0.025f, cell.secondNearest - cell.nearest)) * seen;
    const float grain = 0.45f * fractalNoise(u, v, 8, 8, 4, grainSeed) +
                        0.2f * fractalNoise(u, v, 48, 48, 2, grainSeed + 1);
    return grain - 0.4f * crack;
  });
  fillImage(image, [&](float u, float v) {
    const float mottle = fractalNoise(u, v, 3, 3, 4, mottleSeed);
    Color c = stoneGrey * (1 + 0.16f * mottle);
    const float speck = gradientNoise(u, v, 96, 96, speckSeed);
    c = mix(c, darkMineral, smoothStep(0.45f, 0.7f, speck) * 0.7f);
    c = mix(c, paleMineral, smoothStep(0.5f, 0.75f, -speck) * 0.5f);
    return c;
  });
  for (int y = 0; y < stoneSide; ++y) {
    for (int x = 0; x < stoneSide; ++x) {
      image.at(x, y) = image.at(x, y) * (1 + 0.25f * std::fmin(0.0f, height.at(x, y)));
    }
  }
  applyRelief(image, height, 4.0f);
  return image;
}
