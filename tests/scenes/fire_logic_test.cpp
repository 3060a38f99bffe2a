// The fire without GL: its timeline (convergence, burst, fade, merge, Explode
// and Reset in each state) and the burst's particles (shell and flat disc).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "assets/models.h"
#include "platform/random_value.h"
#include "scenes/fire/fire_burst.h"
#include "scenes/fire/fire_effect.h"
#include "scenes/fire/fire_state.h"

namespace {

class Fire : public testing::Test {
 protected:
  void SetUp() override {
    fireState = FireState{fireState.fireParticlePositions, fireState.fireParticleDirections};
    fireEffect.reset();
    fireState.burstFramesLeft = 0;
  }
  static void update(int n) { for (int i = 0; i < n; ++i) fireEffect.update(); }
  // Whether corner A has colour a and corners B and C colour bc.
  static bool coloursAre(std::vector<float> a, std::vector<float> bc) {
    const auto corner = [](int k) {
      return std::vector<float>(fireballModel.cornerColours[k], fireballModel.cornerColours[k] + 3);
    };
    return corner(0) == a && corner(1) == bc && corner(2) == bc;
  }
  static const float* position(int i) { return fireState.fireParticlePositions + 3 * i; }
  static const float* direction(int i) { return fireState.fireParticleDirections + 3 * i; }
  static double length(const float* v) { return std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]); }
};

const std::vector<float> black{0, 0, 0}, white{1, 1, 1}, red{1, 0, 0}, yellow{1, 1, 0};

// After Explode (a second one while converging changes nothing) the copies
// close in 5 a frame and merge on update 34, turning slowly from then; the
// burst starts on update 25 and lives 119 updates, fading from update 55 to
// about -0.0235 (not clamped, and no more once it is over), moving once an
// update while it lives. Explode after the
// merge only reapplies the fire colours.
TEST_F(Fire, ExplodeClosesInBurstsMergesAndFades) {
  fireEffect.explode();
  std::vector<int> drawnAfter, fadedIn, mergedAfter;
  for (int n = 1; n <= 200; ++n) {
    const float alpha = fireState.burstAlpha;
    if (n == 11) fireEffect.explode();
    fireEffect.update();
    SCOPED_TRACE(testing::Message() << "update " << n);
    if (fireState.burstFramesLeft > 0) drawnAfter.push_back(n);
    if (fireState.burstAlpha < alpha) fadedIn.push_back(n);
    if (fireState.merged) mergedAfter.push_back(n);
    EXPECT_EQ(fireState.fireDistance, std::max(165.0f - 5.0f * n, 0.0f));
    EXPECT_TRUE(n < 34 ? coloursAre(black, white) : coloursAre(red, yellow));
    EXPECT_EQ(fireState.exploding, n < 34 ? 1 : 0);
    EXPECT_NEAR(fireState.orbitAngle, n < 34 ? 2.5f * n : 33 * 2.5f + (n - 33) * 0.7f, 1e-2)
        << "the merging update already turns slowly";
    EXPECT_NEAR(n < 25 ? 0.0 : length(position(0)), 0.2 * std::clamp(n - 24, 0, 120), 1e-3) << "burst moves";
  }
  ASSERT_EQ(drawnAfter.size(), 119u);
  EXPECT_EQ(drawnAfter.front(), 25);
  EXPECT_EQ(drawnAfter.back(), 143);
  EXPECT_EQ(mergedAfter.front(), 34);
  EXPECT_EQ(fadedIn.size(), 89u);
  EXPECT_EQ(fadedIn.front(), 55);
  EXPECT_NEAR(fireState.burstAlpha, -0.0235f, 2e-4);
  fireballModel.setCornerColorA(black.data());
  fireEffect.explode();
  update(50);
  EXPECT_TRUE(coloursAre(red, yellow));
  EXPECT_TRUE(fireState.exploding == 0 && fireState.merged == 1 && fireState.fireDistance == 0.0f);
  EXPECT_EQ(fireState.burstFramesLeft, 0) << "no new burst";
}

TEST_F(Fire, TheSpinKeepsItsStepAfterDaysOfRunning) {
  // Near 2^24 an unbounded float angle would step by 2, then freeze.
  FireState& s = fireState;
  s.tumbleAngle = s.orbitAngle = s.orbitAngleZ = 16777100.0f;
  update(1);
  EXPECT_FLOAT_EQ(s.orbitAngle, static_cast<float>(std::fmod(16777100.0 + 2.5, 360.0)));
  for (int i = 0; i < 5000; ++i) {
    const float before = s.orbitAngle;
    fireEffect.update();
    ASSERT_NEAR(std::fmod(s.orbitAngle - before + 360.0f, 360.0f), 2.5f, 1e-4f) << "update " << i;
    ASSERT_TRUE(s.orbitAngle < 360.0f && s.tumbleAngle == s.orbitAngle && s.orbitAngleZ == s.orbitAngle);
  }
}

