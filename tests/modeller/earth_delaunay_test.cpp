// The exact triangulation under the earth's land: predicates that never
// round, and triangulations that are complete, non-overlapping and Delaunay
// even on fully degenerate input (a lattice is all collinear and cocircular).
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "tools/modeller/earth_delaunay.h"

namespace {

using Triangles = std::vector<std::array<int, 3>>;

// Checks that the triangles tile the rectangle given by the first four points:
// all counter-clockwise, areas adding up to the rectangle's, every inner edge
// shared by exactly two triangles in opposite directions, every point used,
// and no point strictly inside any triangle's circumcircle.
void expectDelaunayTiling(const std::vector<GridPoint>& points, const Triangles& triangles) {
  ASSERT_FALSE(triangles.empty());
  const std::int64_t width = points[1].x - points[0].x, height = points[2].y - points[1].y;
  std::int64_t twiceArea = 0;
  std::map<std::pair<int, int>, int> edges;
  std::vector<int> used(points.size(), 0);
  for (const auto& t : triangles) {
    const std::int64_t o = orient(points[t[0]], points[t[1]], points[t[2]]);
    ASSERT_GT(o, 0) << "triangle " << t[0] << " " << t[1] << " " << t[2];
    twiceArea += o;
    for (int k = 0; k < 3; ++k) {
      ++edges[{t[k], t[(k + 1) % 3]}];
      ++used[t[k]];
    }
    for (size_t p = 0; p < points.size(); ++p) {
      EXPECT_LE(inCircle(points[t[0]], points[t[1]], points[t[2]], points[p]), 0)
          << "point " << p << " inside the circumcircle of " << t[0] << " " << t[1] << " " << t[2];
    }
  }
  EXPECT_EQ(twiceArea, 2 * width * height);
  for (const auto& [edge, count] : edges) {
    EXPECT_EQ(count, 1) << "edge " << edge.first << "-" << edge.second << " repeated";
    const bool onBorder = !edges.count({edge.second, edge.first});
    if (onBorder) {
      // A border edge runs along the rectangle's sides.
      const GridPoint a = points[edge.first], b = points[edge.second];
      EXPECT_TRUE((a.x == b.x && (a.x == points[0].x || a.x == points[1].x)) ||
                  (a.y == b.y && (a.y == points[0].y || a.y == points[2].y)))
          << "inner edge " << edge.first << "-" << edge.second << " has one side only";
    }
  }
  for (size_t p = 0; p < points.size(); ++p) EXPECT_GT(used[p], 0) << "point " << p << " unused";
}

TEST(EarthPredicates, SignsAndExactnessAtTheCoordinateLimit) {
  const GridPoint a{0, 0}, b{4, 0}, c{0, 4};
  EXPECT_GT(orient(a, b, c), 0);
  EXPECT_LT(orient(a, c, b), 0);
  EXPECT_EQ(orient(a, b, {8, 0}), 0);
  EXPECT_GT(inCircle(a, b, c, {1, 1}), 0);
  EXPECT_EQ(inCircle(a, b, c, {4, 4}), 0);
  EXPECT_LT(inCircle(a, b, c, {5, 5}), 0);

  // At the limit the four corners of the largest square are exactly
  // cocircular, and a point one step inside or outside is told apart: a
  // rounding or overflowing test would get these wrong.
  const std::int64_t m = gridCoordinateLimit;
  const GridPoint p{-m, -m}, q{m, -m}, r{m, m};
  EXPECT_EQ(inCircle(p, q, r, {-m, m}), 0);
  EXPECT_GT(inCircle(p, q, r, {-m + 1, m}), 0);
  EXPECT_LT(inCircle(p, q, r, {-m, m + 1}), 0);
  EXPECT_GT(inCircle(p, q, r, {0, 0}), 0);
}

TEST(EarthDelaunay, TilesALatticeOfCollinearAndCocircularPoints) {
  std::vector<GridPoint> points{{0, 0}, {6, 0}, {6, 4}, {0, 4}};
  for (int y = 0; y <= 4; ++y) {
    for (int x = 0; x <= 6; ++x) {
      const bool corner = (x == 0 || x == 6) && (y == 0 || y == 4);
      if (!corner) points.push_back({x, y});
    }
  }
  const Triangles triangles = delaunayInRectangle(points);
  expectDelaunayTiling(points, triangles);
  // 35 points, 20 of them on the border: 2 x 35 - 2 - 20 triangles.
  EXPECT_EQ(triangles.size(), 48u);
}

TEST(EarthDelaunay, TilesScatteredPointsWithPointsOnTheBorder) {
  std::mt19937 random(7);
  std::vector<GridPoint> points{{-9000, -5000}, {9000, -5000}, {9000, 5000}, {-9000, 5000}};
  for (int i = 0; i < 6; ++i) {
    points.push_back({-9000 + 2500 * (i + 1), -5000});
    points.push_back({9000, -5000 + 1400 * (i + 1)});
  }
  const int borderCount = static_cast<int>(points.size());
  while (points.size() < 400) {
    const GridPoint p{static_cast<std::int64_t>(random() % 17999) - 8999,
                      static_cast<std::int64_t>(random() % 9999) - 4999};
    bool fresh = true;
    for (const GridPoint& q : points) fresh = fresh && (q.x != p.x || q.y != p.y);
    if (fresh) points.push_back(p);
  }
  const Triangles triangles = delaunayInRectangle(points);
  expectDelaunayTiling(points, triangles);
  EXPECT_EQ(static_cast<int>(triangles.size()), 2 * 400 - 2 - borderCount);
}

TEST(EarthDelaunay, RefusesInputItCannotTriangulate) {
  const std::vector<GridPoint> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  auto outside = square;
  outside.push_back({11, 5});
  auto repeated = square;
  repeated.push_back({5, 5});
  repeated.push_back({5, 5});
  auto onCorner = square;
  onCorner.push_back({10, 10});
  // Beyond the limit the in-circle test could overflow, so even a plain
  // rectangle is refused.
  const std::int64_t far = gridCoordinateLimit + 1;
  const std::vector<GridPoint> tooFar{{0, 0}, {far, 0}, {far, 10}, {0, 10}};
  const std::vector<GridPoint> clockwise{{0, 0}, {0, 10}, {10, 10}, {10, 0}};
  EXPECT_TRUE(delaunayInRectangle(outside).empty());
  EXPECT_TRUE(delaunayInRectangle(repeated).empty());
  EXPECT_TRUE(delaunayInRectangle(onCorner).empty());
  EXPECT_TRUE(delaunayInRectangle(tooFar).empty());
  EXPECT_TRUE(delaunayInRectangle(clockwise).empty());
  EXPECT_EQ(delaunayInRectangle(square).size(), 2u);
}

}  // namespace
