// A seeded random stream for scattering brush marks. std::mt19937's output
// is fixed by the standard, and the mapping to floats is our own, so the
// marks land in the same places with any standard library.
#pragma once
#include <cstdint>
#include <random>

class RandomSource {
 public:
  static constexpr float pi = 3.14159265f;

  explicit RandomSource(uint32_t seed) : engine_(seed) {}

  // Uniform in [low, high).
  float uniform(float low, float high) {
    return low + (high - low) * static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
  }

  // A direction in radians, uniform in [-pi, pi).
  float direction() { return uniform(-pi, pi); }

 private:
  std::mt19937 engine_;
};
