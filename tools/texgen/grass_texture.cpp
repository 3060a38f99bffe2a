#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/random_source.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int grassSide = 256;
constexpr int bladeCount = 9000;
constexpr uint32_t bladeSeed = 21, soilSeed = 22;
constexpr Color soil = {0.10f, 0.16f, 0.04f};
constexpr Color rootGreen = {0.09f, 0.24f, 0.05f};
constexpr Color tipGreen = {0.42f, 0.62f, 0.18f};
constexpr Color dryTip = {0.60f, 0.62f, 0.28f};

}  // namespace

// A dense mat of grass blades over dark soil: thousands of tapering strokes,
// dark at the root and light at the tip, leaning every way as seen from above.
ColorImage paintGrass() {
  ColorImage image(grassSide, grassSide);
  fillImage(image, [](float u, float v) {
    return soil * (1 + 0.3f * fractalNoise(u, v, 8, 8, 3, soilSeed));
  });
  RandomSource random(bladeSeed);
  for (int i = 0; i < bladeCount; ++i) {
    const float x = random.uniform(0, grassSide), y = random.uniform(0, grassSide);
    const float angle = random.direction();
    const float length = random.uniform(5, 13);
    const float width = random.uniform(0.6f, 1.1f);
    const float light = random.uniform(0.6f, 1.15f) * (0.55f + 0.45f * i / bladeCount);
    const Color tip = mix(tipGreen, dryTip, random.uniform(0, 1) < 0.15f ? 0.7f : 0.0f) * light;
    paintStroke(image, x, y, x + std::cos(angle) * length, y + std::sin(angle) * length, width,
                0.25f, rootGreen * light, tip, 0.95f);
  }
  return image;
}
