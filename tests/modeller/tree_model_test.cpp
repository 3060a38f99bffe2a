// The tree beyond its counts: bark and leaf meshes alternate in the wind
// scene's four sway groups, each group's stem rises from the foot of the
// trunk, leaves are small flat quads hanging on twigs of their own group, and
// bark wraps without a seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scenes/wind/sway_groups.h"
#include "tests/modeller/mesh_checks.h"

namespace {

const MeshData& meshNumber(int number) { return builtMesh("tree", number); }
int lastMesh() { return static_cast<int>(builtModel("tree").meshes.size()); }

double segmentDistance(Vec3 p, Vec3 a, Vec3 b) {
  const double t = std::clamp(dot(p - a, b - a) / dot(b - a, b - a), 0.0, 1.0);
  return length(p - (a + (b - a) * t));
}

// Distance from p to the nearer triangles of a mesh (corners within a unit).
double distanceToMesh(const MeshData& mesh, Vec3 p) {
  double nearest = 1e30;
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    const int* t = &mesh.triangles[3 * f];
    const Vec3 a = vertexAt(mesh, t[0]), b = vertexAt(mesh, t[1]), c = vertexAt(mesh, t[2]);
    if (length(a - p) > 1.0) continue;
    const Vec3 n = normalized(cross(b - a, c - a));
    const bool over = dot(cross(b - a, p - a), n) >= 0 && dot(cross(c - b, p - b), n) >= 0 &&
                      dot(cross(a - c, p - c), n) >= 0;
    nearest = std::min({nearest, over ? std::fabs(dot(p - a, n)) : 1e30, segmentDistance(p, a, b),
                        segmentDistance(p, b, c), segmentDistance(p, c, a)});
  }
  return nearest;
}

TEST(TreeModel, SwayGroupsHoldTheirStemThenBarkAndLeavesInTurn) {
  ASSERT_EQ(lastMesh() % 2, 1);  // the roots, bark, come last
  for (int g = 0; g < swayGroupCount; ++g) {
    const int stem = swayGroups[g].stemMesh, last = swayGroupLastMesh(g, lastMesh());
    ASSERT_EQ(stem % 2, 1) << "group " << g;
    EXPECT_EQ(last % 2, g + 1 < swayGroupCount ? 0 : 1) << "group " << g;
    for (int n = stem; n <= last; ++n) {
      EXPECT_EQ(meshNumber(n).name, (n % 2 ? "bark" : "leaves") + std::to_string(n));
      if (n % 2 == 1 && n != stem) {
        EXPECT_GT(meshNumber(stem).triangleCount(), meshNumber(n).triangleCount()) << n;
      }
    }
    // The stem's first ring lies flat on the ground round the origin, and
    // the stem climbs from there; the last group's carries the top.
    const MeshData& mesh = meshNumber(stem);
    Vec3 sum;
    int onGround = 0;
    while (onGround < mesh.vertexCount() && vertexAt(mesh, onGround).z == 0.0) {
      sum = sum + vertexAt(mesh, onGround++);
    }
    ASSERT_GE(onGround, 8) << mesh.name;
    EXPECT_LT(std::hypot(sum.x, sum.y) / onGround, 0.01) << mesh.name;
    const double height = g + 1 < swayGroupCount ? 6.0 : 15.0;
    EXPECT_GT(boundingBox(mesh.positions).max[2], height) << mesh.name;
  }
  for (const MeshData& mesh : builtModel("tree").meshes) {
    EXPECT_GE(boundingBox(mesh.positions).min[2], 0.0) << mesh.name << " sinks below the ground";
  }
}

TEST(TreeModel, LeavesAreSmallFlatQuadsHangingOnTwigsOfTheirOwnGroup) {
  double worst = 0.0;
  std::string worstLeaf;
  for (int n = 2; n < lastMesh(); n += 2) {
    const MeshData& mesh = meshNumber(n);
    for (int j = 0; 2 * j < mesh.triangleCount(); ++j) {
      const int *t = &mesh.triangles[6 * j], *uv = &mesh.uvTriangles[6 * j], q = 4 * j;
      SCOPED_TRACE(mesh.name + " quad " + std::to_string(j));
      ASSERT_EQ(std::vector<int>(t, t + 6), (std::vector<int>{q, q + 1, q + 2, q + 2, q + 3, q}));
      // Both triangles share the diagonal's texture corners, a tenth of the texture apart.
      EXPECT_TRUE(uv[3] == uv[2] && uv[5] == uv[0]);
      EXPECT_NEAR(std::fabs(mesh.uvs[2 * uv[2]] - mesh.uvs[2 * uv[0]]), 0.1, 1e-9);
      EXPECT_NEAR(std::fabs(mesh.uvs[2 * uv[2] + 1] - mesh.uvs[2 * uv[0] + 1]), 0.1, 1e-9);
      const Vec3 a = vertexAt(mesh, q), b = vertexAt(mesh, q + 1), c = vertexAt(mesh, q + 2),
                 d = vertexAt(mesh, q + 3);
      EXPECT_GT(dot(normalized(cross(b - a, c - a)), normalized(cross(d - c, a - c))), 0.999);
      for (double side : {length(b - a), length(c - b), length(d - c), length(a - d)}) {
        EXPECT_TRUE(side > 0.3 && side < 0.8) << "side " << side;
      }
      // The groups sway apart: the middle of the stalk edge (corners 0 and
      // 3) must touch bark of the leaf's own group.
      double nearest = 1e30;
      for (int bark = 1; bark <= lastMesh(); bark += 2) {
        if (swayGroupOf(bark) != swayGroupOf(n)) continue;
        nearest = std::min(nearest, distanceToMesh(meshNumber(bark), (a + d) * 0.5));
      }
      if (nearest > worst) worst = nearest, worstLeaf = mesh.name + " quad " + std::to_string(j);
    }
  }
  EXPECT_LT(worst, 0.1) << worstLeaf;
}

TEST(TreeModel, BarkTextureWrapsWithoutASeam) {
  // The program scales bark coordinates by 3: every tube's u runs from 0 to a
  // whole number of texture widths.
  for (int n = 1; n <= lastMesh(); n += 2) {
    const MeshData& mesh = meshNumber(n);
    double widest = 0.0;
    for (size_t i = 0; i < mesh.uvs.size(); i += 2) {
      ASSERT_TRUE(mesh.uvs[i] >= 0.0 && mesh.uvs[i + 1] >= 0.0) << mesh.name;
      widest = std::max(widest, 3.0 * mesh.uvs[i]);
    }
    EXPECT_NEAR(widest, std::round(widest), 1e-9) << mesh.name;
    EXPECT_GE(widest, 1.0) << mesh.name;
  }
}

}  // namespace
