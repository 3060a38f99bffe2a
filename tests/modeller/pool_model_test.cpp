// The pool beyond its counts, boxes and closed solids: two walls that
// together close the basin round the water without gap or overlap, and
// marble at one scale, never mirrored.
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
    Vec3 p[3];
    for (int k = 0; k < 3; ++k) p[k] = vertexAt(wall, wall.triangles[3 * f + k]);
    if (p[0].z != wallHeight || p[1].z != wallHeight || p[2].z != wallHeight) continue;
    bool inside = true;
    for (int k = 0; k < 3; ++k) {
      const Vec3 a = p[k], b = p[(k + 1) % 3];
      inside = inside && (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) >= 0;
    }
    if (inside) return true;
  }
  return false;
}

TEST(PoolModel, WallsCloseTheBasinAroundTheWater) {
  // No wall over the open water; every point of the ring round it under
  // exactly one wall.
  const MeshData &one = builtMesh("pool", 1), &two = builtMesh("pool", 2);
  const Box a = boundingBox(one.positions), b = boundingBox(two.positions);
  const double low = std::max(a.min[1], b.min[1]) + 0.05, high = std::min(a.max[1], b.max[1]);
  int ringPoints = 0;
  for (double x = b.min[0] + 0.05; x < a.max[0] - 0.05; x += 0.37) {
    for (double y = low; y < high - 0.05; y += 0.37) {
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
    for (int f = 0; f < wall.triangleCount(); ++f) {
      SCOPED_TRACE(wall.name + " triangle " + std::to_string(f));
      Vec3 p[3], t[3];
      for (int k = 0; k < 3; ++k) {
        p[k] = vertexAt(wall, wall.triangles[3 * f + k]);
        const double* uv = &wall.uvs[2 * wall.uvTriangles[3 * f + k]];
        t[k] = {uv[0], uv[1], 0.0};
      }
      const Vec3 normal = cross(p[1] - p[0], p[2] - p[0]);
      const double uvArea = cross(t[1] - t[0], t[2] - t[0]).z / 2.0;
      // Outward faces (down-facing ones seen from below) keep the handedness;
      // the top shows the marble at the pool's scale.
      EXPECT_GT(normal.z < 0 ? -uvArea : uvArea, 0.0);
      if (normal.z > 0) {
        EXPECT_NEAR(uvArea, length(normal) / 2 * uvPerUnit * uvPerUnit, 1e-12);
      }
      // Up a side the texture spans the wall's height at the same scale.
      for (int k = 0; normal.z == 0 && k < 3; ++k) {
        const int m = (k + 1) % 3, n = (k + 2) % 3;
        if (p[m].z != p[n].z || p[k].z == p[m].z) continue;
        const double height = std::fabs(cross(normalized(t[n] - t[m]), t[k] - t[m]).z);
        EXPECT_NEAR(height, wallHeight * uvPerUnit, 1e-12);
      }
    }
  }
}

}  // namespace
