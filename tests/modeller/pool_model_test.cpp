// The pool beyond its counts and closed solids: two walls that together
// close the basin round the water without gap or overlap, marble at one
// scale and never mirrored, and one round rail along each side above them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "assets/meshes/catalogue.h"
#include "tests/modeller/mesh_checks.h"
#include "tools/modeller/models.h"

namespace {

const double wallHeight = configuredEntry("pool").mesh(1).box().max[2];
constexpr double waterLow = -90.0, waterHigh = 88.2;  // the ripple surface's span
constexpr double uvPerUnit = 1.0 / 200.0;             // five repeats of the marble over 200

// Whether the wall's top face covers (x, y) seen from above.
bool covers(const MeshData& wall, double x, double y) {
  for (int f = 0; f < wall.triangleCount(); ++f) {
    const Vec3 a = vertexAt(wall, wall.triangles[3 * f]), b = vertexAt(wall, wall.triangles[3 * f + 1]),
               c = vertexAt(wall, wall.triangles[3 * f + 2]);
    if (a.z != wallHeight || b.z != wallHeight || c.z != wallHeight) continue;
    const auto side = [&](Vec3 p, Vec3 q) { return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x); };
    if (side(a, b) >= 0 && side(b, c) >= 0 && side(c, a) >= 0) return true;
  }
  return false;
}

TEST(PoolModel, WallsCloseTheBasinAroundTheWater) {
  // No wall over the open water, and every point of the ring round it under
  // exactly one wall.
  const MeshData &one = builtMesh("pool", 1), &two = builtMesh("pool", 2);
  const Box a = boundingBox(one.positions), b = boundingBox(two.positions);
  int ringPoints = 0;
  for (double x = b.min[0] + 0.05; x < a.max[0] - 0.05; x += 0.37) {
    for (double y = std::max(a.min[1], b.min[1]) + 0.05; y < std::min(a.max[1], b.max[1]) - 0.05; y += 0.37) {
      const int count = covers(one, x, y) + covers(two, x, y);
      const auto inside = [&](double margin) {
        return std::min(x, y) > waterLow + margin && std::max(x, y) < waterHigh - margin;
      };
      if (inside(1.0)) {
        ASSERT_EQ(count, 0) << "a wall covers the open water at " << x << ", " << y;
      } else if (!inside(0.0)) {
        ASSERT_EQ(count, 1) << "walls cover " << x << ", " << y << " " << count << " times";
        ++ringPoints;
      }
    }
  }
  EXPECT_GT(ringPoints, 10000);
}

TEST(PoolModel, MarbleIsNeverSquashedOrMirrored) {
  for (int number : {1, 2}) {
    const MeshData& wall = builtMesh("pool", number);
    ASSERT_TRUE(wall.textured());
    for (int f = 0; f < wall.triangleCount(); ++f) {
      Vec3 p[3], t[3];
      for (int k = 0; k < 3; ++k) {
        p[k] = vertexAt(wall, wall.triangles[3 * f + k]);
        const double* uv = &wall.uvs[2 * wall.uvTriangles[3 * f + k]];
        t[k] = {uv[0], uv[1], 0.0};
      }
      const Vec3 normal = cross(p[1] - p[0], p[2] - p[0]);
      const double uvArea = cross(t[1] - t[0], t[2] - t[0]).z / 2.0;
      // Outward faces (down-facing ones seen from below) keep the handedness.
      EXPECT_GT(normal.z < 0 ? -uvArea : uvArea, 0.0) << wall.name << " triangle " << f;
      if (normal.z > 0) {
        EXPECT_NEAR(uvArea, length(normal) / 2 * uvPerUnit * uvPerUnit, 1e-12) << wall.name << " " << f;
      }
      // Up a side the texture spans the wall's height at the same scale.
      for (int k = 0; normal.z == 0 && k < 3; ++k) {
        const int m = (k + 1) % 3, n = (k + 2) % 3;
        if (p[m].z != p[n].z || p[k].z == p[m].z) continue;
        EXPECT_NEAR(std::fabs(cross(normalized(t[n] - t[m]), t[k] - t[m]).z), wallHeight * uvPerUnit, 1e-12)
            << wall.name << " side triangle " << f;
      }
    }
  }
}

TEST(PoolModel, OneRoundRailRunsAlongEachSideAboveTheWalls) {
  int alongX = 0;
  for (int number = 3; number <= 6; ++number) {
    const MeshData& rail = builtMesh("pool", number);
    EXPECT_FALSE(rail.textured()) << rail.name;
    const Box box = boundingBox(rail.positions);
    const int axis = box.max[0] - box.min[0] > box.max[1] - box.min[1] ? 0 : 1;
    alongX += axis == 0;
    EXPECT_GT(box.max[axis] - box.min[axis], 190.0) << rail.name;
    EXPECT_GT(box.min[2], wallHeight) << rail.name;
    EXPECT_LT(box.min[2], wallHeight + 1.5) << rail.name;
    // Two rings of ten round a level axis, radius 1.5.
    const Vec3 centre = boxCentre(rail);
    int onSurface = 0;
    for (int i = 0; i < rail.vertexCount(); ++i) {
      const Vec3 d = vertexAt(rail, i) - centre;
      const double distance = std::hypot(axis == 0 ? d.y : d.x, d.z);
      if (distance < 1e-6) continue;  // an end cap's centre
      EXPECT_NEAR(distance, 1.5, 0.02) << rail.name << " vertex " << i;
      ++onSurface;
    }
    EXPECT_EQ(onSurface, 20) << rail.name;
  }
  EXPECT_EQ(alongX, 2);
}

}  // namespace
