#include "tools/modeller/tree_budget.h"

#include <algorithm>
#include <limits>
#include <numeric>

std::vector<int> fitSegments(const std::vector<SegmentWish>& tubes, int target) {
  if (target < 0) return {};
  const size_t n = tubes.size();
  const double unreachable = std::numeric_limits<double>::infinity();
  // cost[i][h]: least cost of the first i tubes using h of the budget;
  // pick[i][h]: the segment count of tube i - 1 on that best path.
  std::vector<std::vector<double>> cost(n + 1, std::vector<double>(target + 1, unreachable));
  std::vector<std::vector<int>> pick(n + 1, std::vector<int>(target + 1, -1));
  cost[0][0] = 0.0;
  for (size_t i = 0; i < n; ++i) {
    const SegmentWish& wish = tubes[i];
    for (int used = 0; used <= target; ++used) {
      if (cost[i][used] == unreachable) continue;
      for (int k = wish.least; k <= wish.most; ++k) {
        const int next = used + wish.sides * k;
        if (next > target) break;
        const double off = static_cast<double>(k - wish.wanted) / std::max(1, wish.wanted);
        const double total = cost[i][used] + off * off;
        if (total < cost[i + 1][next]) {
          cost[i + 1][next] = total;
          pick[i + 1][next] = k;
        }
      }
    }
  }
  if (cost[n][target] == unreachable) return {};
  std::vector<int> segments(n);
  for (size_t i = n, left = static_cast<size_t>(target); i > 0; --i) {
    segments[i - 1] = pick[i][left];
    left -= static_cast<size_t>(tubes[i - 1].sides * segments[i - 1]);
  }
  return segments;
}

std::vector<int> proportionalShares(int total, const std::vector<double>& weights,
                                    const std::vector<int>& least, const std::vector<int>& most) {
  const size_t n = weights.size();
  const int floor = std::accumulate(least.begin(), least.end(), 0);
  const int ceiling = std::accumulate(most.begin(), most.end(), 0);
  if (total < floor || total > ceiling) return {};
  std::vector<int> shares(least);
  // Hand out the rest one at a time to whoever is furthest below their
  // proportional share and still has room.
  const double weightSum = std::accumulate(weights.begin(), weights.end(), 0.0);
  for (int given = floor; given < total; ++given) {
    size_t best = n;
    double bestGap = -std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < n; ++i) {
      if (shares[i] >= most[i]) continue;
      const double gap = total * weights[i] / weightSum - shares[i];
      if (gap > bestGap) {
        bestGap = gap;
        best = i;
      }
    }
    ++shares[best];
  }
  return shares;
}
