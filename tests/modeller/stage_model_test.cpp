// The stage beyond its counts, boxes and closed solids: the domes are hollow
// and draw their inner wall first, the spheres ride round their walkways
// without touching them, and the textures wrap without torn seams.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/modeller/mesh_checks.h"

namespace {

const MeshData& part(int number) { return builtMesh("stage", number); }
double radiusOf(const MeshData& mesh) {
  const Box box = boundingBox(mesh.positions);
  return 0.5 * (box.max[0] - box.min[0]);
}
double along(Vec3 p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

// Sphere s (mesh 10 + s) rides walkway (mesh 6 + walkway) along the x or y axis.
const struct {
  int walkway, axis;
} rides[4] = {{1, 1}, {2, 1}, {3, 0}, {0, 0}};

TEST(StageModel, DomesAreHollowAndDrawTheirInnerWallFirst) {
  for (int number = 2; number <= 5; ++number) {
    const MeshData& dome = part(number);
    const Box box = boundingBox(dome.positions);
    const double radius = radiusOf(dome), height = box.max[2] - box.min[2];
    EXPECT_LT(surfaceFacts(dome).volume, 0.1 * pi * radius * radius * height) << dome.name;
    // Blended, the outer wall must come after every triangle of the inner one.
    const auto outer = [&](int v) {
      const Vec3 d = vertexAt(dome, v) - boxCentre(dome);
      return std::hypot(d.x / radius, d.y / radius, (d.z + height / 2) / height) > 0.999;
    };
    int lastInner = -1, firstOuter = dome.triangleCount(), outerCount = 0;
    for (int f = 0; f < dome.triangleCount(); ++f) {
      const int* t = &dome.triangles[3 * f];
      const int corners = outer(t[0]) + outer(t[1]) + outer(t[2]);
      if (corners == 0) lastInner = f;
      if (corners == 3) firstOuter = std::min(firstOuter, f), ++outerCount;
    }
    EXPECT_GT(outerCount, dome.triangleCount() / 3) << dome.name;
    EXPECT_LT(lastInner, firstOuter) << dome.name << ": the outer wall must be drawn last";
  }
}

TEST(StageModel, SpheresRideRoundTheirWalkwaysWithoutTouchingThem) {
  for (int s = 0; s < 4; ++s) {
    const MeshData &sphere = part(10 + s), &walkway = part(6 + rides[s].walkway);
    // Seen along the walkway, no edge of the sphere comes within a unit of it.
    const int across = 1 - rides[s].axis;
    const Vec3 line = boxCentre(walkway);
    const auto off = [&](Vec3 p) {
      return Vec3{along(p, across) - along(line, across), p.z - line.z, 0.0};
    };
    double walkwayReach = 0.0, nearest = 1e9;
    for (int v = 0; v < walkway.vertexCount(); ++v) {
      walkwayReach = std::max(walkwayReach, length(off(vertexAt(walkway, v))));
    }
    for (int f = 0; f < sphere.triangleCount(); ++f) {
      for (int k = 0; k < 3; ++k) {
        const Vec3 a = off(vertexAt(sphere, sphere.triangles[3 * f + k]));
        const Vec3 b = off(vertexAt(sphere, sphere.triangles[3 * f + (k + 1) % 3]));
        const double t = std::clamp(-dot(a, b - a) / dot(b - a, b - a), 0.0, 1.0);
        nearest = std::min(nearest, length(a + (b - a) * t));
      }
    }
    EXPECT_GT(nearest, walkwayReach + 1.0) << sphere.name << " touches its walkway";
  }
}

TEST(StageModel, TexturesWrapWithoutTornSeams) {
  for (const MeshData& mesh : builtModel("stage").meshes) {
    if (!mesh.textured()) continue;
    // Texture length per model unit along every edge: a seam joined the
    // wrong way round drags the whole texture across one edge.
    std::vector<double> stretch;
    for (int f = 0; f < mesh.triangleCount(); ++f) {
      Vec3 uv[3], p[3];
      for (int k = 0; k < 3; ++k) {
        const int i = mesh.uvTriangles[3 * f + k];
        uv[k] = {mesh.uvs[2 * i], mesh.uvs[2 * i + 1], 0.0};
        p[k] = vertexAt(mesh, mesh.triangles[3 * f + k]);
      }
      EXPECT_GT(std::fabs(cross(uv[1] - uv[0], uv[2] - uv[0]).z), 1e-12) << mesh.name << " " << f;
      for (int k = 0; k < 3; ++k) {
        stretch.push_back(length(uv[(k + 1) % 3] - uv[k]) / length(p[(k + 1) % 3] - p[k]));
      }
    }
    std::sort(stretch.begin(), stretch.end());
    EXPECT_LT(stretch.back(), 3.0 * stretch[stretch.size() / 2]) << mesh.name;
  }
}

}  // namespace
