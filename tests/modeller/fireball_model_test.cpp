// The fireball star: the program colours the first corner of every triangle
// dark and the other two bright, so every triangle must start at the centre
// (the first 60) or at an inner point (runs of five) and end on two
// neighbouring tips, every ridge between a centre pit and an inner pit.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "tests/modeller/mesh_checks.h"

namespace {

TEST(FireballModel, FansRunFromTheCentreAndInnerPointsToNeighbouringTips) {
  const MeshData& star = builtMesh("fireball", 1);
  constexpr int tips = 30, centreFan = 60;
  ASSERT_EQ(star.triangleCount(), 2 * centreFan);
  const auto corner = [&](int f, int k) { return star.triangles[3 * f + k]; };
  const auto isTip = [&](int v) { return v >= 1 && v <= tips; };
  const Vec3 centre = vertexAt(star, 0);
  const double neighbours = length(vertexAt(star, 1) - centre) * 2.0 / (1.0 + std::sqrt(5.0));
  std::map<int, int> fanOf;                  // inner point -> its triangles
  std::map<std::pair<int, int>, int> ridge;  // tip-to-tip edges, directed
  for (int f = 0; f < star.triangleCount(); ++f) {
    const int lead = corner(f, 0);
    if (f < centreFan) {
      EXPECT_EQ(lead, 0) << "triangle " << f;
    } else {
      EXPECT_TRUE(lead > tips && (f % 5 == 0 || lead == corner(f - 1, 0))) << "triangle " << f;
      ++fanOf[lead];
    }
    ASSERT_TRUE(isTip(corner(f, 1)) && isTip(corner(f, 2))) << "triangle " << f;
    const Vec3 b = vertexAt(star, corner(f, 1)), c = vertexAt(star, corner(f, 2));
    EXPECT_NEAR(length(c - b), neighbours, 1e-9) << "triangle " << f;
    ++ridge[{corner(f, 1), corner(f, 2)}];
  }
  EXPECT_EQ(fanOf.size(), 12u);
  for (const auto& [inner, count] : fanOf) EXPECT_EQ(count, 5) << "inner point " << inner;
  // Every ridge lies between one centre pit and one inner pit, run both ways.
  EXPECT_EQ(ridge.size(), 120u);
  for (const auto& [edge, count] : ridge) {
    EXPECT_EQ(count + ridge.count({edge.second, edge.first}), 2u) << "ridge from " << edge.first;
  }
}

}  // namespace
