#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int barkSide = 256;
constexpr uint32_t furrowSeed = 31, warpSeed = 32, fibreSeed = 33, tintSeed = 34;
constexpr Color furrowBrown = {0.10f, 0.06f, 0.035f};
constexpr Color ridgeBrown = {0.36f, 0.26f, 0.17f};
constexpr Color weatheredGrey = {0.50f, 0.45f, 0.38f};

}  // namespace

// Bark in long vertical ridges split by dark furrows: ridged noise stretched
// along v, wiggled sideways, with fine fibres, lit as relief.
ColorImage paintBark() {
  ColorImage image(barkSide, barkSide);
  FloatField height(barkSide, barkSide);
  fillField(height, [](float u, float v) {
    const float warp = 0.05f * fractalNoise(u, v, 2, 4, 3, warpSeed);
    const float ridges = ridgedNoise(u + warp, v, 10, 2, 3, furrowSeed, 0.45f);
    const float fibres = gradientNoise(u + warp, v, 64, 6, fibreSeed);
    return ridges + 0.12f * fibres;
  });
  fillImage(image, [&](float u, float v) {
    const int x = static_cast<int>(u * barkSide), y = static_cast<int>(v * barkSide);
    const float h = height.at(x, y);
    Color c = rampColor({{0.15f, furrowBrown}, {0.55f, ridgeBrown}, {0.95f, weatheredGrey}}, h);
    return c * (1 + 0.2f * fractalNoise(u, v, 4, 8, 3, tintSeed));
  });
  applyRelief(image, height, 3.0f);
  return image;
}
