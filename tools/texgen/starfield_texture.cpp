#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/random_source.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int starfieldSide = 512;
constexpr int faintStars = 3500, mediumStars = 350, brightStars = 28;
constexpr uint32_t starSeed = 51, nebulaSeed = 52, dustSeed = 53, tintSeed = 54;
constexpr Color deepSpace = {0.004f, 0.006f, 0.018f};
constexpr Color violetGas = {0.20f, 0.05f, 0.24f};
constexpr Color blueGas = {0.03f, 0.11f, 0.24f};
constexpr Color rosyGas = {0.22f, 0.06f, 0.08f};

// Adds light to the pixels around (cx, cy), falling off like a Gaussian of
// the given radius; wraps around the edges.
void addGlow(ColorImage& image, float cx, float cy, float radius, Color color) {
  const int reach = static_cast<int>(std::ceil(radius * 3));
  for (int y = -reach; y <= reach; ++y) {
    for (int x = -reach; x <= reach; ++x) {
      const int px = static_cast<int>(std::floor(cx)) + x, py = static_cast<int>(std::floor(cy)) + y;
      const float dx = px + 0.5f - cx, dy = py + 0.5f - cy;
      const float weight = std::exp(-(dx * dx + dy * dy) / (2 * radius * radius));
      image.wrapped(px, py) = image.wrapped(px, py) + color * weight;
    }
  }
}

// A star's colour: mostly white, some blue-white, some yellow to orange.
Color starTint(RandomSource& random) {
  const float t = random.uniform(0, 1);
  if (t < 0.25f) return {0.75f, 0.85f, 1.0f};
  if (t < 0.75f) return {1.0f, 1.0f, 1.0f};
  if (t < 0.92f) return {1.0f, 0.92f, 0.72f};
  return {1.0f, 0.72f, 0.5f};
}

// Thin cross-shaped rays of a bright star.
void addSpikes(ColorImage& image, float cx, float cy, float length, Color color) {
  for (int i = 1; i <= static_cast<int>(length); ++i) {
    const float fall = std::pow(1 - i / length, 2.0f) * 0.5f;
    for (const auto& d : {std::pair<int, int>{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      Color& pixel = image.wrapped(static_cast<int>(cx) + d.first * i, static_cast<int>(cy) + d.second * i);
      pixel = pixel + color * fall;
    }
  }
}

}  // namespace

// Deep space: a near-black sky with faint violet, blue and rose gas clouds
// crossed by dark dust, thousands of faint stars, hundreds of brighter ones
// and a few bright stars with halos and rays.
ColorImage paintStarfield() {
  ColorImage image(starfieldSide, starfieldSide);
  fillImage(image, [](float u, float v) {
    const float cloud = smoothStep(-0.15f, 0.45f, fractalNoise(u, v, 3, 3, 6, nebulaSeed, 0.55f));
    const float wisps = turbulence(u, v, 4, 4, 5, nebulaSeed + 1);
    const float dust = smoothStep(0.1f, 0.6f, fractalNoise(u, v, 5, 5, 5, dustSeed));
    const float hue = 0.5f + 0.5f * fractalNoise(u, v, 2, 2, 3, tintSeed);
    const Color gas = mix(mix(blueGas, violetGas, hue), rosyGas, smoothStep(0.6f, 0.9f, hue));
    return deepSpace + gas * (cloud * cloud * (0.3f + 2.2f * wisps) * (1 - 0.85f * dust));
  });
  RandomSource random(starSeed);
  for (int i = 0; i < faintStars; ++i) {
    const float x = random.uniform(0, starfieldSide), y = random.uniform(0, starfieldSide);
    const float brightness = 0.08f + 0.4f * std::pow(random.uniform(0, 1), 2.0f);
    addGlow(image, x, y, 0.45f, starTint(random) * brightness);
  }
  for (int i = 0; i < mediumStars; ++i) {
    const float x = random.uniform(0, starfieldSide), y = random.uniform(0, starfieldSide);
    const float brightness = 0.5f + 0.6f * random.uniform(0, 1);
    addGlow(image, x, y, random.uniform(0.55f, 0.8f), starTint(random) * brightness);
  }
  for (int i = 0; i < brightStars; ++i) {
    const float x = random.uniform(0, starfieldSide), y = random.uniform(0, starfieldSide);
    const Color tint = starTint(random);
    const float size = random.uniform(0.8f, 1.3f);
    addGlow(image, x, y, 0.9f * size, tint * 1.6f);
    addGlow(image, x, y, 4.0f * size, tint * 0.1f);
    addSpikes(image, x, y, 7 * size, tint * 0.5f);
  }
  return image;
}
