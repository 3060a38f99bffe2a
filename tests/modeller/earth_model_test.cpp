// The earth beyond its counts and boxes: the land is a Delaunay
// triangulation of the square base without slivers, on a flat rim of 16
// border points, with the texture spread once across it; the water is an
// even 41 x 41 grid with its texture spanning it once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "tests/modeller/mesh_checks.h"
#include "tools/modeller/earth_delaunay.h"
#include "tools/modeller/models.h"

namespace {

const Box landBox = configuredEntry("earth").mesh(1).box();
const double halfSize = landBox.max[0];
constexpr double gridPerUnit = 20.0;

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
      Vec3 u = vertexAt(land, t[(k + 1) % 3]) - vertexAt(land, t[k]);
      Vec3 v = vertexAt(land, t[(k + 2) % 3]) - vertexAt(land, t[k]);
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

TEST(EarthModel, WaterIsAnEvenGridWithItsTextureSpanningItOnce) {
  const MeshData& water = builtMesh("earth", 2);
  constexpr int side = 41;
  ASSERT_EQ(water.vertexCount(), side * side);
  const Vec3 first = vertexAt(water, 0), step = (vertexAt(water, side * side - 1) - first) * 0.025;
  for (int i = 0; i < side * side; ++i) {
    const int r = i / side, c = i % side;
    EXPECT_NEAR(vertexAt(water, i).x, first.x + c * step.x, 1e-9) << i;
    EXPECT_NEAR(vertexAt(water, i).y, first.y + r * step.y, 1e-9) << i;
    EXPECT_NEAR(water.uvs[2 * i], c / 40.0, 1e-12) << i;
    EXPECT_NEAR(water.uvs[2 * i + 1], r / 40.0, 1e-12) << i;
  }
}

}  // namespace
