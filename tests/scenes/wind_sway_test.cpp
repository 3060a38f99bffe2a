// The tree's sway: each group's period and peak come from summing a double
// step into a float angle, and group 2 (counted from 0) turns the other way.
#include <gtest/gtest.h>

#include "scenes/wind/tree.h"

namespace {

TEST(Sway, GroupsTurnBackUpwardEvery82_62_96_86Frames) {
  treeSway = TreeSway{};
  const int expectedPeriod[swayGroupCount] = {82, 62, 96, 86};
  int lastTurn[swayGroupCount] = {-1, -1, -1, -1};
  int periods[swayGroupCount][3] = {};
  int found[swayGroupCount] = {};
  for (int frame = 1; frame <= 400; ++frame) {
    int before[swayGroupCount];
    for (int g = 0; g < swayGroupCount; ++g) before[g] = treeSway.swayRising[g];
    tree.updateTree();
    for (int g = 0; g < swayGroupCount; ++g) {
      if (!before[g] && treeSway.swayRising[g]) {
        if (lastTurn[g] >= 0 && found[g] < 3) periods[g][found[g]++] = frame - lastTurn[g];
        lastTurn[g] = frame;
      }
    }
  }
  for (int g = 0; g < swayGroupCount; ++g) {
    ASSERT_EQ(found[g], 3) << "group " << g;
    for (int p : periods[g]) EXPECT_EQ(p, expectedPeriod[g]) << "group " << g;
  }
}

TEST(Sway, PeaksOvershootTheTopByLessThanAStep) {
  treeSway = TreeSway{};
  float peak[swayGroupCount] = {}, low[swayGroupCount] = {};
  for (int frame = 0; frame < 1000; ++frame) {
    tree.updateTree();
    for (int g = 0; g < swayGroupCount; ++g) {
      peak[g] = std::max(peak[g], treeSway.swayAngle[g]);
      low[g] = std::min(low[g], treeSway.swayAngle[g]);
    }
  }
  EXPECT_NEAR(peak[0], 6.0f, 1e-4f);
  EXPECT_NEAR(peak[1], 6.2f, 1e-4f);
  EXPECT_NEAR(peak[2], 7.05f, 1e-4f);
  EXPECT_NEAR(peak[3], 8.17f, 1e-4f);
  for (int g = 0; g < swayGroupCount; ++g) {
    EXPECT_GT(low[g], -static_cast<float>(swayGroups[g].step)) << "group " << g;
  }
}

TEST(Sway, GroupTwoTurnsTheOtherWay) {
  treeSway = TreeSway{};
  for (int frame = 0; frame < 10; ++frame) tree.updateTree();
  for (int g = 0; g < swayGroupCount; ++g) {
    const float angle = treeSway.swayAngle[g];
    ASSERT_GT(angle, 0.0f);
    EXPECT_EQ(swayAppliedAngle(g), g == 2 ? -angle : angle) << "group " << g;
  }
}

}  // namespace
