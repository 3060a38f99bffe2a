// The intro lettering: outline tools, face triangulation, the letter designs
// and the solids they become. The catalogue checks counts and boxes; these
// tests check what it cannot: that each letter is one closed solid with one
// opening, faces the viewer, and wears its stone texture unmirrored and
// without a seam along the front edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <utility>

#include "assets/meshes/catalogue.h"
#include "tools/modeller/geometry.h"
#include "tools/modeller/intro_glyphs.h"
#include "tools/modeller/intro_outline.h"
#include "tools/modeller/intro_solid.h"
#include "tools/modeller/intro_triangulate.h"
#include "tools/modeller/models.h"

namespace {

constexpr double tolerance = 1e-9;

double triangleArea2(Vec2 a, Vec2 b, Vec2 c) { return cross2(b - a, c - a); }

// All points of a loop, curve samples included.
std::vector<Vec2> denseLoop(const Loop& loop) {
  std::vector<Vec2> points;
  for (const Stretch& s : loop) points.insert(points.end(), s.begin(), s.end());
  return points;
}

bool segmentsCross(Vec2 a, Vec2 b, Vec2 c, Vec2 d) {
  const double d1 = triangleArea2(c, d, a), d2 = triangleArea2(c, d, b);
  const double d3 = triangleArea2(a, b, c), d4 = triangleArea2(a, b, d);
  return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && std::fabs(d1) > tolerance &&
         std::fabs(d2) > tolerance && std::fabs(d3) > tolerance && std::fabs(d4) > tolerance;
}

// Edges of closed polygons as point pairs.
std::vector<std::pair<Vec2, Vec2>> polygonEdges(const std::vector<std::vector<Vec2>>& polygons) {
  std::vector<std::pair<Vec2, Vec2>> edges;
  for (const auto& polygon : polygons) {
    for (size_t i = 0; i < polygon.size(); ++i) {
      edges.push_back({polygon[i], polygon[(i + 1) % polygon.size()]});
    }
  }
  return edges;
}

int crossingCount(const std::vector<std::vector<Vec2>>& polygons) {
  const auto edges = polygonEdges(polygons);
  int crossings = 0;
  for (size_t i = 0; i < edges.size(); ++i) {
    for (size_t j = i + 1; j < edges.size(); ++j) {
      if (segmentsCross(edges[i].first, edges[i].second, edges[j].first, edges[j].second)) {
        ++crossings;
      }
    }
  }
  return crossings;
}

bool insidePolygon(Vec2 p, const std::vector<Vec2>& polygon) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Vec2 a = polygon[i], b = polygon[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) {
      inside = !inside;
    }
  }
  return inside;
}

double distanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const double t = std::clamp(dot2(p - a, ab) / dot2(ab, ab), 0.0, 1.0);
  return length2(p - (a + ab * t));
}

Loop squareWithBulge() {
  // A 10 x 10 square whose right side bulges out in a half circle.
  LoopPen pen;
  pen.corner({0, 0});
  pen.arc({10, 5}, 5, 5, -90, 90);
  pen.corner({0, 10});
  return pen.close();
}

TEST(IntroOutline, ResamplingHitsTheCountKeepsCornersAndFavoursCurves) {
  const Loop loop = squareWithBulge();
  ASSERT_EQ(loop.size(), 4u);  // two corners, the arc, the arc's end
  const auto polygons = resampleLoops({loop}, 40);
  ASSERT_EQ(polygons.size(), 1u);
  const std::vector<Vec2>& points = polygons[0];
  ASSERT_EQ(points.size(), 40u);
  for (Vec2 kept : {Vec2{0, 0}, Vec2{10, 0}, Vec2{10, 10}, Vec2{0, 10}}) {
    EXPECT_TRUE(std::any_of(points.begin(), points.end(),
                            [&](Vec2 p) { return length2(p - kept) < tolerance; }));
  }
  const auto onBulge = std::count_if(points.begin(), points.end(), [](Vec2 p) { return p.x > 10.5; });
  const auto onBottom = std::count_if(points.begin(), points.end(),
                                      [](Vec2 p) { return p.y < tolerance && p.x > tolerance; });
  EXPECT_GT(onBulge, 4 * onBottom);
  // Every point lies on the outline: the bulge's points on its circle.
  for (Vec2 p : points) {
    if (p.x > 10 + tolerance) {
      EXPECT_NEAR(length2(p - Vec2{10, 5}), 5.0, 2e-4);  // on the sampled curve
    }
  }
  EXPECT_TRUE(resampleLoops({loop}, 3).empty());
}

