// The earth model's structure: the land is a clean Delaunay triangulation of
// the square base with 16 border points on a flat rim, an island whose summit
// stands near the centre, rising out of the water with water also inland; the
// water sheet is a regular 41 x 41 grid with its texture spanning it once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "tools/modeller/earth_delaunay.h"
#include "tools/modeller/geometry.h"
#include "tools/modeller/models.h"

namespace {

// The land's half side and rim, and the water's lowest and highest points,
// from their catalogue boxes.
const Box landBox = configuredEntry("earth").mesh(1).box();
const Box waterBox = configuredEntry("earth").mesh(2).box();
const double halfSize = landBox.max[0];
const double rimHeight = landBox.min[2];
const double waterLow = waterBox.min[2];
const double waterHigh = waterBox.max[2];
constexpr double gridPerUnit = 20.0;
constexpr double degrees = 180.0 / pi;

class EarthModel : public testing::Test {
 protected:
  static void SetUpTestSuite() { model = new ModelData(buildConfiguredModel("earth")); }
  static void TearDownTestSuite() { delete model; }
  static const MeshData& land() { return model->meshes[0]; }
  static const MeshData& water() { return model->meshes[1]; }
  static Vec3 at(const MeshData& mesh, int i) {
    return {mesh.positions[3 * i], mesh.positions[3 * i + 1], mesh.positions[3 * i + 2]};
  }
  static bool onBorder(Vec3 p) {
    return std::fabs(std::fabs(p.x) - halfSize) < 1e-9 || std::fabs(std::fabs(p.y) - halfSize) < 1e-9;
  }
  static ModelData* model;
};
ModelData* EarthModel::model = nullptr;

TEST_F(EarthModel, LandHasSixteenBorderPointsOnAFlatRim) {
  ASSERT_EQ(model->meshes.size(), 2u);
  std::vector<Vec3> border;
  double lowest = HUGE_VAL;
  for (int i = 0; i < land().vertexCount(); ++i) {
    const Vec3 p = at(land(), i);
    lowest = std::min(lowest, p.z);
    if (onBorder(p)) border.push_back(p);
  }
  EXPECT_DOUBLE_EQ(lowest, rimHeight);
  ASSERT_EQ(border.size(), 16u);
  // The corners and the quarter points of each side, all at rim height.
  for (const Vec3& p : border) {
    EXPECT_DOUBLE_EQ(p.z, rimHeight);
    for (double c : {p.x, p.y}) {
      const double quarters = (c + halfSize) / (halfSize / 2.0);
      EXPECT_NEAR(quarters, std::round(quarters), 1e-9) << p.x << ", " << p.y;
    }
  }
}

TEST_F(EarthModel, LandIsADelaunayTriangulationWithoutSlivers) {
  // Seen from above every triangle faces up, the triangles cover the base
  // exactly once, no vertex lies inside a neighbouring triangle's circumcircle,
  // and no angle is slender.
  std::vector<GridPoint> grid;
  for (int i = 0; i < land().vertexCount(); ++i) {
    const Vec3 p = at(land(), i);
    grid.push_back({std::llround(p.x * gridPerUnit), std::llround(p.y * gridPerUnit)});
    EXPECT_NEAR(grid.back().x / gridPerUnit, p.x, 1e-9);
  }
  std::map<std::pair<int, int>, int> oppositeOf;  // directed edge -> the third corner
  double planArea = 0.0, smallestAngle = 180.0;
  for (int f = 0; f < land().triangleCount(); ++f) {
    const int* t = &land().triangles[3 * f];
    ASSERT_GT(orient(grid[t[0]], grid[t[1]], grid[t[2]]), 0) << "triangle " << f;
    planArea += orient(grid[t[0]], grid[t[1]], grid[t[2]]) / (2.0 * gridPerUnit * gridPerUnit);
    for (int k = 0; k < 3; ++k) {
      oppositeOf[{t[k], t[(k + 1) % 3]}] = t[(k + 2) % 3];
      const Vec3 a = at(land(), t[k]), b = at(land(), t[(k + 1) % 3]), c = at(land(), t[(k + 2) % 3]);
      const Vec3 u{b.x - a.x, b.y - a.y, 0.0}, v{c.x - a.x, c.y - a.y, 0.0};
      smallestAngle = std::min(smallestAngle, std::acos(dot(u, v) / (length(u) * length(v))) * degrees);
    }
  }
  EXPECT_NEAR(planArea, 4.0 * halfSize * halfSize, 1e-6);
  int innerEdges = 0;
  for (const auto& [edge, third] : oppositeOf) {
    const auto across = oppositeOf.find({edge.second, edge.first});
    if (across == oppositeOf.end()) continue;
    ++innerEdges;
    EXPECT_LE(inCircle(grid[edge.first], grid[edge.second], grid[third], grid[across->second]), 0)
        << "edge " << edge.first << "-" << edge.second << " is not locally Delaunay";
  }
  // Euler: every inner edge is seen from both sides, the 16 border edges once.
  EXPECT_EQ(static_cast<int>(oppositeOf.size()), 2 * (innerEdges / 2) + 16);
  EXPECT_GT(smallestAngle, 15.0);
}

TEST_F(EarthModel, EveryVertexCarriesItsOwnTextureCoordinateAcrossTheBase) {
  ASSERT_EQ(land().uvCount(), land().vertexCount());
  EXPECT_EQ(land().uvTriangles, land().triangles);
  for (int i = 0; i < land().vertexCount(); ++i) {
    const Vec3 p = at(land(), i);
    EXPECT_NEAR(land().uvs[2 * i], (p.x + halfSize) / (2 * halfSize), 1e-9);
    EXPECT_NEAR(land().uvs[2 * i + 1], (p.y + halfSize) / (2 * halfSize), 1e-9);
  }
}

TEST_F(EarthModel, AnIslandRisesFromTheWaterWithALakeInland) {
  // The summit stands near the centre; the sea covers a wide band inside the
  // border even at the water's lowest; a fair share of the base stands above
  // the water's highest; and some low ground below the water's lowest is cut
  // off from the sea by land above the water's highest: a lake.
  const int count = land().vertexCount();
  int summit = 0;
  for (int i = 1; i < count; ++i) {
    if (at(land(), i).z > at(land(), summit).z) summit = i;
  }
  EXPECT_LT(std::hypot(at(land(), summit).x, at(land(), summit).y), 60.0);

  std::vector<std::vector<int>> neighbours(count);
  for (int f = 0; f < land().triangleCount(); ++f) {
    for (int k = 0; k < 3; ++k) {
      neighbours[land().triangles[3 * f + k]].push_back(land().triangles[3 * f + (k + 1) % 3]);
    }
  }
  double dryArea = 0.0;
  for (int f = 0; f < land().triangleCount(); ++f) {
    const Vec3 a = at(land(), land().triangles[3 * f]), b = at(land(), land().triangles[3 * f + 1]),
               c = at(land(), land().triangles[3 * f + 2]);
    if (std::min({a.z, b.z, c.z}) > waterHigh) dryArea += cross(b - a, c - a).z / 2.0;
  }
  const double dryShare = dryArea / (4.0 * halfSize * halfSize);
  EXPECT_GT(dryShare, 0.2);
  EXPECT_LT(dryShare, 0.5);

  // Flood from the border through everything the water can reach.
  std::vector<char> sea(count, 0);
  std::vector<int> front;
  for (int i = 0; i < count; ++i) {
    const Vec3 p = at(land(), i);
    const double d = halfSize - std::max(std::fabs(p.x), std::fabs(p.y));
    if (d < 120.0) {
      EXPECT_LT(p.z, waterLow) << "land near the border stands out of the sea";
    }
    if (onBorder(p)) {
      sea[i] = 1;
      front.push_back(i);
    }
  }
  while (!front.empty()) {
    const int i = front.back();
    front.pop_back();
    for (int j : neighbours[i]) {
      if (!sea[j] && at(land(), j).z < waterHigh) {
        sea[j] = 1;
        front.push_back(j);
      }
    }
  }
  int lakeBed = 0;
  for (int i = 0; i < count; ++i) lakeBed += !sea[i] && at(land(), i).z < waterLow;
  EXPECT_GT(lakeBed, 10);
}

TEST_F(EarthModel, WaterIsAnEvenGridWithItsTextureSpanningItOnce) {
  constexpr int side = 41;
  ASSERT_EQ(water().vertexCount(), side * side);
  const Vec3 first = at(water(), 0), last = at(water(), side * side - 1);
  const double stepX = (last.x - first.x) / (side - 1), stepY = (last.y - first.y) / (side - 1);
  double sum = 0.0, sumSquares = 0.0, steepest = 0.0;
  for (int r = 0; r < side; ++r) {
    for (int c = 0; c < side; ++c) {
      const int i = r * side + c;
      const Vec3 p = at(water(), i);
      EXPECT_NEAR(p.x, first.x + c * stepX, 1e-9);
      EXPECT_NEAR(p.y, first.y + r * stepY, 1e-9);
      EXPECT_NEAR(water().uvs[2 * i], c / 40.0, 1e-12);
      EXPECT_NEAR(water().uvs[2 * i + 1], r / 40.0, 1e-12);
      sum += p.z;
      sumSquares += p.z * p.z;
      if (c > 0) steepest = std::max(steepest, std::fabs(p.z - at(water(), i - 1).z) / stepX);
      if (r > 0) steepest = std::max(steepest, std::fabs(p.z - at(water(), i - side).z) / stepY);
    }
  }
  // Waved, but gently: a spread of heights and no steep slopes.
  const double mean = sum / (side * side);
  EXPECT_GT(std::sqrt(sumSquares / (side * side) - mean * mean), 2.0);
  EXPECT_LT(steepest, 0.3);
  // Every triangle faces up.
  for (int f = 0; f < water().triangleCount(); ++f) {
    const int* t = &water().triangles[3 * f];
    EXPECT_GT(cross(at(water(), t[1]) - at(water(), t[0]), at(water(), t[2]) - at(water(), t[0])).z, 0.0);
  }
}

}  // namespace
