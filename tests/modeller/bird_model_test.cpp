// The bird statue beyond what the catalogue checks: the surface pieces that
// give exact counts (bands between rows of any lengths, cuts along seams),
// the marble tiling that must never collapse into stripes, and the statue's
// anatomy: facing +x+y, head turned back, legs rising into the body, feet
// on the ground under them, wings spread wide.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "assets/meshes/catalogue.h"
#include "tools/modeller/bird_model.h"
#include "tools/modeller/bird_shapes.h"
#include "tools/modeller/bird_surface.h"
#include "tools/modeller/models.h"

namespace {

// n points around a circle of radius r at height z, starting on +x.
std::vector<Vec3> circle(int n, double r, double z) {
  std::vector<Vec3> points;
  for (int k = 0; k < n; ++k) {
    const double a = 2.0 * pi * k / n;
    points.push_back({r * std::cos(a), r * std::sin(a), z});
  }
  return points;
}

// Edges used by exactly one triangle.
int boundaryEdges(const Surface& surface) {
  std::map<std::pair<int, int>, int> uses;
  for (const auto& t : surface.triangles) {
    for (int k = 0; k < 3; ++k) ++uses[std::minmax(t[k], t[(k + 1) % 3])];
  }
  int count = 0;
  for (const auto& [edge, n] : uses) count += n == 1;
  return count;
}

// An open tube of `rows` circles of `sides` points, one unit apart.
Surface tube(int sides, int rows, std::vector<Row>& rowsOut) {
  Surface surface;
  for (int r = 0; r < rows; ++r) rowsOut.push_back(addRow(surface, circle(sides, 1.0, r), r));
  zipAll(surface, rowsOut, true);
  return surface;
}

Vec3 pointOf(const MeshData& mesh, int i) {
  return {mesh.positions[3 * i], mesh.positions[3 * i + 1], mesh.positions[3 * i + 2]};
}

Vec3 centroid(const MeshData& mesh) {
  Vec3 sum;
  for (int i = 0; i < mesh.vertexCount(); ++i) sum = sum + pointOf(mesh, i);
  return sum * (1.0 / mesh.vertexCount());
}

bool inside(const Box& box, Vec3 p, double margin = 0.0) {
  const double c[3] = {p.x, p.y, p.z};
  for (int a = 0; a < 3; ++a) {
    if (c[a] < box.min[a] - margin || c[a] > box.max[a] + margin) return false;
  }
  return true;
}

// The bird's facing direction and its right hand, in model coordinates.
const Vec3 forward = normalized({1, 1, 0});
const Vec3 rightHand = normalized({1, -1, 0});

class BirdModelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { model = new ModelData(buildConfiguredModel("bird")); }
  static void TearDownTestSuite() { delete model; }
  static const MeshData& mesh(const std::string& name) {
    for (const MeshData& m : model->meshes) {
      if (m.name == name) return m;
    }
    throw std::runtime_error("no mesh " + name);
  }
  static ModelData* model;
};
ModelData* BirdModelTest::model = nullptr;

TEST(BirdSurface, BandsBetweenRowsOfAnyLengthsHaveTheirCounts) {
  Surface closed;
  const Row a = addRow(closed, circle(7, 1.0, 0.0), 0);
  const Row b = addRow(closed, circle(4, 0.8, 1.0), 1);
  zip(closed, a, b, true);
  EXPECT_EQ(closed.triangleCount(), 7 + 4);
  fan(closed, closed.add({0, 0, 2}, 0), b, true);
  EXPECT_EQ(closed.triangleCount(), 7 + 4 + 4);
  EXPECT_TRUE(checkQuality(toMeshData(closed, "closed")).empty());

  Surface open;
  const Row c = addRow(open, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}}, 0);
  const Row d = addRow(open, {{0, 1, 0}, {2, 1, 0}, {4, 1, 0}}, 1);
  zip(open, c, d, false);
  EXPECT_EQ(open.triangleCount(), 5 + 3 - 2);
  fan(open, open.add({2, 2, 0}, 0), d, false);
  EXPECT_EQ(open.triangleCount(), 5 + 3 - 2 + 2);
  EXPECT_TRUE(checkQuality(toMeshData(open, "open")).empty());
}

