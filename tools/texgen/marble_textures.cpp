#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int marbleSide = 256;
constexpr uint32_t whiteVeinSeed = 71, whiteCloudSeed = 72, whiteWarpSeed = 73;
constexpr uint32_t greenVeinSeed = 74, greenCloudSeed = 75, greenWarpSeed = 76;
constexpr Color whiteStone = {0.94f, 0.93f, 0.90f};
constexpr Color cloudGrey = {0.74f, 0.75f, 0.75f};
constexpr Color veinGrey = {0.36f, 0.38f, 0.42f};
constexpr Color darkGreen = {0.02f, 0.09f, 0.06f};
constexpr Color mossGreen = {0.10f, 0.30f, 0.19f};
constexpr Color paleVein = {0.80f, 0.90f, 0.82f};

// One family of veins: the lines where warped fractal noise of so many cells
// crosses zero.
struct Veins {
  int cells;
  uint32_t seed;
  uint32_t warpSeed;
  float warp;
};
constexpr Veins whiteBold = {3, whiteVeinSeed, whiteWarpSeed, 0.12f};
constexpr Veins whiteFine = {4, whiteVeinSeed + 2, whiteWarpSeed, 0.2f};
constexpr Veins greenBold = {2, greenVeinSeed, greenWarpSeed, 0.25f};
constexpr Veins greenFine = {5, greenVeinSeed + 2, greenWarpSeed + 2, 0.1f};

// Vein strength at (u, v): 1 on the veins' lines, fading to 0 at width (in
// noise units) from them.
float vein(float u, float v, const Veins& veins, float width) {
  const float wu = u + veins.warp * fractalNoise(u, v, 2, 2, 4, veins.warpSeed);
  const float wv = v + veins.warp * fractalNoise(u, v, 2, 2, 4, veins.warpSeed + 1);
  return 1 - smoothStep(0.0f, width,
                        std::fabs(fractalNoise(wu, wv, veins.cells, veins.cells, 5, veins.seed)));
}

}  // namespace

// Pale statuary marble: soft grey clouds, a few bold grey veins and finer
// threads, all wandering with the stone's warped grain.
ColorImage paintWhiteMarble() {
  ColorImage image(marbleSide, marbleSide);
  fillImage(image, [](float u, float v) {
    const float cloud = 0.5f + 0.5f * fractalNoise(u, v, 2, 2, 6, whiteCloudSeed, 0.6f);
    const float core = vein(u, v, whiteBold, 0.015f);
    const float halo = vein(u, v, whiteBold, 0.12f);
    const float boldSeen = smoothStep(-0.3f, 0.3f, fractalNoise(u, v, 2, 2, 3, whiteWarpSeed + 5));
    const float fine = vein(u, v, whiteFine, 0.02f);
    const float fineSeen = smoothStep(-0.1f, 0.4f, fractalNoise(u, v, 3, 3, 3, whiteCloudSeed + 1));
    Color c = mix(whiteStone, cloudGrey, smoothStep(0.35f, 0.9f, cloud) * 0.6f);
    c = mix(c, veinGrey, halo * halo * boldSeen * 0.3f);
    c = mix(c, veinGrey, core * (0.25f + 0.45f * boldSeen));
    return mix(c, veinGrey, fine * fineSeen * 0.4f);
  });
  return image;
}

// Dark green serpentine marble: mossy patches in near-black stone crossed by
// pale green-white veins, some bold, many fine.
ColorImage paintGreenMarble() {
  ColorImage image(marbleSide, marbleSide);
  fillImage(image, [](float u, float v) {
    const float patch = 0.5f + 0.5f * fractalNoise(u, v, 3, 3, 6, greenCloudSeed, 0.6f);
    const float core = vein(u, v, greenBold, 0.025f);
    const float halo = vein(u, v, greenBold, 0.12f);
    const float fine = vein(u, v, greenFine, 0.03f);
    Color c = mix(darkGreen, mossGreen, smoothStep(0.3f, 0.85f, patch));
    c = mix(c, mossGreen * 1.6f, halo * halo * 0.5f);
    c = mix(c, paleVein, core * 0.85f);
    return mix(c, paleVein * 0.8f, fine * 0.5f);
  });
  return image;
}
