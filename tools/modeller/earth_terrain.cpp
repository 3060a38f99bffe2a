#include "tools/modeller/earth_terrain.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double twoPi = 6.28318530717958647692;

// A round hill (or, with negative height, a hollow) with a bell profile.
struct Bump {
  double x, y, height, radius;
};

// A ridge (or a valley) along a segment, its crest height running from the
// start to the end, with a bell profile across.
struct Crest {
  double x0, y0, x1, y1, height0, height1, width;
};

// The island's body: a broad, squarish dome whose edge, warped by noise, is
// the coast; it fills the finely meshed middle of the base.
constexpr double domeHeight = 55.0;
constexpr double domeOuter = 300.0;
constexpr double domeInner = 150.0;
constexpr double domeWarp = 45.0;
constexpr double domeWarpWavelength = 190.0;

// The high ground, joined by a smooth maximum so that where two features meet
// the higher one wins and a soft saddle forms: a summit near the centre,
// ridges running out from it, and rolling hills. Heights in model units
// above the dome.
const Bump hills[] = {
    {-18.0, 22.0, 148.0, 86.0},   // the summit
    {-195.0, 110.0, 72.0, 70.0},  // western hill
    {140.0, -195.0, 60.0, 66.0},  // southern hill
    {85.0, 195.0, 50.0, 62.0},    // northern knoll
    {-125.0, -30.0, 52.0, 58.0},  // saddle hill
};
const Crest ridges[] = {
    {10.0, 45.0, 215.0, 175.0, 118.0, 36.0, 30.0},     // north-east ridge
    {-45.0, -5.0, -195.0, -170.0, 108.0, 28.0, 28.0},  // south-west ridge
    {40.0, -50.0, 205.0, -140.0, 72.0, 36.0, 26.0},    // southern spur
};
constexpr double reliefBlend = 20.0;
// A ridge's flanks: part of its height falls off over its width, the rest
// over this many widths, for broad foothills under a sharper crest.
constexpr double footWidths = 2.4;
constexpr double footShare = 0.45;
// The features are placed through a gentle warp so nothing runs straight.
constexpr double featureWarp = 28.0;
constexpr double featureWarpWavelength = 130.0;

// Low ground cut below the water line: a lake, a bay and a cove.
const Bump hollows[] = {
    {-100.0, 130.0, 62.0, 46.0},  // the lake
};
const Crest inlets[] = {
    {290.0, 25.0, 95.0, -5.0, 55.0, 25.0, 42.0},       // the eastern bay
    {-280.0, -70.0, -150.0, -85.0, 40.0, 10.0, 36.0},  // the western cove
};

// Rolling ground everywhere, a little rougher on high ground.
constexpr double rollAmplitude = 8.0;
constexpr double rollWavelength = 140.0;
constexpr int rollOctaves = 3;
constexpr double roughAmplitudePerHeight = 0.08;
// Gullies and spurs on high ground: ridged noise whose depth grows with height.
constexpr double gullyDepthPerHeight = 0.16;
constexpr double gullyWavelength = 70.0;
constexpr int gullyOctaves = 2;

// The rim stays flat out to flatBorder and the land reaches full height at
// fullBorder (distances from the border).
constexpr double flatBorder = 60.0;
constexpr double fullBorder = 170.0;
// How softly negative ground is lifted to the sea floor.
constexpr double floorSoftness = 10.0;

constexpr std::uint32_t warpSeedX = 0x6e1a7c33u;
constexpr std::uint32_t warpSeedY = 0x1f2b9d05u;
constexpr std::uint32_t rollSeed = 0x3c7d5e11u;
constexpr std::uint32_t featureSeedX = 0x58a1c0d3u;
constexpr std::uint32_t featureSeedY = 0x0b7e3f29u;
constexpr std::uint32_t gullySeed = 0x7f4a2e61u;

std::uint32_t hash(std::int64_t ix, std::int64_t iy, std::uint32_t seed) {
  std::uint64_t h = static_cast<std::uint64_t>(ix) * 0x9e3779b97f4a7c15ull ^
                    static_cast<std::uint64_t>(iy) * 0xc2b2ae3d27d4eb4full ^ seed;
  h ^= h >> 31;
  h *= 0xbf58476d1ce4e5b9ull;
  h ^= h >> 29;
  h *= 0x94d049bb133111ebull;
  h ^= h >> 32;
  return static_cast<std::uint32_t>(h);
}