TEST(BirdSurface, BandsJoinPointsAtTheSameFractionOfTheirRows) {
  // A twisted band would join points from opposite sides of the loops.
  Surface surface;
  const Row a = addRow(surface, circle(12, 1.0, 0.0), 0);
  const Row b = addRow(surface, circle(5, 1.0, 1.0), 1);
  zip(surface, a, b, true);
  for (const auto& t : surface.triangles) {
    for (int i : t) {
      for (int j : t) {
        const Vec3 p = surface.points[i], q = surface.points[j];
        const double turn = std::fabs(std::remainder(std::atan2(p.y, p.x) - std::atan2(q.y, q.x),
                                                     2.0 * pi));
        EXPECT_LE(turn, 2.0 * pi / 5 + 1e-9);
      }
    }
  }
}

TEST(BirdSurface, CutsAddOnePointPerEdgeAtTheSamePlaces) {
  std::vector<Row> rows;
  Surface surface = tube(6, 5, rows);
  const Surface before = surface;
  const int openEdges = boundaryEdges(surface);

  // From the open end to the middle: the start and the one inner point split.
  const std::vector<int> half = pathAcross(surface, rows, 0.0, 2);
  ASSERT_EQ(half.size(), 3u);
  EXPECT_EQ(cut(surface, half), 2);
  EXPECT_EQ(surface.triangleCount(), before.triangleCount());
  EXPECT_EQ(boundaryEdges(surface), openEdges + 4);
  for (int i = before.pointCount(); i < surface.pointCount(); ++i) {
    const bool copiesAPathPoint = std::any_of(half.begin(), half.end(), [&](int p) {
      return length(surface.points[i] - surface.points[p]) == 0.0;
    });
    EXPECT_TRUE(copiesAPathPoint) << "point " << i;
  }

  // End to end, every point of the path splits and the tube opens out flat.
  std::vector<Row> rows2;
  Surface other = tube(6, 5, rows2);
  EXPECT_EQ(cut(other, pathAcross(other, rows2, 0.5, 4)), 5);
  EXPECT_EQ(boundaryEdges(other), openEdges + 8);
  EXPECT_TRUE(checkQuality(toMeshData(other, "cut")).empty());
}

TEST(BirdSurface, SeamsAreCutOnlyAsFarAsTheWantedCount) {
  std::vector<Row> rows;
  Surface surface = tube(8, 6, rows);
  const std::vector<std::vector<int>> seams = {pathAcross(surface, rows, 0.0, 5),
                                               pathAcross(surface, rows, 0.5, 5)};
  EXPECT_TRUE(cutAlongSeams(surface, seams, 48 + 6 + 3));
  EXPECT_EQ(surface.pointCount(), 57);

  std::vector<Row> rows2;
  Surface short2 = tube(8, 6, rows2);
  EXPECT_FALSE(cutAlongSeams(short2, {pathAcross(short2, rows2, 0.0, 5)}, 60));
  EXPECT_EQ(short2.pointCount(), 48 + 6);
}

TEST(BirdSurface, EveryTriangleShowsThreeCornersOfTheTile) {
  // An odd loop cannot alternate all the way round; the corner where it
  // fails must still get a third corner of the tile.
  Surface surface;
  const Row a = addRow(surface, circle(5, 1.0, 0.0), 0);
  const Row b = addRow(surface, circle(5, 1.0, 1.0), 1);
  zip(surface, a, b, true);
  capWithApex(surface, b, {0, 0, 2}, 2);
  const MeshData mesh = toMeshData(surface, "odd");
  ASSERT_EQ(mesh.uvCount(), 4);
  const std::vector<double> square = {0, 0, 1, 0, 1, 1, 0, 1};
  EXPECT_EQ(mesh.uvs, square);
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    const int* c = &mesh.uvTriangles[3 * f];
    EXPECT_TRUE(c[0] != c[1] && c[1] != c[2] && c[0] != c[2]) << "triangle " << f;
  }

  // On an even grid every corner keeps its point's own tile corner.
  Surface grid;
  const Row c = addRow(grid, circle(6, 1.0, 0.0), 0);
  const Row d = addRow(grid, circle(6, 1.0, 1.0), 1);
  zip(grid, c, d, true);
  const MeshData even = toMeshData(grid, "even");
  for (size_t k = 0; k < even.triangles.size(); ++k) {
    EXPECT_EQ(even.uvTriangles[k], grid.tiles[even.triangles[k]]);
  }
}

