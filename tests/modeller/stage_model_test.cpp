// The stage beyond its counts, boxes and closed surfaces (committed_models_test):
// the domes are hollow and draw their inner wall first, the walkways reach
// from the column into their domes, the spheres ride round their walkways
// without touching them or the column, and the textures wrap without torn seams.
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

// Walkway w (meshes 6..9) runs along axis to dome; sphere s (meshes 10..13)
// rides walkway and slides over [slideMin, slideMax] in the program.
const struct {
  int axis, dome;
} walkways[4] = {{0, 2}, {1, 4}, {1, 5}, {0, 3}};
const struct {
  int walkway;
  double slideMin, slideMax;
} spheres[4] = {{7, -50.0, 0.0}, {8, 0.0, 50.0}, {9, -50.0, 0.0}, {6, 0.0, 50.0}};

TEST(StageModel, DomesAreHollowAndDrawTheirInnerWallFirst) {
  for (int number = 2; number <= 5; ++number) {
    const MeshData& dome = part(number);
    const Box box = boundingBox(dome.positions);
    const Vec3 centre = boxCentre(dome);
    const double radius = radiusOf(dome), height = box.max[2] - box.min[2];
    EXPECT_LT(surfaceFacts(dome).volume, 0.15 * 2.0 / 3.0 * pi * radius * radius * height)
        << dome.name << " is not hollow";
    // Blended, the outer wall must come after every triangle of the inner one.
    const auto outer = [&](int v) {
      const Vec3 d = vertexAt(dome, v) - centre;
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

TEST(StageModel, WalkwaysReachFromTheColumnIntoTheirDomesAndSpheresRideClear) {
  const double columnRadius = radiusOf(part(1));
  for (int w = 0; w < 4; ++w) {
    const MeshData& walkway = part(6 + w);
    const int axis = walkways[w].axis;
    const Box box = boundingBox(walkway.positions);
    const double inner = std::fabs(box.min[axis]) < std::fabs(box.max[axis]) ? box.min[axis] : box.max[axis];
    const double outer = inner == box.min[axis] ? box.max[axis] : box.min[axis];
    const MeshData& dome = part(walkways[w].dome);
    EXPECT_LT(std::fabs(inner), columnRadius) << walkway.name;
    EXPECT_LT(std::fabs(outer - along(boxCentre(dome), axis)), radiusOf(dome)) << walkway.name;
  }
  for (int s = 0; s < 4; ++s) {
    const MeshData& sphere = part(10 + s);
    const MeshData& walkway = part(spheres[s].walkway);
    const int axis = walkways[spheres[s].walkway - 6].axis, across = 1 - axis;
    // Seen along the walkway: the sphere's vertices go all the way round its
    // centre line, and no triangle edge comes within a unit of the walkway.
    const Vec3 line = boxCentre(walkway);
    const auto offLine = [&](Vec3 p) {
      return std::make_pair(along(p, across) - along(line, across), p.z - line.z);
    };
    double walkwayReach = 0.0;
    for (int v = 0; v < walkway.vertexCount(); ++v) {
      const auto [a, b] = offLine(vertexAt(walkway, v));
      walkwayReach = std::max(walkwayReach, std::hypot(a, b));
    }
    std::vector<double> angles;
    double nearest = 1e9;
    for (int f = 0; f < sphere.triangleCount(); ++f) {
      for (int k = 0; k < 3; ++k) {
        const auto [a, b] = offLine(vertexAt(sphere, sphere.triangles[3 * f + k]));
        const auto [c, d] = offLine(vertexAt(sphere, sphere.triangles[3 * f + (k + 1) % 3]));
        const double t = std::clamp(-(a * (c - a) + b * (d - b)) / ((c - a) * (c - a) + (d - b) * (d - b)), 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(a + t * (c - a), b + t * (d - b)));
        angles.push_back(std::atan2(b, a));
      }
    }
    EXPECT_GT(nearest, walkwayReach + 1.0) << sphere.name << " touches its walkway";
    std::sort(angles.begin(), angles.end());
    double widestGap = angles.front() + 2.0 * pi - angles.back();
    for (size_t k = 1; k < angles.size(); ++k) widestGap = std::max(widestGap, angles[k] - angles[k - 1]);
    EXPECT_LT(widestGap, pi / 4) << sphere.name << " does not surround its walkway";
    // Over its whole slide it stays on the walkway and off the column.
    const Box ball = boundingBox(sphere.positions), track = boundingBox(walkway.positions);
    const double nearEnd = ball.min[axis] + spheres[s].slideMin, farEnd = ball.max[axis] + spheres[s].slideMax;
    EXPECT_GE(nearEnd, track.min[axis]) << sphere.name << " slides off its walkway";
    EXPECT_LE(farEnd, track.max[axis]) << sphere.name << " slides off its walkway";
    EXPECT_GT(std::min(std::fabs(nearEnd), std::fabs(farEnd)), columnRadius + 1.0)
        << sphere.name << " hits the column";
    EXPECT_GT(nearEnd * farEnd, 0.0) << sphere.name << " slides across the centre";
  }
}

TEST(StageModel, TexturesWrapWithoutTornSeams) {
  for (const MeshData& mesh : builtModel("stage").meshes) {
    if (!mesh.textured()) continue;
    // Texture length per model unit along every triangle edge: a seam joined
    // the wrong way round drags the whole texture across one edge.
    std::vector<double> stretch;
    for (int f = 0; f < mesh.triangleCount(); ++f) {
      Vec3 uv[3];
      for (int k = 0; k < 3; ++k) {
        const int i = mesh.uvTriangles[3 * f + k];
        uv[k] = {mesh.uvs[2 * i], mesh.uvs[2 * i + 1], 0.0};
      }
      EXPECT_GT(std::fabs(cross(uv[1] - uv[0], uv[2] - uv[0]).z), 1e-12) << mesh.name << " " << f;
      for (int k = 0; k < 3; ++k) {
        const int* t = &mesh.triangles[3 * f];
        stretch.push_back(length(uv[(k + 1) % 3] - uv[k]) /
                          length(vertexAt(mesh, t[(k + 1) % 3]) - vertexAt(mesh, t[k])));
      }
    }
    std::sort(stretch.begin(), stretch.end());
    EXPECT_LT(stretch.back(), 3.0 * stretch[stretch.size() / 2]) << mesh.name;
  }
}

}  // namespace
