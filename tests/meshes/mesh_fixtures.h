// Small meshes of the tests' own, drawn through drawMesh with the program's
// styles, for cases the real models cannot show.
#pragma once
#include <cstdint>
#include <vector>

#include "assets/mesh.h"

struct FixtureMesh {
  std::vector<double> vertices;
  std::vector<std::int32_t> triangles;  // with the -1 separators
  std::vector<double> uvs;              // empty when untextured
  std::vector<std::int32_t> uvTriangles;

  // The descriptor over these tables with the given style.
  Mesh mesh(const MeshStyle& style) const;
  // Which triangle a glVertex3dv pointer's three corners belong to: the
  // triangle whose corners are exactly these vertices, or -1.
  int triangleOf(const double* a, const double* b, const double* c) const;
};

// A zigzag strip of count triangles in the plane z = 0, within the square
// -1..1; triangle f is over vertices f, f+1, f+2. Textured meshes use the
// unit square's four corners as their UV table.
FixtureMesh zigzagFixture(int count, bool textured);
