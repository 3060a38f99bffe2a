// The pool's shape: two closed L-shaped walls that stand on the floor and
// together close the basin around the water without gaps or overlaps, marble
// mapped at one scale on every face, and four closed rails, one per side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/meshes/catalogue.h"
#include "tools/modeller/geometry.h"
#include "tools/modeller/models.h"

namespace {

// The walls stand on the floor up to the top of their catalogue box.
const double wallHeight = configuredEntry("pool").mesh(1).box().max[2];
// The still water's edges in the pool's frame (the ripple surface's span).
constexpr double waterLow = -90.0;
constexpr double waterHigh = 88.2;
constexpr double railRadius = 1.5;
constexpr int railSides = 10;

Vec3 vertexAt(const MeshData& mesh, int index) {
  return {mesh.positions[3 * index], mesh.positions[3 * index + 1], mesh.positions[3 * index + 2]};
}

// Signed volume enclosed by a mesh's triangles (positive when they face out).
double signedVolume(const MeshData& mesh) {
  double volume = 0.0;
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    const Vec3 a = vertexAt(mesh, mesh.triangles[3 * f]);
    const Vec3 b = vertexAt(mesh, mesh.triangles[3 * f + 1]);
    const Vec3 c = vertexAt(mesh, mesh.triangles[3 * f + 2]);
    volume += dot(a, cross(b, c)) / 6.0;
  }
  return volume;
}

// Whether the wall's top face covers the point (x, y) seen from above.
bool covers(const MeshData& wall, double x, double y) {
  for (int f = 0; f < wall.triangleCount(); ++f) {
    const Vec3 a = vertexAt(wall, wall.triangles[3 * f]);
    const Vec3 b = vertexAt(wall, wall.triangles[3 * f + 1]);
    const Vec3 c = vertexAt(wall, wall.triangles[3 * f + 2]);
    if (a.z != wallHeight || b.z != wallHeight || c.z != wallHeight) continue;
    const auto side = [&](Vec3 p, Vec3 q) { return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x); };
    if (side(a, b) >= 0 && side(b, c) >= 0 && side(c, a) >= 0) return true;
  }
  return false;
}

class Pool : public testing::Test {
 protected:
  void SetUp() override {
    model = buildConfiguredModel("pool");
    ASSERT_EQ(model.meshes.size(), 6u);
  }
  ModelData model;
};

TEST_F(Pool, WallsAreClosedPrismsStandingOnTheFloor) {
  for (int w = 0; w < 2; ++w) {
    const MeshData& wall = model.meshes[w];
    int onFloor = 0, onTop = 0;
    for (int i = 0; i < wall.vertexCount(); ++i) {
      const double z = vertexAt(wall, i).z;
      onFloor += z == 0.0;
      onTop += z == wallHeight;
    }
    EXPECT_EQ(onFloor, 6) << wall.name;
    EXPECT_EQ(onTop, 6) << wall.name;
    // Every top corner stands straight above a floor corner.
    for (int i = 0; i < wall.vertexCount(); ++i) {
      const Vec3 p = vertexAt(wall, i);
      const auto above = [&](int j) {
        const Vec3 q = vertexAt(wall, j);
        return q.x == p.x && q.y == p.y && q.z != p.z;
      };
      int partners = 0;
      for (int j = 0; j < wall.vertexCount(); ++j) partners += above(j);
      EXPECT_EQ(partners, 1) << wall.name << " vertex " << i;
    }
    // Closed and facing out: the volume is the top's area times the height.
    double topArea = 0.0;
    for (int f = 0; f < wall.triangleCount(); ++f) {
      const Vec3 a = vertexAt(wall, wall.triangles[3 * f]);
      const Vec3 b = vertexAt(wall, wall.triangles[3 * f + 1]);
      const Vec3 c = vertexAt(wall, wall.triangles[3 * f + 2]);
      if (a.z == wallHeight && b.z == wallHeight && c.z == wallHeight) {
        const Vec3 n = cross(b - a, c - a);
        EXPECT_GT(n.z, 0.0) << wall.name << " top triangle " << f << " faces down";
        topArea += n.z / 2.0;
      }
    }
    EXPECT_NEAR(signedVolume(wall), topArea * wallHeight, 1e-6) << wall.name;
  }
}

TEST_F(Pool, WallsCloseTheBasinAroundTheWater) {
  // Seen from above, the open water inside the walls and the walls' own ring
  // are covered exactly as they should be: no wall over the open water, and
  // every point of the ring under exactly one wall (no gap, no overlap).
  const Box one = boundingBox(model.meshes[0].positions);
  const Box two = boundingBox(model.meshes[1].positions);
  const double outerLowX = two.min[0] + 0.05, outerHighX = one.max[0] - 0.05;
  const double outerLowY = std::max(one.min[1], two.min[1]) + 0.05;
  const double outerHighY = std::min(one.max[1], two.max[1]) - 0.05;
  constexpr double step = 0.37;
  constexpr double openMargin = 1.0;  // the walls may overlap the water's edge by less
  int ringPoints = 0;
  for (double x = outerLowX; x < outerHighX; x += step) {
    for (double y = outerLowY; y < outerHighY; y += step) {
      const int count = covers(model.meshes[0], x, y) + covers(model.meshes[1], x, y);
      const bool underWater = x > waterLow && x < waterHigh && y > waterLow && y < waterHigh;
      const bool openWater = x > waterLow + openMargin && x < waterHigh - openMargin &&
                             y > waterLow + openMargin && y < waterHigh - openMargin;
      if (openWater) {
        ASSERT_EQ(count, 0) << "a wall covers the open water at " << x << ", " << y;
      } else if (!underWater) {
        ASSERT_EQ(count, 1) << "walls cover " << x << ", " << y << " " << count << " times";
        ++ringPoints;
      }
    }
  }
  EXPECT_GT(ringPoints, 10000);
}