TEST(BirdShapes, EvenStepsSpaceRingsEquallyAlongACurve) {
  // Keys one, two and three apart: evenly in key steps the points would
  // crowd at the start.
  const std::vector<Vec3> keys = {{0, 0, 0}, {1, 0, 0}, {3, 0, 0}, {6, 0, 0}};
  const std::vector<double> steps = evenSteps(keys, 13);
  ASSERT_EQ(steps.size(), 13u);
  EXPECT_DOUBLE_EQ(steps.front(), 0.0);
  EXPECT_NEAR(steps.back(), 3.0, 1e-9);
  for (size_t k = 1; k < steps.size(); ++k) {
    EXPECT_NEAR(length(smoothPoint(keys, steps[k]) - smoothPoint(keys, steps[k - 1])), 0.5, 0.01);
  }
}

TEST_F(BirdModelTest, EveryTriangleShowsThreeCornersOfTheMarbleTile) {
  const std::vector<double> square = {0, 0, 1, 0, 1, 1, 0, 1};
  for (const MeshData& m : model->meshes) {
    EXPECT_EQ(m.uvs, square) << m.name;
    for (int f = 0; f < m.triangleCount(); ++f) {
      const int* c = &m.uvTriangles[3 * f];
      ASSERT_TRUE(c[0] != c[1] && c[1] != c[2] && c[0] != c[2]) << m.name << " triangle " << f;
    }
  }
}

TEST_F(BirdModelTest, NeighbouringTrianglesAgreeOnTheMarbleAtEachPoint) {
  // Where every triangle at a point takes the same tile corner there, the
  // marble runs on across the edges between them.
  for (const MeshData& m : model->meshes) {
    std::vector<std::set<int>> corners(m.vertexCount());
    for (size_t k = 0; k < m.triangles.size(); ++k) corners[m.triangles[k]].insert(m.uvTriangles[k]);
    const long agreeing = std::count_if(corners.begin(), corners.end(),
                                        [](const std::set<int>& s) { return s.size() == 1; });
    EXPECT_GE(agreeing, m.vertexCount() * 99 / 100) << m.name;
  }
}

TEST_F(BirdModelTest, TheDesignNeedsOnlyASmallStretchToMeetItsBoxes) {
  // A large stretch would distort the shape visibly: the design must already
  // have its meshes' sizes.
  const CatalogueModel& entry = configuredEntry("bird");
  const ModelData design = buildBirdDesign(entry);
  ASSERT_EQ(design.meshes.size(), entry.meshes.size());
  for (size_t m = 0; m < design.meshes.size(); ++m) {
    const Box box = boundingBox(design.meshes[m].positions);
    const Box target = entry.meshes[m].box();
    for (int a = 0; a < 3; ++a) {
      const double stretch = (target.max[a] - target.min[a]) / (box.max[a] - box.min[a]);
      EXPECT_NEAR(stretch, 1.0, 0.08) << design.meshes[m].name << " axis " << a;
      EXPECT_NEAR(box.min[a], target.min[a], 1.5) << design.meshes[m].name << " axis " << a;
    }
  }
}

TEST_F(BirdModelTest, FacesPlusXPlusYWithItsHeadTurnedBack) {
  const Vec3 body = centroid(mesh("body"));
  const Vec3 head = centroid(mesh("head2"));
  const Vec3 bill = centroid(mesh("upperBeak"));
  EXPECT_GT(dot(head - body, forward), 5.0);
  EXPECT_GT(head.z - body.z, 15.0);
  // The bill points back over the shoulder, and a little down.
  EXPECT_LT(dot(bill - head, forward), -3.0);
  EXPECT_LT(bill.z, head.z);
  // The lower bill lies under the upper one.
  EXPECT_LT(centroid(mesh("lowerBeak")).z, bill.z);
  // The hood is the crown: higher than the head's middle.
  EXPECT_GT(centroid(mesh("head1")).z, head.z);
}