TEST(IntroOutline, OrientingTurnsALoopRoundAndKeepsItsStart) {
  const Loop ccw = squareWithBulge();
  const Loop cw = orientLoop(ccw, false);
  EXPECT_GT(signedArea2(denseLoop(ccw)), 0);
  EXPECT_LT(signedArea2(denseLoop(cw)), 0);
  EXPECT_NEAR(signedArea2(denseLoop(cw)), -signedArea2(denseLoop(ccw)), 1e-9);
  EXPECT_EQ(cw.front().front().x, 0.0);
  EXPECT_EQ(cw.front().front().y, 0.0);
  EXPECT_EQ(cw.size(), ccw.size());
  // Turned back, it is the loop it was.
  const auto again = resampleLoops({orientLoop(cw, true)}, 30)[0];
  const auto original = resampleLoops({ccw}, 30)[0];
  ASSERT_EQ(again.size(), original.size());
  for (size_t i = 0; i < again.size(); ++i) EXPECT_NEAR(length2(again[i] - original[i]), 0, 1e-9);
}

TEST(IntroOutline, MitresMoveEveryEdgeOutByTheSameDistance) {
  const std::vector<Vec2> square = {{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}};
  const std::vector<Vec2> miters = outwardMiters(square, 2.5);
  EXPECT_NEAR(miters[0].x, -1, tolerance);
  EXPECT_NEAR(miters[0].y, -1, tolerance);
  EXPECT_NEAR(miters[1].x, 0, tolerance);  // on a straight run: the edge normal
  EXPECT_NEAR(miters[1].y, -1, tolerance);
  EXPECT_NEAR(miters[3].x, 1, tolerance);
  EXPECT_NEAR(miters[3].y, 1, tolerance);
  const std::vector<double> turns = turningAngles(square);
  EXPECT_NEAR(turns[1], 0, tolerance);
  EXPECT_NEAR(turns[2], pi / 2, tolerance);
  // A needle-sharp corner is held to the limit.
  const std::vector<Vec2> needle = {{0, 0}, {100, 1}, {0, 2}};
  EXPECT_NEAR(length2(outwardMiters(needle, 2.5)[1]), 2.5, tolerance);
}

TEST(IntroTriangulate, APolygonWithAHoleIsCoveredExactlyOnce) {
  // Outer square with points along its sides (collinear runs), diamond hole.
  const std::vector<Vec2> outer = {{0, 0}, {4, 0}, {8, 0}, {12, 0}, {12, 6}, {12, 12},
                                   {6, 12}, {0, 12}, {0, 8}, {0, 4}};
  const std::vector<Vec2> hole = {{6, 3}, {3, 6}, {6, 9}, {9, 6}};
  std::vector<FaceTriangle> triangles = triangulateWithHole(outer, hole);
  std::vector<Vec2> points = outer;
  points.insert(points.end(), hole.begin(), hole.end());
  for (int pass = 0; pass < 2; ++pass) {
    ASSERT_EQ(triangles.size(), points.size());
    double area = 0;
    std::map<std::pair<int, int>, int> directed;
    std::set<int> used;
    for (const FaceTriangle& t : triangles) {
      const double a2 = triangleArea2(points[t[0]], points[t[1]], points[t[2]]);
      EXPECT_GT(a2, 1e-6);
      area += a2 / 2;
      for (int k = 0; k < 3; ++k) {
        ++directed[{t[k], t[(k + 1) % 3]}];
        used.insert(t[k]);
      }
    }
    EXPECT_NEAR(area, 144.0 - 18.0, 1e-9);
    EXPECT_EQ(used.size(), points.size());
    // Each outline edge is the side of exactly one triangle, in its direction.
    for (int i = 0; i < 10; ++i) EXPECT_EQ((directed[{i, (i + 1) % 10}]), 1) << "outer " << i;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ((directed[{10 + i, 10 + (i + 1) % 4}]), 1) << "hole " << i;
    }
    for (const auto& [edge, count] : directed) EXPECT_EQ(count, 1);
    flipToDelaunay(points, triangles);
  }
}

