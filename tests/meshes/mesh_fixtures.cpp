#include "tests/meshes/mesh_fixtures.h"

#include <iterator>

namespace {

constexpr double unitSquare[] = {0, 0, 1, 0, 1, 1, 0, 1};
constexpr int unitSquareCorners = 4;

}  // namespace

Mesh FixtureMesh::mesh(const MeshStyle& style) const {
  const bool textured = !uvs.empty();
  return Mesh{vertices.data(),
              static_cast<std::int32_t>(vertices.size() / 3),
              triangles.data(),
              static_cast<std::int32_t>(triangles.size()),
              textured ? uvs.data() : nullptr,
              static_cast<std::int32_t>(uvs.size() / 2),
              textured ? uvTriangles.data() : nullptr,
              style.uvScale,
              style.drawState};
}

int FixtureMesh::triangleOf(const double* a, const double* b, const double* c) const {
  const double* base = vertices.data();
  for (size_t f = 0; f * indicesPerTriangle < triangles.size(); ++f) {
    const std::int32_t* t = &triangles[f * indicesPerTriangle];
    if (a == base + 3 * t[0] && b == base + 3 * t[1] && c == base + 3 * t[2]) {
      return static_cast<int>(f);
    }
  }
  return -1;
}

FixtureMesh zigzagFixture(int count, bool textured) {
  FixtureMesh fixture;
  const int points = count + 2;
  for (int i = 0; i < points; ++i) {
    const double x = -1.0 + 2.0 * i / (points - 1);
    const double y = i % 2 == 0 ? -0.5 : 0.5;
    fixture.vertices.insert(fixture.vertices.end(), {x, y, 0.0});
  }
  if (textured) fixture.uvs.assign(std::begin(unitSquare), std::end(unitSquare));
  for (int f = 0; f < count; ++f) {
    fixture.triangles.insert(fixture.triangles.end(), {f, f + 1, f + 2, triangleSeparator});
    if (textured) {
      fixture.uvTriangles.insert(fixture.uvTriangles.end(),
                                 {f % unitSquareCorners, (f + 1) % unitSquareCorners,
                                  (f + 2) % unitSquareCorners, triangleSeparator});
    }
  }
  return fixture;
}
