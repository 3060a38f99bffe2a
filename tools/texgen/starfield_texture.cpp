#include <cmath>

#include "tools/texgen/noise.h"
#include "tools/texgen/painting.h"
#include "tools/texgen/random_source.h"
#include "tools/texgen/recipes.h"

namespace {

constexpr int starfieldSide = 512;
constexpr int faintStars = 3500, mediumStars = 350, brightStars = 28, clusterStars = 260;
constexpr uint32_t starSeed = 51, nebulaSeed = 52, dustSeed = 53, tintSeed = 54;
// The nebula's seeds were picked so that a cloud covers the still water's
// texel and a dark lane passes just beside it.
constexpr uint32_t filamentSeed = 55, clusterSeed = 57, warpSeed = 58, cloudSeed = 60, laneSeed = 66;
constexpr Color deepSpace = {0.004f, 0.006f, 0.018f};
constexpr Color violetGas = {0.20f, 0.05f, 0.24f};
constexpr Color blueGas = {0.03f, 0.11f, 0.24f};
constexpr Color rosyGas = {0.22f, 0.06f, 0.08f};

// The pool's water maps this picture as a sphere map. The pool's small scale
// leaves its eye-space normals so long that the sampled texel follows the
// normal's direction alone: s = 0.5 + nx / 2, t = 0.5 + ny / 2. The stage's
// fixed tilt leans a still surface's normal 30 degrees towards the viewer,
// so still water samples the point below, close to the picture's top edge
// (u across, v down from the top); ripples tilt the normals and sample
// around it, mostly within 40 pixels. The backdrop does not show the top
// sixth of the picture from the stage camera, so the brightest gas sits there.
constexpr float reflectionU = 0.5f, reflectionV = 0.067f;
// A still pool shows one texel everywhere, so no star is put this close to
// it (pixels): the still water takes its glow from the gas alone.
constexpr float starlessRadius = 7.0f;
// Around the same texel the gas eases into this colour over about this
// many pixels, so the still water glows the same whatever the noise does.
constexpr float calmRadius = 5.0f;
constexpr Color stillGlow = {0.11f, 0.21f, 0.34f};

// The reflected nebula: a wide glow around a point just above the still
// water's texel, much wider than tall, so that it fills what ripples sample
// and has faded to a faint haze where the backdrop's view begins.
constexpr float nebulaU = 0.5f, nebulaV = 0.035f;
constexpr float nebulaSpreadU = 0.2f, nebulaSpreadV = 0.075f;
constexpr float warpAmount = 0.04f;  // of the picture's side
constexpr Color nebulaBlue = {0.05f, 0.10f, 0.38f};
constexpr Color nebulaTeal = {0.08f, 0.42f, 0.50f};
constexpr Color nebulaRose = {0.62f, 0.16f, 0.46f};
constexpr Color nebulaWhite = {1.0f, 0.90f, 0.84f};
// A bright knot of gas to one side of the still texel: ripples leaning that
// way light up, ripples leaning the other way darken.
constexpr float knotU = 0.535f, knotV = 0.043f;
constexpr float knotRadius = 5.0f, knotHaloRadius = 20.0f;  // pixels
constexpr Color knotCore = {0.9f, 0.75f, 0.65f};
constexpr Color knotHalo = {0.25f, 0.16f, 0.30f};
// Young stars crowd the nebula, scattered this far (pixels, one deviation)
// around its centre.
constexpr float clusterSpreadX = 70.0f, clusterSpreadY = 45.0f;

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

// True for a star position whose light would reach the still water's texel.
bool nearReflection(float x, float y) {
  return std::hypot(x - reflectionU * starfieldSide, y - reflectionV * starfieldSide) < starlessRadius;
}

// The faint gas spread over the whole sky: violet, blue and rose clouds
// crossed by dark dust.
Color skyGas(float u, float v) {
  const float cloud = smoothStep(-0.15f, 0.45f, fractalNoise(u, v, 3, 3, 6, nebulaSeed, 0.55f));
  const float wisps = turbulence(u, v, 4, 4, 5, nebulaSeed + 1);
  const float dust = smoothStep(0.1f, 0.6f, fractalNoise(u, v, 5, 5, 5, dustSeed));
  const float hue = 0.5f + 0.5f * fractalNoise(u, v, 2, 2, 3, tintSeed);
  const Color gas = mix(mix(blueGas, violetGas, hue), rosyGas, smoothStep(0.6f, 0.9f, hue));
  return gas * (cloud * cloud * (0.3f + 2.2f * wisps) * (1 - 0.85f * dust));
}

// The knot's light at (u, v): a small hot core in a wide halo. Unlike
// addGlow it does not wrap, so nothing of it shows at the bottom edge.
Color brightKnot(float u, float v) {
  const float dx = (u - knotU) * starfieldSide, dy = (v - knotV) * starfieldSide;
  const float squared = dx * dx + dy * dy;
  return knotHalo * std::exp(-squared / (2 * knotHaloRadius * knotHaloRadius)) +
         knotCore * std::exp(-squared / (2 * knotRadius * knotRadius));
}

// The bright nebula the water reflects: soft teal clouds fading to blue at
// the rim, curling rose filaments, a few dark dust lanes, and around the
// still water's texel a calm patch of its chosen glow; zero far from its
// centre.
Color reflectedNebula(float u, float v) {
  const float du = (u - nebulaU) / nebulaSpreadU, dv = (v - nebulaV) / nebulaSpreadV;
  const float envelope = std::exp(-0.5f * (du * du + dv * dv));
  // Warping the coordinates by noise bends the filaments and lanes into curls.
  const float wu = u + warpAmount * fractalNoise(u, v, 4, 4, 3, warpSeed);
  const float wv = v + warpAmount * fractalNoise(u, v, 4, 4, 3, warpSeed + 1);
  const float clouds = smoothStep(-0.45f, 0.6f, fractalNoise(wu, wv, 4, 4, 5, cloudSeed));
  const float filaments = std::pow(ridgedNoise(wu, wv, 5, 5, 4, filamentSeed), 4.0f);
  const float lanes = smoothStep(0.7f, 0.95f, ridgedNoise(wu, wv, 3, 3, 3, laneSeed));
  const float density = envelope * ((0.4f + 0.7f * clouds) * (1 - 0.85f * lanes) + 0.8f * filaments);
  const Color body = mix(nebulaBlue, nebulaTeal, smoothStep(0.1f, 0.7f, envelope * clouds));
  const Color lit = mix(body, nebulaRose, smoothStep(0.15f, 0.6f, filaments));
  const Color gas = mix(lit, nebulaWhite, smoothStep(0.8f, 1.5f, density)) * density + brightKnot(u, v);
  const float dx = (u - reflectionU) * starfieldSide, dy = (v - reflectionV) * starfieldSide;
  const float calm = std::exp(-(dx * dx + dy * dy) / (2 * calmRadius * calmRadius));
  return mix(gas, stillGlow, calm);
}

}  // namespace

