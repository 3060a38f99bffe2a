#include <cmath>
#include <vector>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/random_source.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int oceanSide = 512;
constexpr int waveCount = 48;
constexpr uint32_t waveSeed = 61, chopSeed = 62, foamSeed = 63;
constexpr float twoPi = 6.28318531f;
constexpr float windAngle = 0.6f;    // radians; the waves run mostly this way
constexpr float windSpread = 0.5f;   // radians either side
constexpr float slopeScale = 0.10f;  // height units per pixel step that read as steep
constexpr Color deepBlue = {0.02f, 0.11f, 0.25f};
constexpr Color seaBlue = {0.04f, 0.24f, 0.40f};
constexpr Color skyTeal = {0.22f, 0.46f, 0.58f};
constexpr Color foam = {0.85f, 0.92f, 0.95f};
constexpr float sunX = -0.35f, sunY = -0.45f, sunZ = 0.82f;  // unit vector

// One wave train with a whole number of cycles across the tile each way.
struct Wave {
  float cyclesU, cyclesV, amplitude, phase;
};

std::vector<Wave> windWaves() {
  RandomSource random(waveSeed);
  std::vector<Wave> waves;
  while (static_cast<int>(waves.size()) < waveCount) {
    const float angle = windAngle + random.uniform(-windSpread, windSpread);
    const float cycles = random.uniform(4, 40);
    const Wave wave = {std::round(cycles * std::cos(angle)), std::round(cycles * std::sin(angle)),
                       std::pow(cycles, -1.3f), random.uniform(0, twoPi)};
    if (wave.cyclesU != 0 || wave.cyclesV != 0) waves.push_back(wave);
  }
  return waves;
}

}  // namespace

// Open sea from above: dozens of wind-driven wave trains with fine chop on
// top, deep blue where the water faces straight up, lighter where slopes
// reflect the sky, sun glints on the facets turned to the sun and thin foam
// on the highest crests.
ColorImage paintOcean() {
  const std::vector<Wave> waves = windWaves();
  FloatField height(oceanSide, oceanSide);
  fillField(height, [&](float u, float v) {
    float h = 0;
    for (const Wave& wave : waves) {
      h += wave.amplitude * std::sin(twoPi * (wave.cyclesU * u + wave.cyclesV * v) + wave.phase);
    }
    return h + 0.012f * fractalNoise(u, v, 64, 64, 3, chopSeed);
  });
  ColorImage image(oceanSide, oceanSide);
  for (int y = 0; y < oceanSide; ++y) {
    for (int x = 0; x < oceanSide; ++x) {
      const float sx = (height.wrapped(x + 1, y) - height.wrapped(x - 1, y)) / (2 * slopeScale);
      const float sy = (height.wrapped(x, y + 1) - height.wrapped(x, y - 1)) / (2 * slopeScale);
      const float length = std::sqrt(sx * sx + sy * sy + 1);
      const float up = 1 / length;  // 1 where the water faces straight up
      const float toSun = (-sx * sunX - sy * sunY + sunZ) / length;
      Color c = mix(seaBlue, deepBlue, smoothStep(0.85f, 1.0f, up));
      c = mix(c, skyTeal, smoothStep(0.9f, 0.6f, up) * 0.8f);
      c = c + Color{1.0f, 0.95f, 0.85f} * (0.8f * std::pow(clamp01(toSun), 60.0f));
      const float crest = smoothStep(0.18f, 0.34f, height.at(x, y));
      const float lace = ridgedNoise((x + 0.5f) / oceanSide, (y + 0.5f) / oceanSide, 24, 24, 2,
                                     foamSeed);
      image.at(x, y) = mix(c, foam, crest * std::pow(lace, 6.0f) * 0.8f);
    }
  }
  return image;
}
