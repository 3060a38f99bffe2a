#include "tools/modeller/earth_points.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <unordered_map>
#include <utility>

namespace {

// Falloff of the crowding weight with distance: steep, as in weighted sample
// elimination, so the nearest neighbours decide.
constexpr double crowdingExponent = 8.0;
// Spacing probes per side when looking for the smallest spacing.
constexpr int spacingProbes = 96;
// Give up drawing candidates after this many tries per wanted candidate.
constexpr int drawAttemptsPerCandidate = 1000;

struct Neighbour {
  int index;
  double weight;
};

double smallestSpacing(const SpreadRequest& request) {
  double smallest = HUGE_VAL;
  for (int i = 0; i <= spacingProbes; ++i) {
    for (int j = 0; j <= spacingProbes; ++j) {
      const PlanePoint p{request.minX + (request.maxX - request.minX) * i / spacingProbes,
                         request.minY + (request.maxY - request.minY) * j / spacingProbes};
      smallest = std::min(smallest, request.spacing(p));
    }
  }
  return smallest;
}

// Candidates drawn with a density proportional to 1 / spacing^2, so that
// thinning them leaves the wanted spacing everywhere.
std::vector<PlanePoint> drawCandidates(const SpreadRequest& request, double minSpacing) {
  UnitRandom random(request.seed);
  const int wanted = static_cast<int>(std::ceil(request.count * request.candidatesPerPoint));
  std::vector<PlanePoint> candidates;
  for (long attempt = 0; attempt < static_cast<long>(wanted) * drawAttemptsPerCandidate &&
                         static_cast<int>(candidates.size()) < wanted;
       ++attempt) {
    const PlanePoint p{request.minX + (request.maxX - request.minX) * random.next(),
                       request.minY + (request.maxY - request.minY) * random.next()};
    const double keep = minSpacing / request.spacing(p);
    if (random.next() < keep * keep && request.allowed(p)) candidates.push_back(p);
  }
  return candidates;
}

}  // namespace

double UnitRandom::next() {
  // 27 + 26 random bits make one double in [0, 1).
  const double high = static_cast<double>(engine_() >> 5);
  const double low = static_cast<double>(engine_() >> 6);
  return (high * 67108864.0 + low) / 9007199254740992.0;
}

std::vector<PlanePoint> spreadPoints(const SpreadRequest& request) {
  const double minSpacing = smallestSpacing(request);
  std::vector<PlanePoint> all = request.fixed;
  const int fixedCount = static_cast<int>(all.size());
  for (const PlanePoint& p : drawCandidates(request, minSpacing)) all.push_back(p);
  const int total = static_cast<int>(all.size());
  std::vector<double> spacing(total);
  for (int i = 0; i < total; ++i) spacing[i] = request.spacing(all[i]);

  // Neighbours: points closer than the mean of their two spacings. Each pair
  // is found by the point with the larger spacing, whose reach covers it.
  const double cell = minSpacing;
  const auto cellOf = [&](double v, double origin) { return static_cast<long>(std::floor((v - origin) / cell)); };
  std::unordered_map<long long, std::vector<int>> grid;
  // Shifted as unsigned: cells left of or below the origin have negative numbers.
  const auto key = [](long cx, long cy) {
    return static_cast<long long>((static_cast<unsigned long long>(cx) << 32) ^
                                  (static_cast<unsigned long long>(cy) & 0xffffffffULL));
  };
  for (int i = 0; i < total; ++i) {
    grid[key(cellOf(all[i].x, request.minX), cellOf(all[i].y, request.minY))].push_back(i);
  }
  std::vector<std::vector<Neighbour>> neighbours(total);
  for (int i = 0; i < total; ++i) {
    const long reach = static_cast<long>(std::ceil(spacing[i] / cell));
    const long cx = cellOf(all[i].x, request.minX), cy = cellOf(all[i].y, request.minY);
    for (long gx = cx - reach; gx <= cx + reach; ++gx) {
      for (long gy = cy - reach; gy <= cy + reach; ++gy) {
        const auto found = grid.find(key(gx, gy));
        if (found == grid.end()) continue;
        for (int j : found->second) {
          const bool mine = spacing[i] > spacing[j] || (spacing[i] == spacing[j] && i < j);
          if (j == i || !mine) continue;
          const double range = 0.5 * (spacing[i] + spacing[j]);
          const double d = std::hypot(all[i].x - all[j].x, all[i].y - all[j].y);
          if (d >= range) continue;
          const double w = std::pow(1.0 - d / range, crowdingExponent);
          neighbours[i].push_back({j, w});
          neighbours[j].push_back({i, w});
        }
      }
    }
  }

  // Thin the candidates: always remove the most crowded one (ties: the
  // highest index), then relieve its neighbours.
  std::vector<double> crowding(total, 0.0);
  std::priority_queue<std::pair<double, int>> queue;
  for (int i = fixedCount; i < total; ++i) {
    for (const Neighbour& n : neighbours[i]) crowding[i] += n.weight;
    queue.push({crowding[i], i});
  }
  std::vector<char> alive(total, 1);
  int remaining = total - fixedCount;
  while (remaining > request.count && !queue.empty()) {
    const auto [weight, i] = queue.top();
    queue.pop();
    if (!alive[i] || weight != crowding[i]) continue;  // removed or out of date
    alive[i] = 0;
    --remaining;
    for (const Neighbour& n : neighbours[i]) {
      if (n.index < fixedCount || !alive[n.index]) continue;
      crowding[n.index] -= n.weight;
      queue.push({crowding[n.index], n.index});
    }
  }
  std::vector<PlanePoint> kept;
  for (int i = fixedCount; i < total; ++i) {
    if (alive[i]) kept.push_back(all[i]);
  }
  return kept;
}