TEST(IntroTriangulate, FlipsReplaceALongDiagonalAndSplittingAddsAPoint) {
  std::vector<Vec2> points = {{0, 0}, {10, -1}, {20, 0}, {10, 1}};
  std::vector<FaceTriangle> triangles = {{0, 1, 2}, {0, 2, 3}};
  flipToDelaunay(points, triangles);
  ASSERT_EQ(triangles.size(), 2u);
  for (const FaceTriangle& t : triangles) {
    EXPECT_TRUE(std::count(t.begin(), t.end(), 1) && std::count(t.begin(), t.end(), 3));
    EXPECT_GT(triangleArea2(points[t[0]], points[t[1]], points[t[2]]), 0);
  }
  splitLargestTriangle(points, triangles);
  ASSERT_EQ(points.size(), 5u);
  ASSERT_EQ(triangles.size(), 4u);
  double area = 0;
  for (const FaceTriangle& t : triangles) {
    const double a2 = triangleArea2(points[t[0]], points[t[1]], points[t[2]]);
    EXPECT_GT(a2, 0);
    area += a2 / 2;
  }
  EXPECT_NEAR(area, 20.0, 1e-9);
}

TEST(IntroGlyphs, EveryLetterIsOneCleanOutlineWithOneOpeningFillingItsBox) {
  const double width = 60, height = 74.1;
  for (char letter : std::string("ADEHKLNRSUV")) {
    SCOPED_TRACE(std::string(1, letter));
    const Glyph glyph = designLetter(letter, width, height);
    const std::vector<Vec2> outer = denseLoop(glyph.outer), hole = denseLoop(glyph.hole);
    ASSERT_GE(hole.size(), 3u);
    EXPECT_GT(signedArea2(outer), 0);
    EXPECT_LT(signedArea2(hole), 0);
    EXPECT_EQ(crossingCount({outer, hole}), 0);
    for (Vec2 p : hole) EXPECT_TRUE(insidePolygon(p, outer));
    double left = HUGE_VAL, right = -HUGE_VAL, bottom = HUGE_VAL, top = -HUGE_VAL;
    for (Vec2 p : outer) {
      left = std::min(left, p.x), right = std::max(right, p.x);
      bottom = std::min(bottom, p.y), top = std::max(top, p.y);
    }
    EXPECT_NEAR(left, 0, 2.0);
    EXPECT_NEAR(right, width, 2.0);
    EXPECT_NEAR(bottom, 0, 2.0);
    EXPECT_NEAR(top, height, 2.0);
    // Ink covers a fair share of the box: neither hairline nor a block.
    const double ink = (signedArea2(outer) + signedArea2(hole)) / 2 / (width * height);
    EXPECT_GT(ink, 0.25);
    EXPECT_LT(ink, 0.6);
  }
  EXPECT_TRUE(designLetter('Q', width, height).outer.empty());
}

