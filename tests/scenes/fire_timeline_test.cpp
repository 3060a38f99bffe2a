// The fire's timeline frame by frame: convergence, burst, fade, merge, and
// what Explode and Reset do in each state.
#include <cmath>
#include <vector>

#include "tests/scenes/fire_fixture.h"

namespace {

using FireTimeline = FireTest;

TEST_F(FireTimeline, WithoutExplodeTheCopiesCircleAndNoBurstLives) {
  update(200);
  EXPECT_EQ(fireState.fireDistance, 165.0f);
  EXPECT_EQ(fireState.burstFramesLeft, 0);
  EXPECT_EQ(fireState.merged, 0);
  EXPECT_EQ(fireState.tumbleAngle, 140.0f) << "2.5 degrees a frame, kept within one turn";
  EXPECT_EQ(fireState.orbitAngle, 140.0f);
  EXPECT_EQ(fireState.orbitAngleZ, 140.0f);
  EXPECT_TRUE(coloursAre(fireBlack, fireWhite));
}

TEST_F(FireTimeline, ExplodeBurstsOnUpdate25AndMergesOnUpdate34) {
  fireEffect.explode();
  int burstUpdate = 0;
  int mergeUpdate = 0;
  for (int n = 1; n <= 60; ++n) {
    fireEffect.update();
    SCOPED_TRACE(testing::Message() << "update " << n);
    ASSERT_GE(fireState.fireDistance, 0.0f) << "the distance never goes below 0";
    if (burstUpdate == 0 && fireState.burstFramesLeft > 0) burstUpdate = n;
    if (mergeUpdate == 0 && fireState.merged) mergeUpdate = n;
    if (n < 34) {
      EXPECT_EQ(fireState.fireDistance, 165.0f - 5.0f * n);
      EXPECT_TRUE(coloursAre(fireBlack, fireWhite));
      EXPECT_EQ(fireState.exploding, 1);
    } else {
      EXPECT_EQ(fireState.fireDistance, 0.0f);
      EXPECT_TRUE(coloursAre(fireRed, fireYellow));
      EXPECT_EQ(fireState.exploding, 0);
    }
  }
  EXPECT_EQ(burstUpdate, 25);
  EXPECT_EQ(mergeUpdate, 34);
}

TEST_F(FireTimeline, TheSpinKeepsItsStepAfterDaysOfRunning) {
  // Near 2^24 a float can no longer take a 2.5 step: an unbounded angle would
  // move in steps of 2 and then freeze. Kept within a turn it runs on evenly.
  FireState& s = fireState;
  for (float* angle : {&s.tumbleAngle, &s.orbitAngle, &s.orbitAngleZ}) *angle = 16777100.0f;
  ASSERT_NE((16777100.0f + 2.5f) - 16777100.0f, 2.5f);
  update(1);
  EXPECT_FLOAT_EQ(s.orbitAngle, static_cast<float>(std::fmod(16777100.0 + 2.5, 360.0)));
  for (int i = 0; i < 5000; ++i) {
    const float before = s.orbitAngle;
    fireEffect.update();
    const float step = s.orbitAngle >= before ? s.orbitAngle - before : s.orbitAngle + 360.0f - before;
    ASSERT_NEAR(step, 2.5f, 1e-4f) << "update " << i;
    ASSERT_LT(s.orbitAngle, 360.0f);
    ASSERT_EQ(s.tumbleAngle, s.orbitAngle);
    ASSERT_EQ(s.orbitAngleZ, s.orbitAngle);
  }
}

TEST_F(FireTimeline, TheSpinSlowsFromTheMergeOn) {
  fireEffect.explode();
  update(33);
  EXPECT_FLOAT_EQ(fireState.orbitAngle, 33 * 2.5f);
  update(1);
  EXPECT_FLOAT_EQ(fireState.orbitAngle, 33 * 2.5f + 0.7f) << "the merging update already turns slowly";
  update(10);
  EXPECT_NEAR(fireState.tumbleAngle, 33 * 2.5f + 11 * 0.7f, 1e-3);
  EXPECT_NEAR(fireState.orbitAngleZ, 33 * 2.5f + 11 * 0.7f, 1e-3);
}

TEST_F(FireTimeline, TheBurstIsDrawnAfter119UpdatesAndFadesToAboutMinus0p0235) {
  fireEffect.explode();
  std::vector<int> drawnAfter;
  float alphaBefore = fireState.burstAlpha;
  int fadingSteps = 0;
  int firstFade = 0;
  for (int n = 1; n <= 200; ++n) {
    fireEffect.update();
    if (fireState.burstFramesLeft > 0) drawnAfter.push_back(n);
    if (fireState.burstAlpha < alphaBefore) {
      ++fadingSteps;
      if (firstFade == 0) firstFade = n;
    }
    alphaBefore = fireState.burstAlpha;
    if (n == 143) {
      EXPECT_NEAR(fireState.burstAlpha, -0.0235f, 2e-4) << "the last drawn frame";
    }
  }
  ASSERT_EQ(drawnAfter.size(), 119u);
  EXPECT_EQ(drawnAfter.front(), 25);
  EXPECT_EQ(drawnAfter.back(), 143);
  EXPECT_EQ(fireState.burstFramesLeft, 0);
  EXPECT_EQ(firstFade, 55);
  EXPECT_EQ(fadingSteps, 89);
  EXPECT_NEAR(fireState.burstAlpha, -0.0235f, 2e-4)
      << "not clamped, and not faded once the burst is over";
}

TEST_F(FireTimeline, ExplodeWhileConvergingChangesNothing) {
  fireEffect.explode();
  update(10);
  fireEffect.explode();
  update(1);
  EXPECT_EQ(fireState.fireDistance, 110.0f);
  update(14);
  EXPECT_EQ(fireState.burstFramesLeft, 119) << "the burst still starts on update 25";
}

TEST_F(FireTimeline, ResetWhileConvergingJumpsBackAndConvergesAgain) {
  fireEffect.explode();
  update(30);  // past the burst start, distance 15
  fireEffect.reset();
  EXPECT_EQ(fireState.fireDistance, 165.0f);
  EXPECT_EQ(fireState.burstFramesLeft, -1);
  EXPECT_EQ(fireState.exploding, 1) << "reset leaves a convergence under way";
  EXPECT_TRUE(coloursAre(fireBlack, fireWhite));
  for (int n = 1; n <= 24; ++n) {
    fireEffect.update();
    EXPECT_LE(fireState.burstFramesLeft, 0) << "update " << n;
  }
  fireEffect.update();
  EXPECT_EQ(fireState.fireDistance, 40.0f);
  EXPECT_EQ(fireState.burstFramesLeft, 119) << "a new burst at 40 without a new Explode";
  update(9);
  EXPECT_EQ(fireState.merged, 1);
}

TEST_F(FireTimeline, ResetDuringTheBurstRemovesItAndTheNextStartsAtFullAlpha) {
  fireEffect.explode();
  update(70);
  ASSERT_GT(fireState.burstFramesLeft, 0);
  ASSERT_LT(fireState.burstAlpha, 1.0f);
  ASSERT_EQ(fireState.merged, 1);
  fireEffect.reset();
  EXPECT_EQ(fireState.burstFramesLeft, -1);
  EXPECT_EQ(fireState.merged, 0);
  EXPECT_EQ(fireState.fireDistance, 165.0f);
  EXPECT_TRUE(coloursAre(fireBlack, fireWhite));
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

TEST_F(FireTimeline, ExplodeAfterTheMergeOnlyReappliesTheFireColours) {
  fireEffect.explode();
  update(200);
  ASSERT_EQ(fireState.merged, 1);
  ASSERT_EQ(fireState.burstFramesLeft, 0);
  fireEffect.explode();
  EXPECT_EQ(fireState.exploding, 1);
  update(1);
  EXPECT_EQ(fireState.exploding, 0);
  EXPECT_EQ(fireState.merged, 1);
  EXPECT_EQ(fireState.fireDistance, 0.0f);
  EXPECT_TRUE(coloursAre(fireRed, fireYellow));
  update(50);
  EXPECT_EQ(fireState.burstFramesLeft, 0) << "no new burst";
  EXPECT_EQ(fireState.fireDistance, 0.0f);
}

}  // namespace
