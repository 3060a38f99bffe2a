// The fireball star's structure: the program colours the first corner of every
// triangle dark and the other two bright, so the centre, the tips, the inner
// points and the fan order must be exactly where the colouring expects them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "tools/modeller/geometry.h"
#include "tools/modeller/models.h"

namespace {

constexpr int tipCount = 30;
constexpr int innerCount = 12;
constexpr int firstTip = 1;
constexpr int firstInner = firstTip + tipCount;
constexpr int centreFanTriangles = 60;
constexpr double tipDistance = 30.0;
constexpr double exact = 1e-9;

class FireballStar : public testing::Test {
 protected:
  void SetUp() override {
    const ModelData model = buildConfiguredModel("fireball");
    ASSERT_EQ(model.meshes.size(), 1u);
    mesh = model.meshes[0];
    ASSERT_EQ(mesh.vertexCount(), 1 + tipCount + innerCount);
    ASSERT_EQ(mesh.triangleCount(), 2 * centreFanTriangles);
  }
  Vec3 at(int index) const {
    return {mesh.positions[3 * index], mesh.positions[3 * index + 1], mesh.positions[3 * index + 2]};
  }
  int corner(int triangle, int k) const { return mesh.triangles[3 * triangle + k]; }
  static bool isTip(int index) { return index >= firstTip && index < firstInner; }
  static bool isInner(int index) { return index >= firstInner && index < firstInner + innerCount; }

  MeshData mesh;
};

TEST_F(FireballStar, CentreTipsAndInnerPointsLieWhereTheyShould) {
  const Vec3 centre = at(0);
  EXPECT_DOUBLE_EQ(centre.x, 0.369);
  EXPECT_DOUBLE_EQ(centre.y, 0.0);
  EXPECT_DOUBLE_EQ(centre.z, 0.0);
  EXPECT_TRUE(mesh.uvs.empty());
  EXPECT_TRUE(mesh.uvTriangles.empty());

  for (int i = firstTip; i < firstInner; ++i) {
    EXPECT_NEAR(length(at(i) - centre), tipDistance, exact) << "tip " << i;
  }
  const double innerDistance = length(at(firstInner) - centre);
  EXPECT_NEAR(innerDistance, 15.77, 0.005);
  for (int i = firstInner; i < firstInner + innerCount; ++i) {
    EXPECT_NEAR(length(at(i) - centre), innerDistance, exact) << "inner point " << i;
  }

  // Six tips lie on the six axis directions from the centre: they set the box.
  int onAxis = 0;
  for (int i = firstTip; i < firstInner; ++i) {
    const Vec3 d = at(i) - centre;
    const double largest = std::max({std::fabs(d.x), std::fabs(d.y), std::fabs(d.z)});
    if (std::fabs(largest - tipDistance) < exact) ++onAxis;
  }
  EXPECT_EQ(onAxis, 6);
}

TEST_F(FireballStar, FansStartAtTheCentreThenAtTheInnerPoints) {
  std::map<int, int> trianglesPerInner;
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    if (f < centreFanTriangles) {
      EXPECT_EQ(corner(f, 0), 0) << "triangle " << f;
    } else {
      EXPECT_TRUE(isInner(corner(f, 0))) << "triangle " << f;
      ++trianglesPerInner[corner(f, 0)];
    }
    EXPECT_TRUE(isTip(corner(f, 1)) && isTip(corner(f, 2))) << "triangle " << f;
  }
  // Each inner point leads one run of five triangles.
  EXPECT_EQ(trianglesPerInner.size(), static_cast<size_t>(innerCount));
  for (const auto& [inner, count] : trianglesPerInner) EXPECT_EQ(count, 5) << "inner " << inner;
  for (int f = centreFanTriangles; f < mesh.triangleCount(); f += 5) {
    for (int k = 1; k < 5; ++k) EXPECT_EQ(corner(f + k, 0), corner(f, 0)) << "triangle " << f + k;
  }
}

TEST_F(FireballStar, EveryTipIsASpikeOfNeighbouringPairs) {
  // The two tips of a triangle are neighbours on the star (the shortest tip
  // distance), and each tip is the point of four pits from the centre and four
  // from inner points.
  const double neighbourDistance = tipDistance * 2.0 / (1.0 + std::sqrt(5.0));
  std::map<int, int> centreUses, innerUses;
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    EXPECT_NEAR(length(at(corner(f, 1)) - at(corner(f, 2))), neighbourDistance, exact)
        << "triangle " << f;
    for (int k = 1; k < 3; ++k) ++(f < centreFanTriangles ? centreUses : innerUses)[corner(f, k)];
  }
  for (int i = firstTip; i < firstInner; ++i) {
    EXPECT_EQ(centreUses[i], 4) << "tip " << i;
    EXPECT_EQ(innerUses[i], 4) << "tip " << i;
  }
  // An inner point's fan reaches its five nearest tips.
  for (int f = centreFanTriangles; f < mesh.triangleCount(); f += 5) {
    const Vec3 inner = at(corner(f, 0));
    std::vector<std::pair<double, int>> byDistance;
    for (int i = firstTip; i < firstInner; ++i) byDistance.push_back({length(at(i) - inner), i});
    std::sort(byDistance.begin(), byDistance.end());
    std::set<int> nearest, reached;
    for (int n = 0; n < 5; ++n) nearest.insert(byDistance[n].second);
    for (int t = f; t < f + 5; ++t) reached.insert({corner(t, 1), corner(t, 2)});
    EXPECT_EQ(reached, nearest) << "fan from triangle " << f;
  }
}

TEST_F(FireballStar, WindingIsConsistentAndFacesOutwards) {
  // Every tip-to-tip edge is a ridge between one centre pit and one inner pit,
  // run in opposite directions by the two.
  std::map<std::array<int, 2>, int> directed;
  for (int f = 0; f < mesh.triangleCount(); ++f) ++directed[{corner(f, 1), corner(f, 2)}];
  for (const auto& [edge, count] : directed) {
    EXPECT_EQ(count, 1);
    EXPECT_EQ(directed.count({edge[1], edge[0]}), 1u) << edge[0] << "-" << edge[1];
  }
  // The star is the union of the tetrahedra centre-inner-tip-tip; its signed
  // volume, summed over the faces, is positive and counts every one of them
  // with the same sign.
  const Vec3 centre = at(0);
  double signedVolume = 0.0, unsignedVolume = 0.0;
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    const double v = dot(at(corner(f, 0)) - centre,
                         cross(at(corner(f, 1)) - centre, at(corner(f, 2)) - centre)) / 6.0;
    signedVolume += v;
    unsignedVolume += std::fabs(v);
  }
  EXPECT_GT(signedVolume, 0.0);
  EXPECT_NEAR(signedVolume, unsignedVolume, 1e-6);
}

}  // namespace