TEST_F(Pool, MarbleIsNeverSquashedOrMirrored) {
  // The top shows the marble at the pool's scale (five repeats over 200
  // units); up every side the texture spans exactly the wall's height at that
  // scale, and no face shows it mirrored.
  constexpr double uvPerUnit = 1.0 / 200.0;
  for (int w = 0; w < 2; ++w) {
    const MeshData& wall = model.meshes[w];
    ASSERT_TRUE(wall.textured());
    int sides = 0;
    for (int f = 0; f < wall.triangleCount(); ++f) {
      Vec3 p[3], t[3];
      for (int k = 0; k < 3; ++k) {
        p[k] = vertexAt(wall, wall.triangles[3 * f + k]);
        const double* uv = &wall.uvs[2 * wall.uvTriangles[3 * f + k]];
        t[k] = {uv[0], uv[1], 0.0};
      }
      const double area = length(cross(p[1] - p[0], p[2] - p[0])) / 2.0;
      const double uvArea = cross(t[1] - t[0], t[2] - t[0]).z / 2.0;
      const Vec3 normal = cross(p[1] - p[0], p[2] - p[0]);
      // Outward-facing triangles (down-facing ones seen from below) keep the
      // texture's handedness.
      EXPECT_GT(normal.z < 0 ? -uvArea : uvArea, 0.0) << wall.name << " triangle " << f;
      if (normal.z > 0) {
        EXPECT_NEAR(uvArea, area * uvPerUnit * uvPerUnit, 1e-12) << wall.name << " top " << f;
      }
      if (normal.z != 0) continue;
      ++sides;
      // The level edge and the corner off it are one wall height apart in UV.
      for (int k = 0; k < 3; ++k) {
        const int a = (k + 1) % 3, b = (k + 2) % 3;
        if (p[a].z != p[b].z || p[k].z == p[a].z) continue;
        const Vec3 along = normalized(t[b] - t[a]);
        const Vec3 off = t[k] - t[a];
        EXPECT_NEAR(std::fabs(cross(along, off).z), wallHeight * uvPerUnit, 1e-12)
            << wall.name << " side triangle " << f;
        if (p[a].z == wallHeight) {
          EXPECT_NEAR(length(t[b] - t[a]), length(p[b] - p[a]) * uvPerUnit, 1e-12)
              << wall.name << " side triangle " << f;
        }
      }
    }
    EXPECT_EQ(sides, 12) << wall.name;
  }
}

TEST_F(Pool, OneRoundRailRunsAlongEachSideAboveTheWalls) {
  int alongX = 0, alongY = 0;
  for (int r = 2; r < 6; ++r) {
    const MeshData& rail = model.meshes[r];
    EXPECT_FALSE(rail.textured()) << rail.name;
    const Box box = boundingBox(rail.positions);
    const bool runsAlongX = box.max[0] - box.min[0] > box.max[1] - box.min[1];
    (runsAlongX ? alongX : alongY)++;
    const int axis = runsAlongX ? 0 : 1, across = 1 - axis;
    // It spans nearly the whole side and rests above the wall tops.
    EXPECT_GT(box.max[axis] - box.min[axis], 190.0) << rail.name;
    EXPECT_GT(box.min[2], wallHeight) << rail.name;
    EXPECT_LT(box.min[2], wallHeight + 1.5) << rail.name;
    // Two rings of ten around a level axis, each a regular ten-sided section.
    const double centreAcross = 0.5 * (box.min[across] + box.max[across]);
    const double centreZ = 0.5 * (box.min[2] + box.max[2]);
    int onSurface = 0;
    for (int i = 0; i < rail.vertexCount(); ++i) {
      const Vec3 p = vertexAt(rail, i);
      const double offAcross = (across == 0 ? p.x : p.y) - centreAcross;
      const double distance = std::hypot(offAcross, p.z - centreZ);
      if (distance > 1e-6) {
        EXPECT_NEAR(distance, railRadius, 0.02) << rail.name << " vertex " << i;
        ++onSurface;
      }
    }
    EXPECT_EQ(onSurface, 2 * railSides) << rail.name;
    // Closed at both ends and facing out.
    EXPECT_GT(signedVolume(rail), 0.9 * pi * railRadius * railRadius * 190.0) << rail.name;
  }
  EXPECT_EQ(alongX, 2);
  EXPECT_EQ(alongY, 2);
}

}  // namespace
