// The intro lettering beyond its counts and closed solids: each letter faces
// the viewer with its front drawn in by a narrow chamfer, leaves solid stone
// all round its opening, and wears its stone unmirrored, at one scale for all
// letters and without a seam along the front edge; and the plans that spend
// a letter's counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <set>

#include "tests/modeller/mesh_checks.h"
#include "tools/modeller/intro_glyphs.h"
#include "tools/modeller/intro_solid.h"

namespace {

constexpr double front = 5.0, back = -5.0;

bool allAt(const MeshData& m, int f, double z) {
  for (int k = 0; k < 3; ++k) {
    if (vertexAt(m, m.triangles[3 * f + k]).z != z) return false;
  }
  return true;
}

// The letter's outline: the back face's boundary edges, each with the loop
// (outer or opening) it belongs to.
struct OutlineEdge {
  Vec3 a, b;
  int loop;
};
std::vector<OutlineEdge> outline(const MeshData& m) {
  std::map<std::pair<int, int>, int> uses;
  for (int f = 0; f < m.triangleCount(); ++f) {
    for (int k = 0; allAt(m, f, back) && k < 3; ++k) {
      const int a = m.triangles[3 * f + k], b = m.triangles[3 * f + (k + 1) % 3];
      ++uses[std::minmax(a, b)];
    }
  }
  std::vector<int> loop(m.vertexCount());
  std::iota(loop.begin(), loop.end(), 0);
  const auto root = [&](int v) { while (loop[v] != v) v = loop[v]; return v; };
  for (const auto& [edge, n] : uses) if (n == 1) loop[root(edge.first)] = root(edge.second);
  std::vector<OutlineEdge> edges;
  for (const auto& [edge, n] : uses) {
    if (n == 1) edges.push_back({vertexAt(m, edge.first), vertexAt(m, edge.second), root(edge.first)});
  }
  return edges;
}

double distanceToEdge(Vec3 p, const OutlineEdge& e) {
  const Vec3 ab{e.b.x - e.a.x, e.b.y - e.a.y, 0}, ap{p.x - e.a.x, p.y - e.a.y, 0};
  const double t = std::clamp(dot(ap, ab) / dot(ab, ab), 0.0, 1.0);
  return length(ap - ab * t);
}

TEST(IntroModel, FrontFacesTheViewerDrawnInByTheChamferWithStoneAllRound) {
  for (const MeshData& m : builtModel("intro").meshes) {
    SCOPED_TRACE(m.name);
    for (int f = 0; f < m.triangleCount(); ++f) {
      const double nz = cross(vertexAt(m, m.triangles[3 * f + 1]) - vertexAt(m, m.triangles[3 * f]),
                              vertexAt(m, m.triangles[3 * f + 2]) - vertexAt(m, m.triangles[3 * f])).z;
      if (allAt(m, f, front)) EXPECT_GT(nz, 0) << "front triangle " << f;
      else if (allAt(m, f, back)) EXPECT_LT(nz, 0) << "back triangle " << f;
      else EXPECT_GE(nz, -1e-9) << "wall triangle " << f << " faces backwards";
    }
    // Every vertex of the front ring lies in the ink (inside an odd number of loops),
    // clear of the outline by the chamfer's width.
    const std::vector<OutlineEdge> edges = outline(m);
    std::set<int> loops;
    for (const OutlineEdge& e : edges) loops.insert(e.loop);
    ASSERT_EQ(loops.size(), 2u) << "not one outline with one opening";
    for (int i = 0; i < m.vertexCount() / 3; ++i) {  // the front ring
      const Vec3 p = vertexAt(m, i);
      ASSERT_EQ(p.z, front);
      double inset = HUGE_VAL;
      int crossings = 0;
      for (const OutlineEdge& e : edges) {
        inset = std::min(inset, distanceToEdge(p, e));
        crossings += (e.a.y > p.y) != (e.b.y > p.y) &&
                     p.x < e.a.x + (p.y - e.a.y) * (e.b.x - e.a.x) / (e.b.y - e.a.y);
      }
      EXPECT_EQ(crossings % 2, 1) << "front vertex " << i << " outside the letter";
      EXPECT_GT(inset, 0.5) << "front vertex " << i;
      EXPECT_LT(inset, 3.0) << "front vertex " << i;
    }
    // Between the outline and its opening the stone is never thin.
    double thinnest = HUGE_VAL;
    for (const OutlineEdge& e : edges) {
      for (const OutlineEdge& other : edges) {
        if (e.loop != other.loop) thinnest = std::min(thinnest, distanceToEdge(e.a, other));
      }
    }
    EXPECT_GT(thinnest, 2.5);
  }
}

TEST(IntroModel, StoneRunsUnmirroredFromTheFaceOntoTheWallsWithoutASeam) {
  double scale = 0;
  for (const MeshData& m : builtModel("intro").meshes) {
    SCOPED_TRACE(m.name);
    const auto uvAt = [&](int f, int k) {
      const int i = m.uvTriangles[3 * f + k];
      return Vec3{m.uvs[2 * i], m.uvs[2 * i + 1], 0.0};
    };
    std::vector<double> stretch;
    std::map<std::pair<int, int>, std::pair<int, int>> frontEdgeUv;
    int seams = 0, shared = 0;
    for (int f = 0; f < m.triangleCount(); ++f) {
      // The front face is x and y at one scale for all letters, as if the
      // twelve were cut from one block.
      for (int k = 0; allAt(m, f, front) && k < 3; ++k) {
        const Vec3 p = vertexAt(m, m.triangles[3 * f + k]), uv = uvAt(f, k);
        if (scale == 0) scale = uv.x / p.x;
        EXPECT_NEAR(uv.x, p.x * scale, 1e-9);
        EXPECT_NEAR(uv.y, p.y * scale, 1e-9);
      }
      // Seen from the front side no triangle's texture is mirrored, and the
      // walls are mostly unrolled at the face's scale.
      if (allAt(m, f, back)) continue;
      const double uvArea = cross(uvAt(f, 1) - uvAt(f, 0), uvAt(f, 2) - uvAt(f, 0)).z / 2;
      EXPECT_GT(uvArea, 1e-12) << "triangle " << f;
      const Vec3 a = vertexAt(m, m.triangles[3 * f]);
      const double area = length(cross(vertexAt(m, m.triangles[3 * f + 1]) - a, vertexAt(m, m.triangles[3 * f + 2]) - a)) / 2;
      if (!allAt(m, f, front)) stretch.push_back(uvArea / (area * scale * scale));
      // Across the front edge the face and the chamfer share their UVs.
      for (int k = 0; k < 3; ++k) {
        const int u = m.triangles[3 * f + k], v = m.triangles[3 * f + (k + 1) % 3];
        if (vertexAt(m, u).z != front || vertexAt(m, v).z != front) continue;
        const std::pair<int, int> uv = {m.uvTriangles[3 * f + k], m.uvTriangles[3 * f + (k + 1) % 3]};
        const auto other = frontEdgeUv.find({v, u});
        if (other == frontEdgeUv.end()) {
          frontEdgeUv[{u, v}] = uv;
        } else {
          ++shared;
          seams += other->second != std::make_pair(uv.second, uv.first);
        }
      }
    }
    std::nth_element(stretch.begin(), stretch.begin() + stretch.size() / 2, stretch.end());
    EXPECT_NEAR(stretch[stretch.size() / 2], 1.0, 0.15);
    EXPECT_GT(shared, 0);
    EXPECT_EQ(seams, 0);
  }
}

TEST(IntroSolid, PlansSpendTheCountsOnRingsInnerPointAndSplits) {
  const struct {
    int vertices, uvs;
    bool valid;
    int outlinePoints, splitCorners;
    bool innerPoint;
  } rows[] = {
      {118, 157, true, 39, 39, true}, {72, 72, true, 24, 0, false},
      {143, 150, false, 0, 0, false},  // two vertices left over
      {72, 70, false, 0, 0, false},    // fewer UVs than vertices
      {72, 72 + 49, false, 0, 0, false},
  };
  for (const auto& row : rows) {
    const LetterSolidPlan plan = planLetterSolid(row.vertices, row.uvs);
    SCOPED_TRACE(std::to_string(row.vertices) + " vertices, " + std::to_string(row.uvs) + " UVs");
    EXPECT_EQ(plan.valid, row.valid);
    if (!row.valid) continue;
    EXPECT_EQ(plan.outlinePoints, row.outlinePoints);
    EXPECT_EQ(plan.splitCorners, row.splitCorners);
    EXPECT_EQ(plan.innerPoint, row.innerPoint);
  }
  // A plan the letter cannot carry gives no mesh at all.
  EXPECT_EQ(buildLetterSolid("x", designLetter('H', 70, 74), planLetterSolid(30, 30), {{0, 0, -5}, {70, 74, 5}})
                .vertexCount(), 0);
}

}  // namespace