TEST(IntroSolid, PlansSpendTheCountsOnRingsInnerPointAndSplits) {
  const LetterSolidPlan k = planLetterSolid(118, 157);
  EXPECT_TRUE(k.valid);
  EXPECT_EQ(k.outlinePoints, 39);
  EXPECT_TRUE(k.innerPoint);
  EXPECT_EQ(k.splitCorners, 39);
  const LetterSolidPlan a = planLetterSolid(72, 72);
  EXPECT_TRUE(a.valid);
  EXPECT_EQ(a.outlinePoints, 24);
  EXPECT_FALSE(a.innerPoint);
  EXPECT_EQ(a.splitCorners, 0);
  EXPECT_FALSE(planLetterSolid(143, 150).valid);  // two vertices left over
  EXPECT_FALSE(planLetterSolid(72, 70).valid);    // fewer UVs than vertices
  EXPECT_FALSE(planLetterSolid(72, 72 + 49).valid);
  // A plan the letter cannot carry gives no mesh at all.
  const MeshData tooFew =
      buildLetterSolid("x", designLetter('H', 70, 74), planLetterSolid(30, 30),
                       {{0, 0, -5}, {70, 74, 5}});
  EXPECT_EQ(tooFew.vertexCount(), 0);
}

// Per-mesh views used by the model tests.
Vec3 vertexAt(const MeshData& m, int i) {
  return {m.positions[3 * i], m.positions[3 * i + 1], m.positions[3 * i + 2]};
}
Vec2 uvAt(const MeshData& m, int i) { return {m.uvs[2 * i], m.uvs[2 * i + 1]}; }
bool allAtZ(const MeshData& m, int f, double z) {
  for (int k = 0; k < 3; ++k) {
    if (std::fabs(vertexAt(m, m.triangles[3 * f + k]).z - z) > tolerance) return false;
  }
  return true;
}
Vec3 faceNormal(const MeshData& m, int f) {
  const Vec3 a = vertexAt(m, m.triangles[3 * f]), b = vertexAt(m, m.triangles[3 * f + 1]),
             c = vertexAt(m, m.triangles[3 * f + 2]);
  return cross(b - a, c - a);
}

// The letter's outline as the back face's boundary loops (outer and
// opening), in x-y.
std::vector<std::vector<Vec2>> outlineLoops(const MeshData& m) {
  std::map<std::pair<int, int>, int> count;
  for (int f = 0; f < m.triangleCount(); ++f) {
    if (!allAtZ(m, f, -5.0)) continue;
    for (int k = 0; k < 3; ++k) {
      const int a = m.triangles[3 * f + k], b = m.triangles[3 * f + (k + 1) % 3];
      ++count[{std::min(a, b), std::max(a, b)}];
    }
  }
  std::map<int, std::vector<int>> next;
  for (const auto& [edge, n] : count) {
    if (n != 1) continue;
    next[edge.first].push_back(edge.second);
    next[edge.second].push_back(edge.first);
  }
  std::vector<std::vector<Vec2>> loops;
  std::set<int> seen;
  for (const auto& [start, links] : next) {
    if (seen.count(start) || links.size() != 2) continue;
    std::vector<Vec2> loop;
    int previous = -1, at = start;
    while (!seen.count(at) && next[at].size() == 2) {
      seen.insert(at);
      const Vec3 p = vertexAt(m, at);
      loop.push_back({p.x, p.y});
      const int step = next[at][0] != previous ? next[at][0] : next[at][1];
      previous = at;
      at = step;
    }
    loops.push_back(loop);
  }
  return loops;
}

double distanceToLoops(Vec2 p, const std::vector<std::vector<Vec2>>& loops) {
  double nearest = HUGE_VAL;
  for (const auto& loop : loops) {
    for (size_t i = 0; i < loop.size(); ++i) {
      nearest = std::min(nearest, distanceToSegment(p, loop[i], loop[(i + 1) % loop.size()]));
    }
  }
  return nearest;
}

class IntroModelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { model_ = new ModelData(buildConfiguredModel("intro")); }
  static void TearDownTestSuite() { delete model_; }
  static const ModelData& model() { return *model_; }

 private:
  static ModelData* model_;
};
ModelData* IntroModelTest::model_ = nullptr;

