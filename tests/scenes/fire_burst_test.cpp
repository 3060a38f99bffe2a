// The burst's particles: the directions drawn from rand(), the shell and the
// flat disc they spread into.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/random_value.h"
#include "tests/scenes/fire_fixture.h"

namespace {

using FireBurst = FireTest;

double length(const float* v) {
  return std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
}

TEST_F(FireBurst, RandomValuesSpan0To32767OneRandCallEach) {
  std::srand(17);
  const int first = std::rand();
  const int second = std::rand();
  std::srand(17);
  EXPECT_EQ(randomValue(), static_cast<int>(first / ((RAND_MAX + 1.0) / 32768)));
  EXPECT_EQ(std::rand(), second) << "one rand() call per value";
  int low = 32767;
  int high = 0;
  for (int i = 0; i < 2000000; ++i) {
    const int v = randomValue();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 32767);
    low = std::min(low, v);
    high = std::max(high, v);
  }
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 32767);
}

TEST_F(FireBurst, DirectionsAreUnitVectorsFromThreeRandValuesEach) {
  constexpr unsigned seed = 4242;
  std::srand(seed);
  const int r[3] = {randomValue(), randomValue(), randomValue()};
  for (int i = 3; i < 3 * fireParticleCount; ++i) std::rand();
  const int afterBurst = std::rand();

  std::srand(seed);
  startBurst();
  EXPECT_EQ(std::rand(), afterBurst) << "exactly 42000 rand() calls";
  EXPECT_EQ(fireState.burstFramesLeft, 120);

  // The first particle's direction is the first three values, x then y then
  // z, mapped onto [-1, 1] and scaled to unit length.
  double cube[3];
  for (int k = 0; k < 3; ++k) cube[k] = 2.0 * r[k] / 32767.0 - 1.0;
  const double n = std::sqrt(cube[0] * cube[0] + cube[1] * cube[1] + cube[2] * cube[2]);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(direction(0)[k], cube[k] / n, 1e-6) << "component " << k;

  for (int i = 0; i < fireParticleCount; ++i) {
    ASSERT_NEAR(length(direction(i)), 1.0, 1e-6) << "particle " << i;
    ASSERT_EQ(position(i)[0], 0.0f);
    ASSERT_EQ(position(i)[1], 0.0f);
    ASSERT_EQ(position(i)[2], 0.0f);
  }
}

TEST_F(FireBurst, DirectionsFillTheCubeNotTheSphere) {
  // Normalising points of the cube crowds directions towards its corners:
  // the share of directions within 0.3 rad of a corner diagonal is higher
  // than a uniform sphere gives.
  std::srand(99);
  startBurst();
  const double cosLimit = std::cos(0.3);
  const double diagonal = 1.0 / std::sqrt(3.0);
  int nearCorner = 0;
  for (int i = 0; i < fireParticleCount; ++i) {
    const float* d = direction(i);
    const double c = diagonal * (std::fabs(d[0]) + std::fabs(d[1]) + std::fabs(d[2]));
    if (c > cosLimit) ++nearCorner;
  }
  const double uniformShare = 8 * (1.0 - cosLimit) / 2.0;  // eight caps of a unit sphere
  EXPECT_GT(nearCorner, 1.4 * uniformShare * fireParticleCount);
}

TEST_F(FireBurst, TheFirstHalfGrowsAsAShellAndTheSecondStaysInThePlaneYEqualsZ) {
  std::srand(7);
  startBurst();
  for (int k = 1; k <= burstLifetime; ++k) {
    moveBurst();
    for (int i = 0; i < fireHalfCount; ++i) {
      ASSERT_NEAR(length(position(i)), 0.2 * k, 1e-4 * k) << "shell particle " << i << " move " << k;
    }
    for (int i = fireHalfCount; i < fireParticleCount; ++i) {
      const float* p = position(i);
      const float* d = direction(i);
      ASSERT_EQ(p[1], p[2]) << "disc particle " << i << " move " << k;
      ASSERT_NEAR(p[0], 0.2 * k * d[2], 1e-4 * k) << "x follows the direction's z";
      ASSERT_NEAR(p[1], 0.2 * k * d[0], 1e-4 * k) << "y and z follow the direction's x";
    }
  }
  EXPECT_NEAR(length(position(0)), 24.0, 2e-3) << "radius after 120 moves";
}

TEST_F(FireBurst, UpdateMovesTheBurstOncePerFrameOnlyWhileItLives) {
  std::srand(11);
  startBurst();
  fireState.burstFramesLeft = 2;
  update(1);
  EXPECT_NEAR(length(position(0)), 0.2, 1e-6);
  update(1);
  EXPECT_NEAR(length(position(0)), 0.4, 1e-6);
  EXPECT_EQ(fireState.burstFramesLeft, 0);
  update(3);
  EXPECT_NEAR(length(position(0)), 0.4, 1e-6) << "an ended burst stays where it stopped";
}

}  // namespace
