#include "tools/bench/frame_stats.h"

#include <algorithm>
#include <cmath>

#include "tools/bench/units.h"

namespace {

constexpr double medianFraction = 0.5;
constexpr double p90Fraction = 0.9;
constexpr double p99Fraction = 0.99;

}  // namespace

// Rank ceil(f * n), 1-based, clamped to the samples there are.
double nearestRank(const std::vector<double>& ascending, double fraction) {
  if (ascending.empty()) return 0.0;
  const double count = static_cast<double>(ascending.size());
  const auto rank = static_cast<size_t>(std::ceil(fraction * count));
  const size_t index = std::clamp<size_t>(rank, 1, ascending.size()) - 1;
  return ascending[index];
}

// Sorts its own copy, so the caller's samples keep their frame order.
FrameStats summarise(std::vector<double> samples) {
  FrameStats stats;
  stats.frames = static_cast<int>(samples.size());
  if (samples.empty()) return stats;
  std::sort(samples.begin(), samples.end());
  stats.median = nearestRank(samples, medianFraction);
  stats.p90 = nearestRank(samples, p90Fraction);
  stats.p99 = nearestRank(samples, p99Fraction);
  stats.worst = samples.back();
  return stats;
}

// The rate a frame time allows.
double framesPerSecond(double milliseconds) {
  return milliseconds > 0.0 ? millisecondsPerSecond / milliseconds : 0.0;
}