TEST_F(IntroModelTest, EveryLetterIsOneClosedSolidWithOneOpening) {
  ASSERT_EQ(model().meshes.size(), 12u);
  for (const MeshData& m : model().meshes) {
    SCOPED_TRACE(m.name);
    std::map<std::pair<int, int>, int> directed;
    std::vector<int> parent(m.vertexCount());
    std::iota(parent.begin(), parent.end(), 0);
    const std::function<int(int)> root = [&](int v) {
      return parent[v] == v ? v : parent[v] = root(parent[v]);
    };
    double volume6 = 0;
    for (int f = 0; f < m.triangleCount(); ++f) {
      const int* t = &m.triangles[3 * f];
      for (int k = 0; k < 3; ++k) {
        ++directed[{t[k], t[(k + 1) % 3]}];
        parent[root(t[k])] = root(t[(k + 1) % 3]);
      }
      volume6 += dot(vertexAt(m, t[0]), cross(vertexAt(m, t[1]), vertexAt(m, t[2])));
    }
    // Closed and consistently wound: every edge once each way.
    int unmatched = 0;
    for (const auto& [edge, count] : directed) {
      const auto back = directed.find({edge.second, edge.first});
      if (count != 1 || back == directed.end() || back->second != 1) ++unmatched;
    }
    EXPECT_EQ(unmatched, 0);
    // One piece, Euler characteristic 0: a solid with exactly one hole through.
    std::set<int> roots;
    for (int v = 0; v < m.vertexCount(); ++v) roots.insert(root(v));
    EXPECT_EQ(roots.size(), 1u);
    const int edges = static_cast<int>(directed.size()) / 2;
    EXPECT_EQ(m.vertexCount() - edges + m.triangleCount(), 0);
    // Wound outwards: a positive volume, at most the box's.
    const Box box = boundingBox(m.positions);
    const double boxVolume = (box.max[0] - box.min[0]) * (box.max[1] - box.min[1]) * 10.0;
    EXPECT_GT(volume6 / 6, 0.2 * boxVolume);
    EXPECT_LT(volume6 / 6, 0.7 * boxVolume);
  }
}

TEST_F(IntroModelTest, FrontFacesTheViewerAndTheBackLooksAway) {
  for (const MeshData& m : model().meshes) {
    SCOPED_TRACE(m.name);
    double frontArea = 0, backArea = 0;
    int front = 0, back = 0;
    for (int f = 0; f < m.triangleCount(); ++f) {
      const Vec3 n = faceNormal(m, f);
      if (allAtZ(m, f, 5.0)) {
        ++front;
        EXPECT_GT(n.z, 0);
        frontArea += n.z / 2;
      } else if (allAtZ(m, f, -5.0)) {
        ++back;
        EXPECT_LT(n.z, 0);
        backArea -= n.z / 2;
      } else {
        // Walls and chamfer never face back towards the viewer's opposite.
        EXPECT_GE(n.z, -tolerance);
      }
    }
    EXPECT_EQ(back, m.vertexCount() / 3);
    EXPECT_EQ(front, m.vertexCount() / 3 + 2 * (m.vertexCount() % 3));
    EXPECT_LT(frontArea, backArea);
    // The front face is the outline drawn in by a narrow chamfer all round:
    // every front vertex lies inside the outline, close to it but clear of it.
    const auto loops = outlineLoops(m);
    ASSERT_EQ(loops.size(), 2u);
    const int ring = m.vertexCount() / 3;
    for (int i = 0; i < ring; ++i) {
      const Vec3 p = vertexAt(m, i);
      ASSERT_EQ(p.z, 5.0);
      EXPECT_TRUE(insidePolygon({p.x, p.y}, loops[0]) != insidePolygon({p.x, p.y}, loops[1]));
      const double inset = distanceToLoops({p.x, p.y}, loops);
      EXPECT_GT(inset, 0.5);
      EXPECT_LT(inset, 3.0);
    }
    // Front face first in drawing order.
    for (int f = 0; f < front; ++f) EXPECT_TRUE(allAtZ(m, f, 5.0)) << f;
  }
}

