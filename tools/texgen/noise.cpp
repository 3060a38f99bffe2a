#include "tools/texgen/noise.h"

#include <cmath>

namespace {

constexpr float twoPi = 6.28318530718f;
constexpr float unitScale = 1.0f / 16777216.0f;  // 24 hash bits to [0, 1)
constexpr float gradientScale = 1.41421356f;     // stretches 2-D gradient noise to about -1..1
constexpr uint32_t octaveSeedStep = 0x9e3779b9u;

uint32_t mixBits(uint32_t v) {
  v ^= v >> 16;
  v *= 0x7feb352du;
  v ^= v >> 15;
  v *= 0x846ca68bu;
  v ^= v >> 16;
  return v;
}

int wrapCell(int i, int period) { return ((i % period) + period) % period; }

// Quintic fade: continuous slope and curvature across cell borders.
float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

float lerp(float a, float b, float t) { return a + (b - a) * t; }

// Dot product of the corner's hashed unit gradient with the offset to it.
float cornerDot(int cx, int cy, int periodX, int periodY, uint32_t seed, float dx, float dy) {
  const float angle = hashUnit(hashCell(wrapCell(cx, periodX), wrapCell(cy, periodY), seed)) * twoPi;
  return std::cos(angle) * dx + std::sin(angle) * dy;
}

// Sums octaves of shape(gradient noise), each doubling the cells.
template <typename Shape>
float octaveSum(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed, float gain,
                Shape shape) {
  float sum = 0, weight = 1, total = 0;
  for (int octave = 0; octave < octaves; ++octave) {
    sum += weight * shape(gradientNoise(u, v, cellsX << octave, cellsY << octave, seed));
    total += weight;
    weight *= gain;
    seed += octaveSeedStep;
  }
  return sum / total;
}

}  // namespace

uint32_t hashCell(int x, int y, uint32_t seed) {
  return mixBits(static_cast<uint32_t>(x) * 0x8da6b343u ^
                 mixBits(static_cast<uint32_t>(y) * 0xd8163841u ^ mixBits(seed)));
}

float hashUnit(uint32_t hash) { return static_cast<float>(hash >> 8) * unitScale; }

float gradientNoise(float u, float v, int cellsX, int cellsY, uint32_t seed) {
  const float x = u * cellsX, y = v * cellsY;
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const float dx = x - fx, dy = y - fy;
  const float n00 = cornerDot(ix, iy, cellsX, cellsY, seed, dx, dy);
  const float n10 = cornerDot(ix + 1, iy, cellsX, cellsY, seed, dx - 1, dy);
  const float n01 = cornerDot(ix, iy + 1, cellsX, cellsY, seed, dx, dy - 1);
  const float n11 = cornerDot(ix + 1, iy + 1, cellsX, cellsY, seed, dx - 1, dy - 1);
  const float sx = fade(dx), sy = fade(dy);
  return gradientScale * lerp(lerp(n00, n10, sx), lerp(n01, n11, sx), sy);
}

float fractalNoise(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed,
                   float gain) {
  return octaveSum(u, v, cellsX, cellsY, octaves, seed, gain, [](float n) { return n; });
}

float turbulence(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed,
                 float gain) {
  return octaveSum(u, v, cellsX, cellsY, octaves, seed, gain,
                   [](float n) { return std::fabs(n); });
}

float ridgedNoise(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed,
                  float gain) {
  return octaveSum(u, v, cellsX, cellsY, octaves, seed, gain, [](float n) {
    const float crest = 1 - std::fabs(n);
    return crest * crest;
  });
}

CellSample cellularNoise(float u, float v, int cells, uint32_t seed, float jitter) {
  const float x = u * cells, y = v * cells;
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  CellSample best;
  best.nearest = best.secondNearest = 1e9f;
  for (int oy = -1; oy <= 1; ++oy) {
    for (int ox = -1; ox <= 1; ++ox) {
      const int cx = ix + ox, cy = iy + oy;
      const uint32_t id = hashCell(wrapCell(cx, cells), wrapCell(cy, cells), seed);
      const float px = cx + 0.5f + jitter * (hashUnit(id) - 0.5f);
      const float py = cy + 0.5f + jitter * (hashUnit(mixBits(id)) - 0.5f);
      const float d = std::hypot(px - x, py - y);
      if (d < best.nearest) {
        best.secondNearest = best.nearest;
        best.nearest = d;
        best.id = id;
        best.toNearestU = px - x;
        best.toNearestV = py - y;
      } else if (d < best.secondNearest) {
        best.secondNearest = d;
      }
    }
  }
  return best;
}
