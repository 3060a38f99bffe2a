// The intro lettering beyond its counts and closed solids: each letter faces
// the viewer, and wears its stone unmirrored, at one scale for all letters
// and without a seam along the front edge.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/modeller/mesh_checks.h"

namespace {

constexpr double front = 5.0, back = -5.0;

bool allAt(const MeshData& m, int f, double z) {
  for (int k = 0; k < 3; ++k) {
    if (vertexAt(m, m.triangles[3 * f + k]).z != z) return false;
  }
  return true;
}

Vec3 normalOf(const MeshData& m, int f) {
  const Vec3 a = vertexAt(m, m.triangles[3 * f]);
  return cross(vertexAt(m, m.triangles[3 * f + 1]) - a, vertexAt(m, m.triangles[3 * f + 2]) - a);
}

TEST(IntroModel, FrontFacesTheViewerBackLooksAwayAndNoWallFacesBack) {
  for (const MeshData& m : builtModel("intro").meshes) {
    for (int f = 0; f < m.triangleCount(); ++f) {
      const double z = normalOf(m, f).z;
      const bool ok = allAt(m, f, front) ? z > 0 : allAt(m, f, back) ? z < 0 : z >= -1e-9;
      EXPECT_TRUE(ok) << m.name << " triangle " << f << " faces the wrong way";
    }
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
      const double area = length(normalOf(m, f)) / 2;
      if (!allAt(m, f, front)) stretch.push_back(uvArea / (area * scale * scale));
      // Across the front edge the face and the chamfer share their UVs.
      for (int k = 0; k < 3; ++k) {
        const int u = m.triangles[3 * f + k], v = m.triangles[3 * f + (k + 1) % 3];
        if (vertexAt(m, u).z != front || vertexAt(m, v).z != front) continue;
        const std::pair<int, int> uv{m.uvTriangles[3 * f + k], m.uvTriangles[3 * f + (k + 1) % 3]};
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

}  // namespace