TEST_F(IntroModelTest, StoneRunsUnmirroredFromTheFaceOntoTheWallsWithoutASeam) {
  double scale = 0;
  for (const MeshData& m : model().meshes) {
    SCOPED_TRACE(m.name);
    // The front face is a projection of x and y at one scale for all letters,
    // so the twelve letters read as cut from one block.
    for (int f = 0; f < m.triangleCount(); ++f) {
      if (!allAtZ(m, f, 5.0)) continue;
      for (int k = 0; k < 3; ++k) {
        const Vec3 p = vertexAt(m, m.triangles[3 * f + k]);
        const Vec2 uv = uvAt(m, m.uvTriangles[3 * f + k]);
        if (scale == 0) scale = uv.x / p.x;
        EXPECT_NEAR(uv.x, p.x * scale, 1e-9);
        EXPECT_NEAR(uv.y, p.y * scale, 1e-9);
      }
    }
    // Seen from the front side, no visible triangle's texture is mirrored,
    // and most of the walls are unrolled at the face's scale.
    std::vector<double> stretch;
    for (int f = 0; f < m.triangleCount(); ++f) {
      if (allAtZ(m, f, -5.0)) continue;
      const int* t = &m.uvTriangles[3 * f];
      const double uvArea = triangleArea2(uvAt(m, t[0]), uvAt(m, t[1]), uvAt(m, t[2])) / 2;
      EXPECT_GT(uvArea, 1e-12) << "triangle " << f;
      if (!allAtZ(m, f, 5.0)) {
        stretch.push_back(uvArea / (length(faceNormal(m, f)) / 2 * scale * scale));
      }
    }
    std::nth_element(stretch.begin(), stretch.begin() + stretch.size() / 2, stretch.end());
    EXPECT_NEAR(stretch[stretch.size() / 2], 1.0, 0.15);
    // Across the front edge the face and the chamfer share their UVs.
    std::map<std::pair<int, int>, std::pair<int, int>> frontEdgeUv;
    int seams = 0, shared = 0;
    for (int f = 0; f < m.triangleCount(); ++f) {
      for (int k = 0; k < 3; ++k) {
        const int a = m.triangles[3 * f + k], b = m.triangles[3 * f + (k + 1) % 3];
        if (vertexAt(m, a).z != 5.0 || vertexAt(m, b).z != 5.0) continue;
        const std::pair<int, int> uv = {m.uvTriangles[3 * f + k],
                                        m.uvTriangles[3 * f + (k + 1) % 3]};
        const auto other = frontEdgeUv.find({b, a});
        if (other == frontEdgeUv.end()) {
          frontEdgeUv[{a, b}] = uv;
        } else {
          ++shared;
          if (other->second != std::make_pair(uv.second, uv.first)) ++seams;
        }
      }
    }
    EXPECT_GT(shared, 0);
    EXPECT_EQ(seams, 0);
  }
}

TEST_F(IntroModelTest, OpeningsLeaveSolidStoneAllRound) {
  for (const MeshData& m : model().meshes) {
    SCOPED_TRACE(m.name);
    const std::vector<std::vector<Vec2>> loops = outlineLoops(m);
    ASSERT_EQ(loops.size(), 2u);
    EXPECT_EQ(crossingCount(loops), 0);
    double thinnest = HUGE_VAL;
    for (int a = 0; a < 2; ++a) {
      const std::vector<Vec2>& from = loops[a];
      const std::vector<Vec2>& to = loops[1 - a];
      for (Vec2 p : from) {
        for (size_t i = 0; i < to.size(); ++i) {
          thinnest = std::min(thinnest, distanceToSegment(p, to[i], to[(i + 1) % to.size()]));
        }
      }
    }
    EXPECT_GT(thinnest, 2.5);
  }
}

}  // namespace
