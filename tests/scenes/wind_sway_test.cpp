// The tree's sway: each group's period and peak come from summing its step into
// a float angle up to its top (6, 6, 7, 8 degrees) and back down to 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "scenes/wind/tree.h"

namespace {

TEST(Sway, GroupsSwingWithTheirOwnPeriodAndPeak) {
  treeSway = TreeSway{};
  const struct {
    int period;
    float peak, step;
  } groups[4] = {{82, 6.0f, 0.15f}, {62, 6.2f, 0.2f}, {96, 7.05f, 0.15f}, {86, 8.17f, 0.19f}};
  std::vector<int> turns[4];
  float peak[4] = {}, low[4] = {};
  for (int frame = 1; frame <= 1000; ++frame) {
    const TreeSway before = treeSway;
    tree.updateTree();
    for (int g = 0; g < 4; ++g) {
      if (!before.swayRising[g] && treeSway.swayRising[g]) turns[g].push_back(frame);
      peak[g] = std::max(peak[g], treeSway.swayAngle[g]);
      low[g] = std::min(low[g], treeSway.swayAngle[g]);
    }
  }
  for (int g = 0; g < 4; ++g) {
    SCOPED_TRACE(testing::Message() << "group " << g);
    ASSERT_GE(turns[g].size(), 3u);
    for (size_t t = 1; t < turns[g].size(); ++t) EXPECT_EQ(turns[g][t] - turns[g][t - 1], groups[g].period);
    EXPECT_NEAR(peak[g], groups[g].peak, 1e-4f) << "the top overshot by less than a step";
    EXPECT_GT(low[g], -groups[g].step);
  }
}

}  // namespace
