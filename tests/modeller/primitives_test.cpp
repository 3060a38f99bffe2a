// The modeller's primitives produce exactly the counts their header promises:
// the models rely on those counts to meet the catalogue.
#include <gtest/gtest.h>

#include "assets/meshes/catalogue.h"
#include "tools/modeller/obj_writer.h"
#include "tools/modeller/primitives.h"

namespace {

TEST(Primitives, LatheAndTubeHaveTheirCounts) {
  MeshBuilder lathe("lathe");
  addLathe(lathe, {{3, 0}, {4, 1}, {3.5, 2}, {2, 3}}, 12, {}, true);
  EXPECT_EQ(lathe.vertexCount(), 12 * 4);
  EXPECT_EQ(lathe.triangleCount(), 2 * 12 * 3);
  EXPECT_EQ(lathe.uvCount(), 13 * 4);
  EXPECT_TRUE(checkQuality(lathe.data()).empty());

  MeshBuilder tube("tube");
  addTube(tube, {{0, 0, 0}, {0, 0.2, 1}, {0.5, 0.5, 2}, {1.5, 0.4, 2.6}}, {0.3, 0.25, 0.2, 0.1},
          6, true, 1.0, 2.0);
  EXPECT_EQ(tube.vertexCount(), 6 * 4);
  EXPECT_EQ(tube.triangleCount(), 2 * 6 * 3);
  EXPECT_TRUE(checkQuality(tube.data()).empty());
}

TEST(Primitives, ClosedShapesHaveTheirCountsAndNoFaults) {
  MeshBuilder torus("torus");
  addTorus(torus, Frame{}, 10, 2, 24, 12, true);
  EXPECT_EQ(torus.vertexCount(), 288);
  EXPECT_EQ(torus.triangleCount(), 576);
  EXPECT_EQ(torus.uvCount(), 25 * 13);
  EXPECT_TRUE(checkQuality(torus.data()).empty());

  MeshBuilder sphere("sphere");
  addUvSphere(sphere, {1, 2, 3}, 10, 100, 50, false);
  EXPECT_EQ(sphere.vertexCount(), 4902);
  EXPECT_EQ(sphere.triangleCount(), 9800);
  EXPECT_TRUE(checkQuality(sphere.data()).empty());
  const Box box = boundingBox(sphere.data().positions);
  EXPECT_NEAR(box.min[0], -9.0, 1e-9);
  EXPECT_NEAR(box.max[2], 13.0, 1e-9);

  MeshBuilder grid("grid");
  addGrid(grid, 41, 41, [](int r, int c) { return Vec3{double(c), double(r), 0.0}; }, true);
  EXPECT_EQ(grid.vertexCount(), 1681);
  EXPECT_EQ(grid.triangleCount(), 3200);
  EXPECT_EQ(grid.uvCount(), 1681);
  EXPECT_TRUE(checkQuality(grid.data()).empty());
}

TEST(Primitives, FitToBoxMeetsTheTargetExactly) {
  MeshBuilder sphere("sphere");
  addUvSphere(sphere, {}, 1, 8, 5, false);
  const Box target{{-29.63, -30.0, 0.32}, {30.37, 30.0, 206.03}};
  fitToBox(sphere.data(), target);
  const Box box = boundingBox(sphere.data().positions);
  for (int axis = 0; axis < 3; ++axis) {
    EXPECT_NEAR(box.min[axis], target.min[axis], 1e-12);
    EXPECT_NEAR(box.max[axis], target.max[axis], 1e-12);
  }
}

TEST(ObjWriter, WritesGlobalOneBasedIndicesPerBlock) {
  MeshBuilder a("first");
  const int a0 = a.vertex({0, 0, 0});
  const int a1 = a.vertex({1, 0, 0});
  const int a2 = a.vertex({0, -0.0000001, 1});
  const int t0 = a.uv(0, 0);
  const int t1 = a.uv(1, 0);
  const int t2 = a.uv(0, 1);
  a.triangle(a0, a1, a2, t0, t1, t2);
  MeshBuilder b("second");
  const int b0 = b.vertex({0, 0, 0});
  const int b1 = b.vertex({2, 0, 0});
  const int b2 = b.vertex({0, 2, 0});
  b.triangle(b0, b1, b2);
  const std::string text = objText({"pair", {a.data(), b.data()}});
  EXPECT_NE(text.find("o first\nv 0.000000 0.000000 0.000000\n"), std::string::npos);
  EXPECT_NE(text.find("v 0.000000 0.000000 1.000000\n"), std::string::npos) << "no negative zero";
  EXPECT_NE(text.find("f 1/1 2/2 3/3\no second\n"), std::string::npos);
  EXPECT_NE(text.find("f 4 5 6\n"), std::string::npos);
}

}  // namespace
