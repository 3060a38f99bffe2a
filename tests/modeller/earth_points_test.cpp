// Point spreading for the earth's land: exactly the wanted count, evenly
// spread at the wanted local spacing (no clumps, no holes), only where
// allowed, and the same points for the same seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/modeller/earth_points.h"

namespace {

constexpr double side = 100.0;

SpreadRequest uniformRequest(int count, double spacing, std::uint32_t seed) {
  SpreadRequest request;
  request.count = count;
  request.minX = request.minY = 0.0;
  request.maxX = request.maxY = side;
  request.spacing = [spacing](PlanePoint) { return spacing; };
  request.allowed = [](PlanePoint) { return true; };
  request.seed = seed;
  return request;
}

double nearestDistance(const std::vector<PlanePoint>& points, PlanePoint p, size_t skip) {
  double best = HUGE_VAL;
  for (size_t j = 0; j < points.size(); ++j) {
    if (j != skip) best = std::min(best, std::hypot(points[j].x - p.x, points[j].y - p.y));
  }
  return best;
}

// The spacing at which count points pack a side x side square hexagonally.
double packedSpacing(int count) { return std::sqrt(2.0 * side * side / (std::sqrt(3.0) * count)); }

TEST(EarthPoints, ExactCountSpreadEvenlyWithoutClumpsOrHoles) {
  constexpr int count = 400;
  const double spacing = packedSpacing(count);
  const std::vector<PlanePoint> points = spreadPoints(uniformRequest(count, spacing, 11));
  ASSERT_EQ(points.size(), static_cast<size_t>(count));
  for (size_t i = 0; i < points.size(); ++i) {
    EXPECT_GT(nearestDistance(points, points[i], i), 0.55 * spacing) << "clump at point " << i;
  }
  // Every probe inside the square (away from its edges) has a point nearby.
  for (double x = 5.0; x < side - 5.0; x += 2.5) {
    for (double y = 5.0; y < side - 5.0; y += 2.5) {
      EXPECT_LT(nearestDistance(points, {x, y}, points.size()), 1.0 * spacing) << "hole at " << x << ", " << y;
    }
  }
}

TEST(EarthPoints, DensityFollowsTheSpacingAndKeepsOutOfForbiddenGround) {
  // Spacing 3 on the left half and 6 on the right: four times as many points
  // on the left. No point in the disc around the middle, none on the fixed
  // points.
  SpreadRequest request = uniformRequest(500, 1.0, 5);
  request.spacing = [](PlanePoint p) { return p.x < side / 2 ? 3.0 : 6.0; };
  request.allowed = [](PlanePoint p) { return std::hypot(p.x - 50.0, p.y - 50.0) > 10.0; };
  request.fixed = {{0, 0}, {side, 0}, {side, side}, {0, side}, {30.0, 30.0}};
  const std::vector<PlanePoint> points = spreadPoints(request);
  ASSERT_EQ(points.size(), 500u);
  int left = 0;
  for (const PlanePoint& p : points) {
    left += p.x < side / 2;
    EXPECT_GT(std::hypot(p.x - 50.0, p.y - 50.0), 10.0);
    for (const PlanePoint& f : request.fixed) EXPECT_GT(std::hypot(p.x - f.x, p.y - f.y), 1.0);
  }
  const double ratio = static_cast<double>(left) / (points.size() - left);
  EXPECT_GT(ratio, 3.0);
  EXPECT_LT(ratio, 5.5);
}

TEST(EarthPoints, TheSeedDecidesThePoints) {
  const double spacing = packedSpacing(200);
  const auto first = spreadPoints(uniformRequest(200, spacing, 3));
  const auto again = spreadPoints(uniformRequest(200, spacing, 3));
  const auto other = spreadPoints(uniformRequest(200, spacing, 4));
  ASSERT_EQ(first.size(), again.size());
  int same = 0, sameAsOther = 0;
  for (size_t i = 0; i < first.size(); ++i) {
    same += first[i].x == again[i].x && first[i].y == again[i].y;
    sameAsOther += first[i].x == other[i].x && first[i].y == other[i].y;
  }
  EXPECT_EQ(same, 200);
  EXPECT_EQ(sameAsOther, 0);

  // The unit numbers stay in [0, 1) and are not stuck in a corner of it.
  UnitRandom random(9);
  double low = 1.0, high = 0.0, sum = 0.0;
  constexpr int draws = 10000;
  for (int i = 0; i < draws; ++i) {
    const double u = random.next();
    ASSERT_GE(u, 0.0);
    ASSERT_LT(u, 1.0);
    low = std::min(low, u);
    high = std::max(high, u);
    sum += u;
  }
  EXPECT_LT(low, 0.001);
  EXPECT_GT(high, 0.999);
  EXPECT_NEAR(sum / draws, 0.5, 0.01);
}

}  // namespace
