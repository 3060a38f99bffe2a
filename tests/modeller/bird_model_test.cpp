// The bird statue beyond its counts: the marble tiling never collapses into
// stripes and runs on across edges, and the statue stands as designed:
// facing +x+y with its head turned back, legs rising into the body, each
// foot on the ground under its own leg, wings spread wide on both sides.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>

#include "tests/modeller/mesh_checks.h"

namespace {

const MeshData& part(const std::string& name) {
  for (const MeshData& m : builtModel("bird").meshes) {
    if (m.name == name) return m;
  }
  throw std::runtime_error("no bird mesh " + name);
}

Vec3 centroid(const MeshData& mesh) {
  Vec3 sum;
  for (int i = 0; i < mesh.vertexCount(); ++i) sum = sum + vertexAt(mesh, i);
  return sum * (1.0 / mesh.vertexCount());
}

// The vertex furthest along a direction.
Vec3 extreme(const MeshData& mesh, Vec3 direction) {
  Vec3 best = vertexAt(mesh, 0);
  for (int i = 1; i < mesh.vertexCount(); ++i) {
    if (dot(vertexAt(mesh, i), direction) > dot(best, direction)) best = vertexAt(mesh, i);
  }
  return best;
}

bool inside(const Box& box, Vec3 p, double margin) {
  const double c[3] = {p.x, p.y, p.z};
  for (int a = 0; a < 3; ++a) {
    if (c[a] < box.min[a] - margin || c[a] > box.max[a] + margin) return false;
  }
  return true;
}

TEST(BirdModel, EveryTriangleShowsThreeCornersOfTheMarbleTileAndNeighboursAgree) {
  for (const MeshData& m : builtModel("bird").meshes) {
    EXPECT_EQ(m.uvs, (std::vector<double>{0, 0, 1, 0, 1, 1, 0, 1})) << m.name;
    for (int f = 0; f < m.triangleCount(); ++f) {
      const int* c = &m.uvTriangles[3 * f];
      ASSERT_TRUE(c[0] != c[1] && c[1] != c[2] && c[0] != c[2]) << m.name << " triangle " << f;
    }
    // Where every triangle at a point takes the same tile corner there, the
    // marble runs on across the edges between them.
    std::vector<std::set<int>> corners(m.vertexCount());
    for (size_t k = 0; k < m.triangles.size(); ++k) corners[m.triangles[k]].insert(m.uvTriangles[k]);
    const long agreeing = std::count_if(corners.begin(), corners.end(),
                                        [](const std::set<int>& s) { return s.size() == 1; });
    EXPECT_GE(agreeing, m.vertexCount() * 99 / 100) << m.name;
  }
}

TEST(BirdModel, StandsFacingPlusXPlusYWithItsHeadTurnedBackAndWingsSpread) {
  const Vec3 forward = normalized({1, 1, 0}), right = normalized({1, -1, 0}), up{0, 0, 1};
  const Vec3 body = centroid(part("body")), head = centroid(part("head2")), bill = centroid(part("upperBeak"));
  EXPECT_GT(dot(head - body, forward), 5.0);
  EXPECT_GT(head.z - body.z, 15.0);
  EXPECT_LT(dot(bill - head, forward), -3.0) << "the bill points back over the shoulder";
  EXPECT_LT(bill.z, head.z);
  EXPECT_LT(centroid(part("lowerBeak")).z, bill.z);
  EXPECT_GT(centroid(part("head1")).z, head.z) << "the hood is the crown";
  const Box bodyBox = boundingBox(part("body").positions);
  EXPECT_TRUE(inside(boundingBox(part("head2").positions), extreme(part("body"), up), 0.0)) << "neck";
  const struct {
    const char *leg, *foot;
    double side;  // +1 on the bird's right
  } limbs[] = {{"leg1", "foot1", 1.0}, {"leg2", "foot2", -1.0}};
  for (const auto& limb : limbs) {
    const MeshData &leg = part(limb.leg), &foot = part(limb.foot);
    // The leg's top is above the belly, well inside the body's outline; its
    // bottom ends inside its own foot's heel, on its own side of the bird.
    const Vec3 top = extreme(leg, up);
    EXPECT_GT(top.z, bodyBox.min[2] + 2.0) << limb.leg;
    const Box within{{bodyBox.min[0] + 5, bodyBox.min[1] + 5, -1e9}, {bodyBox.max[0] - 5, bodyBox.max[1] - 5, 1e9}};
    EXPECT_TRUE(inside(within, top, 0.0)) << limb.leg;
    const Vec3 ankle = extreme(leg, up * -1.0);
    const Box heel = boundingBox(foot.positions);
    EXPECT_TRUE(inside(heel, ankle, 0.2)) << limb.leg;
    EXPECT_GT(limb.side * dot(centroid(leg) - body, right), 1.0) << limb.leg;
    EXPECT_GT(limb.side * dot(centroid(foot) - body, right), 1.0) << limb.foot;
    // Four toes end on the ground, away from the heel.
    std::vector<Vec3> toes;
    for (int i = 0; i < foot.vertexCount(); ++i) {
      const Vec3 p = vertexAt(foot, i);
      if (p.z > heel.min[2] + 0.02 || std::hypot(p.x - ankle.x, p.y - ankle.y) < 2.0) continue;
      if (std::none_of(toes.begin(), toes.end(), [&](Vec3 q) { return length(p - q) < 1.6; })) toes.push_back(p);
    }
    EXPECT_EQ(toes.size(), 4u) << limb.foot;
  }
  // The wings spread wide and flat to both sides; the tail fans out behind.
  const MeshData& wings = part("wings");
  const double span = dot(extreme(wings, right) - body, right), otherSpan = dot(extreme(wings, right * -1.0) - body, right * -1.0);
  EXPECT_GT(span, 35.0);
  EXPECT_GT(otherSpan, 35.0);
  EXPECT_LT(std::fabs(span - otherSpan), 6.0);
  EXPECT_GT(dot(extreme(wings, forward * -1.0) - body, forward * -1.0),
            dot(extreme(part("body"), forward * -1.0) - body, forward * -1.0) + 8.0);
  const Box wingBox = boundingBox(wings.positions);
  EXPECT_LT(wingBox.max[2] - wingBox.min[2], 10.0);
}

}  // namespace
