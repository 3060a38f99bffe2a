// The earth: the exact triangulation under its land, and the model built on
// it. The land is a Delaunay triangulation of the square base without
// slivers, on a flat rim of 16 border points, with the texture spread once
// across it, an island rising from the water and a lake inland; the water is
// an even 41 x 41 grid, gently waved, its texture spanning it once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "tests/modeller/mesh_checks.h"
#include "tools/modeller/earth_delaunay.h"
#include "tools/modeller/models.h"

namespace {

const Box landBox = configuredEntry("earth").mesh(1).box();
const Box waterBox = configuredEntry("earth").mesh(2).box();
const double halfSize = landBox.max[0];
constexpr double gridPerUnit = 20.0;

TEST(EarthDelaunay, PredicatesAreExactAndDegenerateOrBadInputIsHandled) {
  // At the limit the corners of the largest square are exactly cocircular,
  // and one step inside or outside is told apart: a rounding or overflowing
  // test would get these wrong.
  const std::int64_t m = gridCoordinateLimit;
  const GridPoint p{-m, -m}, q{m, -m}, r{m, m};
  EXPECT_EQ(inCircle(p, q, r, {-m, m}), 0);
  EXPECT_GT(inCircle(p, q, r, {-m + 1, m}), 0);
  EXPECT_LT(inCircle(p, q, r, {-m, m + 1}), 0);
  EXPECT_GT(orient({0, 0}, {4, 0}, {0, 4}), 0);
  EXPECT_EQ(orient({0, 0}, {4, 0}, {8, 0}), 0);

  // A lattice is all collinear and cocircular points: 35 of them, 20 on the
  // border, make 2 x 35 - 2 - 20 triangles, all turning left, tiling the
  // rectangle, each with an empty circumcircle.
  std::vector<GridPoint> lattice{{0, 0}, {6, 0}, {6, 4}, {0, 4}};
  for (int y = 0; y <= 4; ++y) {
    for (int x = 0; x <= 6; ++x) {
      if (!((x == 0 || x == 6) && (y == 0 || y == 4))) lattice.push_back({x, y});
    }
  }
  const auto triangles = delaunayInRectangle(lattice);
  ASSERT_EQ(triangles.size(), 48u);
  std::int64_t twiceArea = 0;
  for (const auto& t : triangles) {
    const std::int64_t o = orient(lattice[t[0]], lattice[t[1]], lattice[t[2]]);
    EXPECT_GT(o, 0);
    twiceArea += o;
    for (const GridPoint& d : lattice) EXPECT_LE(inCircle(lattice[t[0]], lattice[t[1]], lattice[t[2]], d), 0);
  }
  EXPECT_EQ(twiceArea, 2 * 6 * 4);

  // Points outside, repeated or on a corner, corners past the limit or turning
  // the wrong way: refused, not triangulated wrongly.
  const std::vector<GridPoint> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  const std::int64_t far = gridCoordinateLimit + 1;
  for (const auto& extra : std::vector<std::vector<GridPoint>>{{{11, 5}}, {{5, 5}, {5, 5}}, {{10, 10}}}) {
    std::vector<GridPoint> points = square;
    points.insert(points.end(), extra.begin(), extra.end());
    EXPECT_TRUE(delaunayInRectangle(points).empty()) << extra[0].x << ", " << extra[0].y;
  }
  EXPECT_TRUE(delaunayInRectangle({{0, 0}, {far, 0}, {far, 10}, {0, 10}}).empty());
  EXPECT_TRUE(delaunayInRectangle({{0, 0}, {0, 10}, {10, 10}, {10, 0}}).empty());
  EXPECT_EQ(delaunayInRectangle(square).size(), 2u);
}

TEST(EarthModel, LandIsADelaunayTriangulationOnAFlatRimWithItsTextureSpreadOnce) {
  const MeshData& land = builtMesh("earth", 1);
  std::vector<GridPoint> grid;
  int border = 0;
  for (int i = 0; i < land.vertexCount(); ++i) {
    const Vec3 p = vertexAt(land, i);
    grid.push_back({std::llround(p.x * gridPerUnit), std::llround(p.y * gridPerUnit)});
    EXPECT_NEAR(grid.back().x / gridPerUnit, p.x, 1e-9);
    EXPECT_NEAR(land.uvs[2 * i], (p.x + halfSize) / (2 * halfSize), 1e-9);
    EXPECT_NEAR(land.uvs[2 * i + 1], (p.y + halfSize) / (2 * halfSize), 1e-9);
    if (std::max(std::fabs(p.x), std::fabs(p.y)) < halfSize - 1e-9) continue;
    // A border point: a corner or a quarter point of a side, at rim height.
    ++border;
    EXPECT_DOUBLE_EQ(p.z, landBox.min[2]);
    for (double c : {p.x, p.y}) EXPECT_NEAR(std::remainder(c, halfSize / 2), 0.0, 1e-9) << c;
  }
  EXPECT_EQ(border, 16);
  EXPECT_EQ(land.uvTriangles, land.triangles);
  // Seen from above every triangle faces up and the triangles cover the base
  // once; no vertex lies inside a neighbour's circumcircle; no angle is slender.
  std::map<std::pair<int, int>, int> oppositeOf;
  double planArea = 0.0, largestCosine = -1.0;
  for (int f = 0; f < land.triangleCount(); ++f) {
    const int* t = &land.triangles[3 * f];
    const std::int64_t o = orient(grid[t[0]], grid[t[1]], grid[t[2]]);
    ASSERT_GT(o, 0) << "triangle " << f;
    planArea += o / (2.0 * gridPerUnit * gridPerUnit);
    for (int k = 0; k < 3; ++k) {
      oppositeOf[{t[k], t[(k + 1) % 3]}] = t[(k + 2) % 3];
      Vec3 u = vertexAt(land, t[(k + 1) % 3]) - vertexAt(land, t[k]), v = vertexAt(land, t[(k + 2) % 3]) - vertexAt(land, t[k]);
      u.z = v.z = 0.0;
      largestCosine = std::max(largestCosine, dot(normalized(u), normalized(v)));
    }
  }
  EXPECT_NEAR(planArea, 4.0 * halfSize * halfSize, 1e-6);
  for (const auto& [edge, third] : oppositeOf) {
    const auto across = oppositeOf.find({edge.second, edge.first});
    if (across == oppositeOf.end()) continue;
    EXPECT_LE(inCircle(grid[edge.first], grid[edge.second], grid[third], grid[across->second]), 0)
        << "edge " << edge.first << "-" << edge.second << " is not locally Delaunay";
  }
  EXPECT_LT(largestCosine, std::cos(15.0 * pi / 180.0)) << "an angle under 15 degrees";
}

TEST(EarthModel, AnIslandRisesFromTheWaterWithALakeInland) {
  // The summit stands near the centre; the sea covers a wide band inside the
  // border; a fair share of the base stands above the highest water; and low
  // ground that the sea cannot reach lies inland: a lake.
  const MeshData& land = builtMesh("earth", 1);
  const int count = land.vertexCount();
  const double waterLow = waterBox.min[2], waterHigh = waterBox.max[2];
  Vec3 top = vertexAt(land, 0);
  std::vector<std::vector<int>> neighbours(count);
  double dryArea = 0.0;
  for (int f = 0; f < land.triangleCount(); ++f) {
    const int* t = &land.triangles[3 * f];
    for (int k = 0; k < 3; ++k) neighbours[t[k]].push_back(t[(k + 1) % 3]);
    const Vec3 a = vertexAt(land, t[0]), b = vertexAt(land, t[1]), c = vertexAt(land, t[2]);
    if (std::min({a.z, b.z, c.z}) > waterHigh) dryArea += cross(b - a, c - a).z / 2.0;
    for (const Vec3& p : {a, b, c}) if (p.z > top.z) top = p;
  }
  EXPECT_LT(std::hypot(top.x, top.y), 60.0);
  EXPECT_GT(dryArea / (4.0 * halfSize * halfSize), 0.2);
  EXPECT_LT(dryArea / (4.0 * halfSize * halfSize), 0.5);
  // Flood from the border through everything under the highest water.
  std::vector<char> sea(count, 0);
  std::vector<int> front;
  for (int i = 0; i < count; ++i) {
    const Vec3 p = vertexAt(land, i);
    const double fromBorder = halfSize - std::max(std::fabs(p.x), std::fabs(p.y));
    EXPECT_TRUE(fromBorder > 120.0 || p.z < waterLow) << "land near the border stands out of the sea";
    if (fromBorder < 1e-9) sea[i] = 1, front.push_back(i);
  }
  while (!front.empty()) {
    const int i = front.back();
    front.pop_back();
    for (int j : neighbours[i]) {
      if (!sea[j] && vertexAt(land, j).z < waterHigh) sea[j] = 1, front.push_back(j);
    }
  }
  int lakeBed = 0;
  for (int i = 0; i < count; ++i) lakeBed += !sea[i] && vertexAt(land, i).z < waterLow;
  EXPECT_GT(lakeBed, 10);
}

TEST(EarthModel, WaterIsAnEvenGentlyWavedGridWithItsTextureSpanningItOnce) {
  const MeshData& water = builtMesh("earth", 2);
  constexpr int side = 41;
  ASSERT_EQ(water.vertexCount(), side * side);
  const Vec3 first = vertexAt(water, 0), last = vertexAt(water, side * side - 1);
  const double stepX = (last.x - first.x) / (side - 1), stepY = (last.y - first.y) / (side - 1);
  double sum = 0.0, sumSquares = 0.0, steepest = 0.0;
  for (int r = 0; r < side; ++r) {
    for (int c = 0; c < side; ++c) {
      const int i = r * side + c;
      const Vec3 p = vertexAt(water, i);
      EXPECT_NEAR(p.x, first.x + c * stepX, 1e-9);
      EXPECT_NEAR(p.y, first.y + r * stepY, 1e-9);
      EXPECT_NEAR(water.uvs[2 * i], c / 40.0, 1e-12);
      EXPECT_NEAR(water.uvs[2 * i + 1], r / 40.0, 1e-12);
      sum += p.z;
      sumSquares += p.z * p.z;
      if (c > 0) steepest = std::max(steepest, std::fabs(p.z - vertexAt(water, i - 1).z) / stepX);
      if (r > 0) steepest = std::max(steepest, std::fabs(p.z - vertexAt(water, i - side).z) / stepY);
    }
  }
  const double mean = sum / (side * side);
  EXPECT_GT(std::sqrt(sumSquares / (side * side) - mean * mean), 2.0);
  EXPECT_LT(steepest, 0.3);
  for (int f = 0; f < water.triangleCount(); ++f) {
    const int* t = &water.triangles[3 * f];
    EXPECT_GT(cross(vertexAt(water, t[1]) - vertexAt(water, t[0]), vertexAt(water, t[2]) - vertexAt(water, t[0])).z, 0.0)
        << "triangle " << f << " faces down";
  }
}

}  // namespace