TEST_F(Fire, ResetWhileConvergingJumpsBackAndConvergesAgain) {
  fireEffect.explode();
  update(30);  // past the burst start, distance 15
  fireEffect.reset();
  EXPECT_EQ(fireState.fireDistance, 165.0f);
  EXPECT_EQ(fireState.burstFramesLeft, -1);
  EXPECT_EQ(fireState.exploding, 1) << "reset leaves a convergence under way";
  update(24);
  EXPECT_EQ(fireState.burstFramesLeft, -1);
  update(1);
  EXPECT_EQ(fireState.burstFramesLeft, 119) << "a new burst at 40 without a new Explode";
  update(9);
  EXPECT_EQ(fireState.merged, 1);
}

TEST_F(Fire, ResetDuringTheBurstRemovesItAndTheNextStartsAtFullAlpha) {
  fireEffect.explode();
  update(70);
  ASSERT_TRUE(fireState.burstFramesLeft > 0 && fireState.burstAlpha < 1.0f && fireState.merged == 1);
  fireEffect.reset();
  EXPECT_EQ(fireState.burstFramesLeft, -1);
  EXPECT_EQ(fireState.merged, 0);
  EXPECT_EQ(fireState.fireDistance, 165.0f);
  EXPECT_TRUE(coloursAre(black, white));
  const float alphaAtReset = fireState.burstAlpha;
  const std::vector<float> before(position(0), position(0) + 3);
  update(5);
  EXPECT_EQ(std::vector<float>(position(0), position(0) + 3), before) << "a removed burst stays still";
  EXPECT_EQ(fireState.burstAlpha, alphaAtReset) << "reset leaves the alpha alone";
  EXPECT_EQ(fireState.fireDistance, 165.0f) << "the convergence was ended by the merge";
  fireEffect.explode();
  update(25);
  EXPECT_EQ(fireState.burstFramesLeft, 119);
  EXPECT_EQ(fireState.burstAlpha, 1.0f);
}

TEST_F(Fire, BurstDirectionsAreUnitVectorsFromThreeRandValuesEach) {
  std::srand(4242);
  const int r[3] = {randomValue(), randomValue(), randomValue()};
  for (int i = 3; i < 3 * 14000; ++i) std::rand();
  const int afterBurst = std::rand();
  std::srand(4242);
  startBurst();
  EXPECT_EQ(std::rand(), afterBurst) << "exactly 42000 rand() calls";
  EXPECT_EQ(fireState.burstFramesLeft, 120);
  // The first direction: the first three values mapped onto [-1, 1], then to unit length.
  double cube[3];
  for (int k = 0; k < 3; ++k) cube[k] = 2.0 * r[k] / 32767.0 - 1.0;
  const double norm = std::sqrt(cube[0] * cube[0] + cube[1] * cube[1] + cube[2] * cube[2]);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(direction(0)[k], cube[k] / norm, 1e-6) << "component " << k;
  // Normalised cube points crowd towards the corners: more within 0.3 rad of a
  // diagonal than a uniform sphere gives.
  int nearCorner = 0;
  for (int i = 0; i < 14000; ++i) {
    ASSERT_NEAR(length(direction(i)), 1.0, 1e-6) << "particle " << i;
    ASSERT_EQ(length(position(i)), 0.0);
    const float* d = direction(i);
    nearCorner += (std::fabs(d[0]) + std::fabs(d[1]) + std::fabs(d[2])) / std::sqrt(3.0) > std::cos(0.3);
  }
  EXPECT_GT(nearCorner, 1.4 * 4 * (1.0 - std::cos(0.3)) * 14000);
  int low = 32767, high = 0;  // random values span 0 to 32767
  for (int i = 0; i < 500000; ++i) low = std::min(low, randomValue()), high = std::max(high, randomValue());
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 32767);
}

TEST_F(Fire, TheFirstHalfGrowsAsAShellAndTheSecondStaysInThePlaneYEqualsZ) {
  std::srand(7);
  startBurst();
  for (int k = 1; k <= 120; ++k) {
    moveBurst();
    for (int i = 0; i < 7000; ++i) ASSERT_NEAR(length(position(i)), 0.2 * k, 1e-4 * k) << "shell " << i;
    for (int i = 7000; i < 14000; ++i) {
      const float *p = position(i), *d = direction(i);
      ASSERT_EQ(p[1], p[2]) << "disc particle " << i << " move " << k;
      ASSERT_NEAR(p[0], 0.2 * k * d[2], 1e-4 * k) << "x follows the direction's z";
      ASSERT_NEAR(p[1], 0.2 * k * d[0], 1e-4 * k) << "y and z follow the direction's x";
    }
  }
}

}  // namespace
