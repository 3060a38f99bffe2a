#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int metalSide = 256;
constexpr float twoPi = 6.28318531f;
constexpr uint32_t brushSeed = 91, sheenSeed = 92, scratchSeed = 93;
constexpr uint32_t wearSeed = 94, grimeSeed = 95;
constexpr Color steel = {0.60f, 0.62f, 0.66f};
constexpr Color darkSteel = {0.36f, 0.38f, 0.41f};
constexpr int diamondsPerSide = 8;
constexpr float diamondHalfLength = 0.40f;  // of a cell
constexpr float diamondHalfWidth = 0.12f;

// Height of the raised tread in one cell at (x, y), cell coordinates -0.5..0.5;
// cells alternate between the two diagonal directions.
float treadHeight(float x, float y, bool flipped) {
  const float a = (flipped ? x - y : x + y) * 0.70710678f;
  const float b = (flipped ? x + y : y - x) * 0.70710678f;
  const float r = (a * a) / (diamondHalfLength * diamondHalfLength) +
                  (b * b) / (diamondHalfWidth * diamondHalfWidth);
  return r < 1 ? std::sqrt(1 - r) : 0;
}

}  // namespace

// Brushed steel: fine horizontal grain over broad polished sheen bands.
ColorImage paintBrushedMetal() {
  ColorImage image(metalSide, metalSide);
  fillImage(image, [](float u, float v) {
    const float grain = fractalNoise(u, v, 2, 128, 3, brushSeed);
    const float fine = gradientNoise(u, v, 8, 256, scratchSeed);
    const float sheen =
        0.5f + 0.5f * std::sin(twoPi * 2 * v + 2.5f * fractalNoise(u, v, 1, 3, 3, sheenSeed));
    Color c = mix(darkSteel, steel, 0.8f + 0.2f * sheen);
    return c * (1 + 0.10f * grain + 0.05f * fine) + Color{0.06f, 0.06f, 0.06f} * (sheen * sheen * sheen);
  });
  return image;
}

// Diamond tread plate: raised lozenges in alternating diagonals on worn,
// slightly grimy steel, lit as relief.
ColorImage paintTreadPlate() {
  ColorImage image(metalSide, metalSide);
  FloatField height(metalSide, metalSide);
  fillField(height, [](float u, float v) {
    const float cx = u * diamondsPerSide, cy = v * diamondsPerSide;
    const int column = static_cast<int>(cx), row = static_cast<int>(cy);
    return treadHeight(cx - column - 0.5f, cy - row - 0.5f, ((column + row) & 1) != 0);
  });
  fillImage(image, [&](float u, float v) {
    const float wear = 0.5f + 0.5f * fractalNoise(u, v, 4, 4, 5, wearSeed);
    const float grime = smoothStep(0.2f, 0.7f, fractalNoise(u, v, 6, 6, 4, grimeSeed));
    const float brushed = fractalNoise(u, v, 4, 96, 2, brushSeed + 7);
    const float h = height.at(static_cast<int>(u * metalSide), static_cast<int>(v * metalSide));
    Color c = mix(darkSteel, steel, wear) * (1 + 0.06f * brushed);
    c = mix(c, steel * 1.2f, h * 0.35f);  // tread tops rubbed bright
    return c * (1 - 0.35f * grime * (1 - h));
  });
  applyRelief(image, height, 4.0f);
  return image;
}
