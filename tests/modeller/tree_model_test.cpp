// The tree's structure beyond what the catalogue checks: its four sway
// groups, leaf meshes made of quads that hang on their own group's twigs,
// stems that rise from the foot of the trunk, and bark texture that wraps
// without a seam. Also the pieces that make exact counts possible.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

#include "assets/meshes/catalogue.h"
#include "scenes/wind/sway_groups.h"
#include "tools/modeller/models.h"
#include "tools/modeller/tree_bark.h"
#include "tools/modeller/tree_budget.h"
#include "tools/modeller/tree_crown.h"
#include "tools/modeller/tree_leaves.h"
#include "tools/modeller/tree_random.h"

namespace {

struct V3 {
  double x, y, z;
};
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double norm(V3 a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }
V3 crossOf(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dotOf(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

V3 vertexOf(const MeshData& mesh, int i) {
  return {mesh.positions[3 * i], mesh.positions[3 * i + 1], mesh.positions[3 * i + 2]};
}

V3 plus(V3 a, V3 b, double s) { return {a.x + b.x * s, a.y + b.y * s, a.z + b.z * s}; }

// The point of triangle abc closest to p (by the triangle's regions).
V3 closestOnTriangle(V3 p, V3 a, V3 b, V3 c) {
  const V3 ab = b - a, ac = c - a, ap = p - a;
  const double d1 = dotOf(ab, ap), d2 = dotOf(ac, ap);
  if (d1 <= 0 && d2 <= 0) return a;
  const V3 bp = p - b;
  const double d3 = dotOf(ab, bp), d4 = dotOf(ac, bp);
  if (d3 >= 0 && d4 <= d3) return b;
  const double vc = d1 * d4 - d3 * d2;
  if (vc <= 0 && d1 >= 0 && d3 <= 0) return plus(a, ab, d1 / (d1 - d3));
  const V3 cp = p - c;
  const double d5 = dotOf(ab, cp), d6 = dotOf(ac, cp);
  if (d6 >= 0 && d5 <= d6) return c;
  const double vb = d5 * d2 - d1 * d6;
  if (vb <= 0 && d2 >= 0 && d6 <= 0) return plus(a, ac, d2 / (d2 - d6));
  const double va = d3 * d6 - d5 * d4;
  if (va <= 0 && d4 - d3 >= 0 && d5 - d6 >= 0) {
    return plus(b, c - b, (d4 - d3) / ((d4 - d3) + (d5 - d6)));
  }
  const double denominator = 1.0 / (va + vb + vc);
  return plus(plus(a, ab, vb * denominator), ac, vc * denominator);
}

// Distance from p to the surface of a mesh.
double distanceToMesh(const MeshData& mesh, V3 p) {
  constexpr double farEnough = 1.0;  // triangles with a corner further off are skipped
  double nearest = 1e30;
  for (size_t f = 0; f < mesh.triangles.size(); f += 3) {
    const V3 a = vertexOf(mesh, mesh.triangles[f]);
    if (norm(a - p) > farEnough) continue;
    const V3 b = vertexOf(mesh, mesh.triangles[f + 1]), c = vertexOf(mesh, mesh.triangles[f + 2]);
    nearest = std::min(nearest, norm(closestOnTriangle(p, a, b, c) - p));
  }
  return nearest;
}

const ModelData& tree() {
  static const ModelData model = buildConfiguredModel("tree");
  return model;
}

// The tree's meshes by catalogue number, from 1 to lastMesh().
const MeshData& meshNumber(int number) { return tree().meshes.at(number - 1); }
int lastMesh() { return static_cast<int>(tree().meshes.size()); }

double largestV(const MeshData& mesh) {
  double v = -1e30;
  for (size_t i = 1; i < mesh.uvs.size(); i += 2) v = std::max(v, mesh.uvs[i]);
  return v;
}

TEST(TreeModel, OddMeshesAreBarkAndEvenMeshesLeaves) {
  ASSERT_EQ(lastMesh() % 2, 1);  // the roots, bark
  for (int n = 1; n <= lastMesh(); ++n) {
    const MeshData& mesh = meshNumber(n);
    EXPECT_EQ(mesh.name, (n % 2 ? "bark" : "leaves") + std::to_string(n));
    EXPECT_TRUE(mesh.textured()) << mesh.name;
    if (n % 2 == 0) {
      EXPECT_EQ(mesh.vertexCount(), 2 * mesh.triangleCount()) << mesh.name;
    }
  }
}

TEST(TreeModel, EachSwayGroupIsItsStemWithBarkAndLeavesAfterIt) {
  // Every group holds a leaf mesh after each bark mesh but the roots (the
  // last group's last mesh), and its stem is its largest bark mesh.
  for (int g = 0; g < swayGroupCount; ++g) {
    const int stem = swayGroups[g].stemMesh, last = swayGroupLastMesh(g, lastMesh());
    ASSERT_EQ(stem % 2, 1) << "group " << g;
    EXPECT_EQ(last % 2, g + 1 < swayGroupCount ? 0 : 1) << "group " << g;
    for (int n = stem; n <= last; ++n) {
      EXPECT_EQ(swayGroupOf(n), g) << "mesh " << n;
      if (n % 2 == 1 && n != stem) {
        EXPECT_GT(meshNumber(stem).triangleCount(), meshNumber(n).triangleCount()) << n;
      }
    }
  }
}

TEST(TreeModel, LeafMeshesAreRunsOfSmallFlatQuadsShowingTheWholeTexture) {
  for (int n = 2; n < lastMesh(); n += 2) {
    const MeshData& mesh = meshNumber(n);
    for (int j = 0; 2 * j < mesh.triangleCount(); ++j) {
      const int* t = &mesh.triangles[6 * j];
      const int q = 4 * j;
      ASSERT_TRUE(t[0] == q && t[1] == q + 1 && t[2] == q + 2 && t[3] == q + 2 &&
                  t[4] == q + 3 && t[5] == q)
          << mesh.name << " quad " << j;
      // The two triangles share the diagonal's texture corners as well.
      const int* uv = &mesh.uvTriangles[6 * j];
      EXPECT_TRUE(uv[3] == uv[2] && uv[5] == uv[0]) << mesh.name << " quad " << j;
      const double du = mesh.uvs[2 * uv[2]] - mesh.uvs[2 * uv[0]];
      const double dv = mesh.uvs[2 * uv[2] + 1] - mesh.uvs[2 * uv[0] + 1];
      EXPECT_NEAR(std::fabs(du), 0.1, 1e-9) << mesh.name << " quad " << j;
      EXPECT_NEAR(std::fabs(dv), 0.1, 1e-9) << mesh.name << " quad " << j;

      const V3 a = vertexOf(mesh, q), b = vertexOf(mesh, q + 1), c = vertexOf(mesh, q + 2),
               d = vertexOf(mesh, q + 3);
      const V3 n1 = crossOf(b - a, c - a), n2 = crossOf(d - c, a - c);
      EXPECT_GT(dotOf(n1, n2) / (norm(n1) * norm(n2)), 0.999) << mesh.name << " quad " << j;
      for (double side : {norm(b - a), norm(c - b), norm(d - c), norm(a - d)}) {
        EXPECT_GT(side, 0.3) << mesh.name << " quad " << j;
        EXPECT_LT(side, 0.8) << mesh.name << " quad " << j;
      }
    }
  }
}

TEST(TreeModel, EveryLeafHangsOnATwigOfItsOwnGroup) {
  // The groups sway apart, so a leaf must sit on bark of its own group: the
  // middle of its stalk edge (corners 0 and 3) touches that bark's surface.
  constexpr double reach = 0.1;
  double worst = 0.0;
  std::string worstLeaf;
  for (int n = 2; n < lastMesh(); n += 2) {
    const MeshData& leaves = meshNumber(n);
    for (int q = 0; q < leaves.vertexCount(); q += 4) {
      const V3 a = vertexOf(leaves, q), d = vertexOf(leaves, q + 3);
      const V3 stalk{0.5 * (a.x + d.x), 0.5 * (a.y + d.y), 0.5 * (a.z + d.z)};
      double nearest = 1e30;
      for (int b = 1; b <= lastMesh(); b += 2) {
        if (swayGroupOf(b) == swayGroupOf(n)) nearest = std::min(nearest, distanceToMesh(meshNumber(b), stalk));
      }
      if (nearest > worst) {
        worst = nearest;
        worstLeaf = leaves.name + " quad " + std::to_string(q / 4);
      }
    }
  }
  EXPECT_LT(worst, reach) << worstLeaf;
}

TEST(TreeModel, StemsRiseFromTheFootOfTheTrunk) {
  for (const SwayGroup& group : swayGroups) {
    const MeshData& mesh = meshNumber(group.stemMesh);
    // The stem's first ring lies flat on the ground, centred on the origin.
    int onGround = 0;
    V3 sum{0, 0, 0};
    for (int i = 0; i < mesh.vertexCount() && vertexOf(mesh, i).z == 0.0; ++i, ++onGround) {
      sum = {sum.x + vertexOf(mesh, i).x, sum.y + vertexOf(mesh, i).y, 0};
    }
    ASSERT_GE(onGround, 8) << mesh.name;
    EXPECT_NEAR(sum.x / onGround, 0.0, 0.01) << mesh.name;
    EXPECT_NEAR(sum.y / onGround, 0.0, 0.01) << mesh.name;
    // and the rest of the stem climbs from there.
    const Box box = boundingBox(mesh.positions);
    EXPECT_EQ(box.min[2], 0.0) << mesh.name;
    EXPECT_GT(box.max[2], 6.0) << mesh.name;
  }
  // The leader (the last group's stem) carries the top of the tree.
  const Box leader = boundingBox(meshNumber(swayGroups[swayGroupCount - 1].stemMesh).positions);
  EXPECT_GT(leader.max[2], 15.0);
}

TEST(TreeModel, BarkTextureWrapsWithoutASeam) {
  // The program scales bark coordinates by 3: every tube's u runs from 0 to a
  // whole number of texture widths, so the seam joins cleanly.
  for (int n = 1; n <= lastMesh(); n += 2) {
    const MeshData& mesh = meshNumber(n);
    for (size_t i = 0; i < mesh.uvs.size(); i += 2) {
      const double u = 3.0 * mesh.uvs[i], v = mesh.uvs[i + 1];
      ASSERT_GE(v, 0.0) << mesh.name;
      ASSERT_GE(u, 0.0) << mesh.name;
    }
    double widest = 0.0;
    for (size_t i = 0; i < mesh.uvs.size(); i += 2) widest = std::max(widest, 3.0 * mesh.uvs[i]);
    EXPECT_NEAR(widest, std::round(widest), 1e-9) << mesh.name;
    EXPECT_GE(widest, 1.0) << mesh.name;
  }
}

TEST(TreeModel, NothingSinksBelowTheGround) {
  for (const MeshData& mesh : tree().meshes) {
    EXPECT_GE(boundingBox(mesh.positions).min[2], 0.0) << mesh.name;
  }
}

TEST(TreeBudget, SegmentsMeetTheTargetWithinTheirBounds) {
  const std::vector<SegmentWish> tubes = {{12, 30, 10, 60}, {3, 5, 1, 12}, {4, 6, 1, 12},
                                          {3, 4, 1, 12}};
  for (int target : {400, 401, 437, 500}) {
    const std::vector<int> k = fitSegments(tubes, target);
    ASSERT_EQ(k.size(), tubes.size()) << target;
    int sum = 0;
    for (size_t i = 0; i < k.size(); ++i) {
      EXPECT_GE(k[i], tubes[i].least);
      EXPECT_LE(k[i], tubes[i].most);
      sum += tubes[i].sides * k[i];
    }
    EXPECT_EQ(sum, target);
  }
  // When the wishes add up, they are granted as they are.
  EXPECT_EQ(fitSegments(tubes, 12 * 30 + 3 * 5 + 4 * 6 + 3 * 4), (std::vector<int>{30, 5, 6, 4}));
  // Sides that are all multiples of 3 cannot make 100; bounds can be too tight.
  EXPECT_TRUE(fitSegments({{3, 5, 1, 50}, {6, 5, 1, 50}}, 100).empty());
  EXPECT_TRUE(fitSegments({{5, 2, 1, 3}}, 20).empty());
}

TEST(TreeBudget, SharesFollowTheWeightsAndKeepTheirBounds) {
  const std::vector<int> shares = proportionalShares(100, {1, 1, 2}, {0, 0, 0}, {100, 100, 100});
  EXPECT_EQ(shares, (std::vector<int>{25, 25, 50}));
  const std::vector<int> bounded = proportionalShares(10, {1, 1, 8}, {2, 2, 0}, {10, 10, 5});
  ASSERT_EQ(bounded.size(), 3u);
  EXPECT_EQ(std::accumulate(bounded.begin(), bounded.end(), 0), 10);
  EXPECT_LE(bounded[2], 5);
  EXPECT_GE(bounded[0], 2);
  EXPECT_TRUE(proportionalShares(3, {1, 1}, {2, 2}, {5, 5}).empty());
  EXPECT_TRUE(proportionalShares(11, {1, 1}, {0, 0}, {5, 5}).empty());
}

TEST(TreeLeaves, UvGridsHoldTheTotalAndEveryPointIsUsable) {
  const std::vector<int> quads = {2, 2, 20, 350, 35};
  for (int total : {20, 25, 57, 200, 203}) {
    const std::vector<LeafUvGrid> grids = leafUvGrids(total, quads);
    ASSERT_EQ(grids.size(), quads.size()) << total;
    int points = 0;
    for (size_t i = 0; i < grids.size(); ++i) {
      points += grids[i].rows * grids[i].columns;
      EXPECT_GE(grids[i].cells(), 1) << total;
      EXPECT_LE(grids[i].cells(), quads[i]) << total;
    }
    EXPECT_EQ(points, total);
  }
  // Fewer than four points a mesh, or more than its quads can use, fails; so
  // does an odd total without room for one three-row grid (nine points).
  EXPECT_TRUE(leafUvGrids(19, quads).empty());
  EXPECT_TRUE(leafUvGrids(23, quads).empty());
  EXPECT_TRUE(leafUvGrids(2000, quads).empty());
}

TEST(TreeLeaves, QuadsAreAddedWithTheirOwnCornersAndTheGridsPoints) {
  BarkPlan plan;
  plan.leafQuads = 5;
  LimbPlan twig;
  twig.curve.points = {{0, 0, 0}, {0, 0, 0.5}, {0, 0, 1}};
  twig.curve.radii = {0.04, 0.03, 0.01};
  twig.leafFrom = 0.3;
  plan.limbs.push_back(twig);
  MeshBuilder mesh("leaves");
  TreeRandom random(7);
  addLeaves(mesh, plan, {2, 4}, random);
  EXPECT_EQ(mesh.vertexCount(), 20);
  EXPECT_EQ(mesh.triangleCount(), 10);
  EXPECT_EQ(mesh.uvCount(), 8);
  EXPECT_TRUE(checkQuality(mesh.data()).empty());
}

TEST(TreeCurve, ResamplingSpacesRingsEvenlyAndKeepsTheEnds) {
  const Curve spline = splineCurve({{0, 0, 0}, {0, 0, 2}, {1, 0, 3}, {3, 1, 3.5}},
                                   {0.5, 0.4, 0.2, 0.05}, 16);
  // The spline passes through its control points with their radii.
  EXPECT_NEAR(length(spline.points[16] - Vec3{0, 0, 2}), 0.0, 1e-12);
  EXPECT_NEAR(spline.radii[32], 0.2, 1e-12);
  const Curve rings = resampleCurve(spline, 9);
  ASSERT_EQ(rings.points.size(), 9u);
  EXPECT_NEAR(length(rings.points.front() - spline.points.front()), 0.0, 1e-12);
  EXPECT_NEAR(length(rings.points.back() - spline.points.back()), 0.0, 1e-12);
  EXPECT_NEAR(rings.radii.back(), 0.05, 1e-12);
  // Equal arc length between rings along the fine curve means nearly equal chords.
  const double step = length(rings.points[1] - rings.points[0]);
  for (size_t i = 1; i + 1 < rings.points.size(); ++i) {
    EXPECT_NEAR(length(rings.points[i + 1] - rings.points[i]), step, 0.02 * step);
  }
}

TEST(TreeBark, TubesHaveTheirCountsAndTheirTextureLength) {
  LimbPlan limb;
  limb.curve = bezierCurve({0, 0, 0}, {0, 0, 1}, {0, 0, 2}, {0, 0, 3}, 20);
  taperCurve(limb.curve, 0.2, 0.2, 1.0);  // a straight cylinder, 3 long, radius 0.2
  EXPECT_NEAR(barkLength(limb.curve), 3.0 / 0.2, 1e-9);
  limb.sides = 5;
  limb.segments = 6;
  MeshBuilder mesh("bark");
  const double vmax = addBarkTube(mesh, limb, 0.5);
  EXPECT_EQ(mesh.vertexCount(), 5 * 7);
  EXPECT_EQ(mesh.triangleCount(), 2 * 5 * 6);
  EXPECT_EQ(mesh.uvCount(), 6 * 7);
  EXPECT_NEAR(vmax, 0.5 * 3.0 / 0.2, 1e-9);
  EXPECT_NEAR(largestV(mesh.data()), vmax, 1e-12);
  EXPECT_TRUE(checkQuality(mesh.data()).empty());
  // Round a limb the texture turns a whole number of thirds, at least one.
  EXPECT_NEAR(barkTurns(0.5), 3.0, 1e-12);         // 2 pi x 0.5 = 3.14: 9.42 thirds, 9
  EXPECT_NEAR(barkTurns(2.5), 47.0 / 3.0, 1e-12);  // 15.71: 47.12 thirds, 47
  EXPECT_NEAR(barkTurns(0.01), 1.0 / 3.0, 1e-12);  // never less than a third
}

TEST(TreeCrown, ReachEndsOnTheOutline) {
  const Vec3 centre = crownCentre();
  for (double elevation : {-60.0, 0.0, 45.0}) {
    for (double azimuth : {0.0, 100.0, 250.0}) {
      const Vec3 edge = crownPoint(elevation, azimuth);
      const double reach = crownReach(centre, normalized(edge - centre));
      EXPECT_NEAR(reach, length(edge - centre), 1e-6) << elevation << " " << azimuth;
      EXPECT_EQ(crownReach(centre + (edge - centre) * 1.1, normalized(edge - centre)), 0.0);
    }
  }
}

TEST(TreeRandomSource, RepeatsForASeedAndStaysInRange) {
  TreeRandom a(5), b(5), c(6);
  bool differs = false;
  for (int i = 0; i < 1000; ++i) {
    const double x = a.uniform();
    EXPECT_EQ(x, b.uniform());
    EXPECT_GE(x, 0.0);
    EXPECT_LT(x, 1.0);
    differs = differs || x != c.uniform();
  }
  EXPECT_TRUE(differs);
}

}  // namespace
