// The tree's own random source: a Mersenne twister with an explicit seed,
// turned into doubles by plain arithmetic so that every standard library
// gives the same numbers (the library's distributions are not portable).
#pragma once
#include <cstdint>
#include <random>

#include "tools/modeller/geometry.h"

class TreeRandom {
 public:
  explicit TreeRandom(std::uint32_t seed) : engine_(seed) {}

  // A double in [0, 1) with 53 random bits.
  double uniform() {
    const std::uint64_t high = engine_() >> 5;  // 27 bits
    const std::uint64_t low = engine_() >> 6;   // 26 bits
    return static_cast<double>((high << 26) | low) * (1.0 / 9007199254740992.0);
  }

  // A double in [low, high).
  double range(double low, double high) { return low + (high - low) * uniform(); }

  // A direction spread evenly over the unit sphere.
  Vec3 unitVector() {
    const double z = range(-1.0, 1.0);
    const double angle = range(0.0, 2.0 * pi);
    const double r = std::sqrt(1.0 - z * z);
    return {r * std::cos(angle), r * std::sin(angle), z};
  }

 private:
  std::mt19937 engine_;
};
