// The bird statue beyond its counts and boxes: the marble tiling never
// collapses into stripes, and it runs on across the edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/modeller/mesh_checks.h"

namespace {

TEST(BirdModel, EveryTriangleShowsThreeCornersOfTheMarbleTileAndNeighboursAgree) {
  for (const MeshData& m : builtModel("bird").meshes) {
    EXPECT_EQ(m.uvs, (std::vector<double>{0, 0, 1, 0, 1, 1, 0, 1})) << m.name;
    for (int f = 0; f < m.triangleCount(); ++f) {
      const int* c = &m.uvTriangles[3 * f];
      ASSERT_TRUE(c[0] != c[1] && c[1] != c[2] && c[0] != c[2]) << m.name << " triangle " << f;
    }
    // Where every triangle at a point takes the same tile corner there, the
    // marble runs on across the edges between them.
    std::vector<std::set<int>> corners(m.vertexCount());
    for (size_t k = 0; k < m.triangles.size(); ++k) {
      corners[m.triangles[k]].insert(m.uvTriangles[k]);
    }
    const long agreeing = std::count_if(corners.begin(), corners.end(),
                                        [](const std::set<int>& s) { return s.size() == 1; });
    EXPECT_GE(agreeing, m.vertexCount() * 99 / 100) << m.name;
  }
}

}  // namespace
