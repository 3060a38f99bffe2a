#include <algorithm>
#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/random_source.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int leafSide = 256;
constexpr int leafCount = 900;
constexpr uint32_t leafSeed = 41, shadowSeed = 42;
constexpr Color shadowGreen = {0.02f, 0.07f, 0.02f};
constexpr Color deepLeaf = {0.07f, 0.22f, 0.05f};
constexpr Color brightLeaf = {0.30f, 0.52f, 0.12f};
constexpr Color yellowLeaf = {0.50f, 0.58f, 0.16f};

// One leaf: centre, direction of the tip, half-length and half-width in pixels.
struct Leaf {
  float x, y, angle, halfLength, halfWidth;
  Color color;
};

// Paints a pointed oval leaf with a pale midrib, darker towards its rim and
// lit on the side that faces the upper left.
void paintLeaf(ColorImage& image, const Leaf& leaf) {
  const float ax = std::cos(leaf.angle), ay = std::sin(leaf.angle);
  const int reach = static_cast<int>(std::ceil(leaf.halfLength)) + 2;
  for (int py = -reach; py <= reach; ++py) {
    for (int px = -reach; px <= reach; ++px) {
      const float dx = std::floor(leaf.x) + px + 0.5f - leaf.x;
      const float dy = std::floor(leaf.y) + py + 0.5f - leaf.y;
      const float along = (dx * ax + dy * ay) / leaf.halfLength;  // -1 stem .. 1 tip
      const float across = (-dx * ay + dy * ax);                  // pixels from the midrib
      if (std::fabs(along) >= 1) continue;
      const float profile = std::pow(1 - along * along, 0.7f) * (1 - 0.25f * along);
      const float edge = leaf.halfWidth * profile;
      const float cover = clamp01(edge - std::fabs(across) + 0.5f);
      if (cover <= 0) continue;
      const float side = across / std::max(edge, 0.5f);          // -1 .. 1 across the blade
      const float facing = 0.5f - 0.5f * side * (ay - ax) * 0.7f;  // which half catches light
      Color c = leaf.color * (0.75f + 0.45f * facing) * (1 - 0.35f * side * side);
      c = mix(c, leaf.color * 1.5f, clamp01(1 - std::fabs(across) * 1.6f) * 0.5f);  // midrib
      Color& pixel = image.wrapped(static_cast<int>(std::floor(leaf.x)) + px,
                                   static_cast<int>(std::floor(leaf.y)) + py);
      pixel = mix(pixel, c, cover);
    }
  }
}

}  // namespace

// A dense canopy of small overlapping leaves over deep shadow; leaves painted
// later lie on top and are lighter, so the mass has depth.
ColorImage paintLeaves() {
  ColorImage image(leafSide, leafSide);
  fillImage(image, [](float u, float v) {
    return shadowGreen * (1 + 0.5f * fractalNoise(u, v, 6, 6, 3, shadowSeed));
  });
  RandomSource random(leafSeed);
  for (int i = 0; i < leafCount; ++i) {
    const float depth = static_cast<float>(i) / leafCount;
    Leaf leaf;
    leaf.x = random.uniform(0, leafSide);
    leaf.y = random.uniform(0, leafSide);
    leaf.angle = random.direction();
    leaf.halfLength = random.uniform(7, 12);
    leaf.halfWidth = leaf.halfLength * random.uniform(0.38f, 0.5f);
    const Color hue = mix(mix(deepLeaf, brightLeaf, random.uniform(0.2f, 1)), yellowLeaf,
                          random.uniform(0, 1) < 0.1f ? 0.6f : 0.0f);
    leaf.color = hue * (0.45f + 0.75f * depth);
    paintLeaf(image, leaf);
  }
  return image;
}