TEST_F(BirdModelTest, LegsRiseIntoTheBodyAndTheNeckIntoTheHead) {
  const Box body = boundingBox(mesh("body").positions);
  for (const char* leg : {"leg1", "leg2"}) {
    const MeshData& m = mesh(leg);
    int top = 0;
    for (int i = 1; i < m.vertexCount(); ++i) {
      if (pointOf(m, i).z > pointOf(m, top).z) top = i;
    }
    // The leg's top is above the belly, well inside the body's outline.
    const Vec3 p = pointOf(m, top);
    EXPECT_GT(p.z, body.min[2] + 2.0) << leg;
    EXPECT_TRUE(p.x > body.min[0] + 5.0 && p.x < body.max[0] - 5.0) << leg;
    EXPECT_TRUE(p.y > body.min[1] + 5.0 && p.y < body.max[1] - 5.0) << leg;
  }
  const MeshData& b = mesh("body");
  int top = 0;
  for (int i = 1; i < b.vertexCount(); ++i) {
    if (pointOf(b, i).z > pointOf(b, top).z) top = i;
  }
  EXPECT_TRUE(inside(boundingBox(mesh("head2").positions), pointOf(b, top))) << "neck top";
}

TEST_F(BirdModelTest, EachFootStandsOnTheGroundUnderItsOwnLeg) {
  const Vec3 body = centroid(mesh("body"));
  struct Limb {
    const char* leg;
    const char* foot;
    double side;  // +1 on the bird's right
  };
  for (const Limb& limb : {Limb{"leg1", "foot1", 1.0}, Limb{"leg2", "foot2", -1.0}}) {
    const char* leg = limb.leg;
    const char* foot = limb.foot;
    const double side = limb.side;
    const MeshData& l = mesh(leg);
    const MeshData& f = mesh(foot);
    int bottom = 0;
    for (int i = 1; i < l.vertexCount(); ++i) {
      if (pointOf(l, i).z < pointOf(l, bottom).z) bottom = i;
    }
    // The leg ends inside its foot's heel, not beside it.
    const Box heel = boundingBox(f.positions);
    EXPECT_TRUE(inside(heel, pointOf(l, bottom), 0.2)) << leg;
    // leg1 and foot1 are on the bird's right, leg2 and foot2 on its left.
    EXPECT_GT(side * dot(centroid(l) - body, rightHand), 1.0) << leg;
    EXPECT_GT(side * dot(centroid(f) - body, rightHand), 1.0) << foot;
    // Every toe ends on the ground, away from the heel: the foot's lowest
    // points away from the leg fall into four groups, one per toe.
    const Vec3 ankle = pointOf(l, bottom);
    std::vector<Vec3> tips;
    for (int i = 0; i < f.vertexCount(); ++i) {
      const Vec3 p = pointOf(f, i);
      const double fromAnkle = std::hypot(p.x - ankle.x, p.y - ankle.y);
      if (p.z > heel.min[2] + 0.02 || fromAnkle < 2.0) continue;
      if (std::none_of(tips.begin(), tips.end(), [&](Vec3 q) { return length(p - q) < 1.6; })) {
        tips.push_back(p);
      }
    }
    EXPECT_EQ(tips.size(), 4u) << foot;
  }
}

TEST_F(BirdModelTest, WingsSpreadWideAndFlatOnBothSides) {
  const MeshData& wings = mesh("wings");
  const Vec3 body = centroid(mesh("body"));
  double right = 0, left = 0, back = 0;
  for (int i = 0; i < wings.vertexCount(); ++i) {
    const Vec3 p = pointOf(wings, i) - body;
    right = std::max(right, dot(p, rightHand));
    left = std::max(left, -dot(p, rightHand));
    back = std::max(back, -dot(p, forward));
  }
  EXPECT_GT(right, 35.0);
  EXPECT_GT(left, 35.0);
  EXPECT_LT(std::fabs(right - left), 6.0);
  // The tail fans out well behind the body.
  const MeshData& b = mesh("body");
  double bodyBack = 0;
  for (int i = 0; i < b.vertexCount(); ++i) {
    bodyBack = std::max(bodyBack, -dot(pointOf(b, i) - body, forward));
  }
  EXPECT_GT(back, bodyBack + 8.0);
  const Box box = boundingBox(wings.positions);
  EXPECT_LT(box.max[2] - box.min[2], 10.0);
}

}  // namespace