double smoothstep(double edge0, double edge1, double v) {
  const double t = std::clamp((v - edge0) / (edge1 - edge0), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

double bell(double distance, double radius) { return std::exp(-(distance * distance) / (radius * radius)); }

// Fractal sum of noise octaves, each twice as fine and half as strong.
double fractalNoise(double x, double y, double wavelength, int octaves, std::uint32_t seed) {
  double sum = 0.0, amplitude = 1.0, norm = 0.0;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += amplitude * gradientNoise(x / wavelength, y / wavelength, seed + octave);
    norm += amplitude;
    amplitude *= 0.5;
    wavelength *= 0.5;
  }
  return sum / norm;
}

double crestHeight(const Crest& c, double x, double y) {
  const double dx = c.x1 - c.x0, dy = c.y1 - c.y0;
  const double t = std::clamp(((x - c.x0) * dx + (y - c.y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  const double distance = std::hypot(x - (c.x0 + t * dx), y - (c.y0 + t * dy));
  return (c.height0 + (c.height1 - c.height0) * t) * bell(distance, c.width);
}

// A ridge with broad foothills under its crest.
double ridgeHeight(const Crest& c, double x, double y) {
  Crest foot = c;
  foot.width *= footWidths;
  return (1.0 - footShare) * crestHeight(c, x, y) + footShare * crestHeight(foot, x, y);
}

// Ridged noise in [0, 1]: sharp crests where the noise crosses zero.
double ridgedNoise(double x, double y, double wavelength, int octaves, std::uint32_t seed) {
  double sum = 0.0, amplitude = 1.0, norm = 0.0;
  for (int octave = 0; octave < octaves; ++octave) {
    const double n = 1.0 - std::fabs(gradientNoise(x / wavelength, y / wavelength, seed + octave));
    sum += amplitude * n * n;
    norm += amplitude;
    amplitude *= 0.5;
    wavelength *= 0.5;
  }
  return sum / norm;
}

// max(a, b) with the corner rounded over the given width.
double smoothMax(double a, double b, double width) {
  const double h = std::max(width - std::fabs(a - b), 0.0) / width;
  return std::max(a, b) + h * h * width / 4.0;
}

// max(v, 0) with the corner rounded over the given width.
double softFloor(double v, double softness) {
  if (v >= softness) return v;
  if (v <= -softness) return 0.0;
  const double t = (v + softness) / (2.0 * softness);
  return softness * t * t;
}

}  // namespace

double gradientNoise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const std::int64_t ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
  const double tx = x - fx, ty = y - fy;
  const auto corner = [&](std::int64_t cx, std::int64_t cy) {
    const double angle = hash(cx, cy, seed) * (twoPi / 4294967296.0);
    return std::cos(angle) * (x - cx) + std::sin(angle) * (y - cy);
  };
  const auto fade = [](double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); };
  const double u = fade(tx), v = fade(ty);
  const double bottom = corner(ix, iy) + (corner(ix + 1, iy) - corner(ix, iy)) * u;
  const double top = corner(ix, iy + 1) + (corner(ix + 1, iy + 1) - corner(ix, iy + 1)) * u;
  // Gradient noise on a unit grid stays within about +-0.71; scale to +-1.
  return std::sqrt(2.0) * (bottom + (top - bottom) * v);
}

double distanceToBorder(double x, double y, double halfSize) {
  return halfSize - std::max(std::fabs(x), std::fabs(y));
}

double terrainHeight(double x, double y, double halfSize) {
  // The coast wanders: the dome is measured from a warped position, with a
  // squarish measure of distance so the island fills the middle square.
  const double wx = x + domeWarp * gradientNoise(x / domeWarpWavelength, y / domeWarpWavelength, warpSeedX);
  const double wy = y + domeWarp * gradientNoise(x / domeWarpWavelength, y / domeWarpWavelength, warpSeedY);
  const double squarish = std::pow(std::pow(std::fabs(wx), 4) + std::pow(std::fabs(wy), 4), 0.25);
  double height = domeHeight * smoothstep(domeOuter, domeInner, squarish);
  const double fx = x + featureWarp * gradientNoise(x / featureWarpWavelength, y / featureWarpWavelength, featureSeedX);
  const double fy = y + featureWarp * gradientNoise(x / featureWarpWavelength, y / featureWarpWavelength, featureSeedY);
  double relief = 0.0;
  for (const Bump& b : hills) {
    relief = smoothMax(relief, b.height * bell(std::hypot(fx - b.x, fy - b.y), b.radius), reliefBlend);
  }
  for (const Crest& c : ridges) relief = smoothMax(relief, ridgeHeight(c, fx, fy), reliefBlend);
  height += relief;
  for (const Bump& b : hollows) height -= b.height * bell(std::hypot(fx - b.x, fy - b.y), b.radius);
  for (const Crest& c : inlets) height -= crestHeight(c, fx, fy);
  const double ground = std::max(height, 0.0);
  const double roll = fractalNoise(x, y, rollWavelength, rollOctaves, rollSeed);
  height += roll * (rollAmplitude + roughAmplitudePerHeight * ground);
  height -= gullyDepthPerHeight * ground * (1.0 - ridgedNoise(x, y, gullyWavelength, gullyOctaves, gullySeed));
  return softFloor(height, floorSoftness) * smoothstep(flatBorder, fullBorder, distanceToBorder(x, y, halfSize));
}
