// The tree beyond its counts: bark and leaf meshes alternate in the wind
// scene's four sway groups, each group's stem rises from the foot of the
// trunk, leaves are small flat quads hanging on twigs of their own group,
// bark wraps without a seam; and the budgets that make exact counts possible.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "scenes/wind/sway_groups.h"
#include "tests/modeller/mesh_checks.h"
#include "tools/modeller/tree_budget.h"
#include "tools/modeller/tree_leaves.h"

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
    const Vec3 a = vertexAt(mesh, mesh.triangles[3 * f]), b = vertexAt(mesh, mesh.triangles[3 * f + 1]),
               c = vertexAt(mesh, mesh.triangles[3 * f + 2]);
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
    for (; onGround < mesh.vertexCount() && vertexAt(mesh, onGround).z == 0.0; ++onGround) sum = sum + vertexAt(mesh, onGround);
    ASSERT_GE(onGround, 8) << mesh.name;
    EXPECT_LT(std::hypot(sum.x, sum.y) / onGround, 0.01) << mesh.name;
    EXPECT_GT(boundingBox(mesh.positions).max[2], g + 1 < swayGroupCount ? 6.0 : 15.0) << mesh.name;
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
      ASSERT_TRUE(t[0] == q && t[1] == q + 1 && t[2] == q + 2 && t[3] == q + 2 && t[4] == q + 3 && t[5] == q)
          << mesh.name << " quad " << j;
      // Both triangles share the diagonal's texture corners, a tenth of the texture apart.
      EXPECT_TRUE(uv[3] == uv[2] && uv[5] == uv[0]) << mesh.name << " quad " << j;
      EXPECT_NEAR(std::fabs(mesh.uvs[2 * uv[2]] - mesh.uvs[2 * uv[0]]), 0.1, 1e-9) << mesh.name << " " << j;
      EXPECT_NEAR(std::fabs(mesh.uvs[2 * uv[2] + 1] - mesh.uvs[2 * uv[0] + 1]), 0.1, 1e-9) << mesh.name << " " << j;
      const Vec3 a = vertexAt(mesh, q), b = vertexAt(mesh, q + 1), c = vertexAt(mesh, q + 2), d = vertexAt(mesh, q + 3);
      EXPECT_GT(dot(normalized(cross(b - a, c - a)), normalized(cross(d - c, a - c))), 0.999) << mesh.name << " " << j;
      for (double side : {length(b - a), length(c - b), length(d - c), length(a - d)}) {
        EXPECT_TRUE(side > 0.3 && side < 0.8) << mesh.name << " quad " << j << " side " << side;
      }
      // The groups sway apart: the middle of the stalk edge (corners 0 and
      // 3) must touch bark of the leaf's own group.
      double nearest = 1e30;
      for (int bark = 1; bark <= lastMesh(); bark += 2) {
        if (swayGroupOf(bark) == swayGroupOf(n)) nearest = std::min(nearest, distanceToMesh(meshNumber(bark), (a + d) * 0.5));
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

TEST(TreeBudget, SegmentsSharesAndLeafGridsMeetTheirTotalsWithinBounds) {
  const std::vector<SegmentWish> tubes = {{12, 30, 10, 60}, {3, 5, 1, 12}, {4, 6, 1, 12}, {3, 4, 1, 12}};
  for (int target : {400, 401, 437, 500}) {
    const std::vector<int> k = fitSegments(tubes, target);
    ASSERT_EQ(k.size(), tubes.size()) << target;
    int sum = 0;
    for (size_t i = 0; i < k.size(); ++i) {
      EXPECT_TRUE(k[i] >= tubes[i].least && k[i] <= tubes[i].most) << target << " tube " << i;
      sum += tubes[i].sides * k[i];
    }
    EXPECT_EQ(sum, target);
  }
  EXPECT_EQ(fitSegments(tubes, 12 * 30 + 3 * 5 + 4 * 6 + 3 * 4), (std::vector<int>{30, 5, 6, 4}));
  EXPECT_TRUE(fitSegments({{3, 5, 1, 50}, {6, 5, 1, 50}}, 100).empty());  // all multiples of 3
  EXPECT_TRUE(fitSegments({{5, 2, 1, 3}}, 20).empty());                    // bounds too tight

  EXPECT_EQ(proportionalShares(100, {1, 1, 2}, {0, 0, 0}, {100, 100, 100}), (std::vector<int>{25, 25, 50}));
  const std::vector<int> bounded = proportionalShares(10, {1, 1, 8}, {2, 2, 0}, {10, 10, 5});
  ASSERT_EQ(bounded.size(), 3u);
  EXPECT_EQ(std::accumulate(bounded.begin(), bounded.end(), 0), 10);
  EXPECT_TRUE(bounded[2] <= 5 && bounded[0] >= 2 && bounded[1] >= 2);
  EXPECT_TRUE(proportionalShares(3, {1, 1}, {2, 2}, {5, 5}).empty());
  EXPECT_TRUE(proportionalShares(11, {1, 1}, {0, 0}, {5, 5}).empty());

  const std::vector<int> quads = {2, 2, 20, 350, 35};
  for (int total : {20, 25, 57, 200, 203}) {
    const std::vector<LeafUvGrid> grids = leafUvGrids(total, quads);
    ASSERT_EQ(grids.size(), quads.size()) << total;
    int points = 0;
    for (size_t i = 0; i < grids.size(); ++i) {
      points += grids[i].rows * grids[i].columns;
      EXPECT_TRUE(grids[i].cells() >= 1 && grids[i].cells() <= quads[i]) << total << " grid " << i;
    }
    EXPECT_EQ(points, total);
  }
  // Under four points a mesh, an odd total without room for a three-row grid, too many.
  for (int total : {19, 23, 2000}) EXPECT_TRUE(leafUvGrids(total, quads).empty()) << total;
}

}  // namespace