// Deep space: a near-black sky with faint gas clouds, thousands of faint
// stars, hundreds of brighter ones and a few bright stars with halos and
// rays; along the top edge, mostly out of the backdrop's view, a luminous
// nebula full of young stars for the pool's water to reflect.
ColorImage paintStarfield() {
  ColorImage image(starfieldSide, starfieldSide);
  fillImage(image, [](float u, float v) { return deepSpace + skyGas(u, v) + reflectedNebula(u, v); });

  RandomSource random(starSeed);
  for (int i = 0; i < faintStars; ++i) {
    const float x = random.uniform(0, starfieldSide), y = random.uniform(0, starfieldSide);
    const float brightness = 0.08f + 0.4f * std::pow(random.uniform(0, 1), 2.0f);
    const Color tint = starTint(random);
    if (!nearReflection(x, y)) addGlow(image, x, y, 0.45f, tint * brightness);
  }
  for (int i = 0; i < mediumStars; ++i) {
    const float x = random.uniform(0, starfieldSide), y = random.uniform(0, starfieldSide);
    const float brightness = 0.5f + 0.6f * random.uniform(0, 1);
    const Color tint = starTint(random);
    const float radius = random.uniform(0.55f, 0.8f);
    if (!nearReflection(x, y)) addGlow(image, x, y, radius, tint * brightness);
  }
  for (int i = 0; i < brightStars; ++i) {
    const float x = random.uniform(0, starfieldSide), y = random.uniform(0, starfieldSide);
    const Color tint = starTint(random);
    const float size = random.uniform(0.8f, 1.3f);
    if (nearReflection(x, y)) continue;
    addGlow(image, x, y, 0.9f * size, tint * 1.6f);
    addGlow(image, x, y, 4.0f * size, tint * 0.1f);
    addSpikes(image, x, y, 7 * size, tint * 0.5f);
  }
  RandomSource cluster(clusterSeed);
  for (int i = 0; i < clusterStars; ++i) {
    // The sum of three uniforms is close to a normal spread, and deterministic.
    const float gx = cluster.uniform(-1, 1) + cluster.uniform(-1, 1) + cluster.uniform(-1, 1);
    const float gy = cluster.uniform(-1, 1) + cluster.uniform(-1, 1) + cluster.uniform(-1, 1);
    // Stars that would fall above the top edge are mirrored back below it.
    const float x = nebulaU * starfieldSide + gx * clusterSpreadX;
    const float y = std::fabs(nebulaV * starfieldSide + gy * clusterSpreadY);
    const float brightness = 0.3f + 0.9f * std::pow(cluster.uniform(0, 1), 3.0f);
    const float radius = cluster.uniform(0.5f, 0.9f);
    const Color tint = starTint(cluster);
    if (!nearReflection(x, y)) addGlow(image, x, y, radius, tint * brightness);
  }
  return image;
}
