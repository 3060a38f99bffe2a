// Exact triangle budgets for the tree's limbs. An open tube of s sides and
// k segments (k + 1 rings) has 2 s k triangles, so a bark mesh of T
// triangles needs the sides times segments of its tubes to add up to T / 2.
#pragma once
#include <vector>

struct SegmentWish {
  int sides;
  int wanted;  // segments the tube's length asks for
  int least;   // fewest segments allowed
  int most;    // most segments allowed
};

// One segment count per tube, each within its [least, most], whose sides x
// segments add up to target exactly, as close to the wanted counts as can be
// (least sum of squared differences, relative to the wanted count). Empty
// when no choice adds up.
std::vector<int> fitSegments(const std::vector<SegmentWish>& tubes, int target);

// Splits total into one share per weight, each at least least[i] and at most
// most[i], as nearly proportional to the weights as the bounds allow (largest
// remainders). Empty when the bounds cannot hold the total.
std::vector<int> proportionalShares(int total, const std::vector<double>& weights,
                                    const std::vector<int>& least, const std::vector<int>& most);
