// The meshes of a model as the GL tests draw them: the real compiled-in
// meshes when the model's data exists, else fixture meshes of the tests' own
// with the model's real styles.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "assets/mesh.h"
#include "assets/models.h"
#include "tests/meshes/gl_call_log.h"
#include "tests/meshes/mesh_fixtures.h"

struct MeshRun {
  bool real = false;                 // the model's own data, not fixtures
  std::vector<FixtureMesh> fixtures; // backing tables of fixture meshes
  std::vector<Mesh> meshes;          // mesh 1 first
};

// Fixture triangles per mesh.
constexpr int fixtureTriangles = 25;

// The model's meshes, or fixtures styled like them when the model is empty.
template <std::size_t count>
MeshRun meshRun(const MeshModel& model, const std::array<MeshStyle, count>& styles) {
  MeshRun run;
  run.real = model.meshCount > 0;
  if (run.real) {
    for (int n = 1; n <= model.meshCount; ++n) run.meshes.push_back(model.mesh(n));
    return run;
  }
  for (const MeshStyle& style : styles) {
    run.fixtures.push_back(zigzagFixture(fixtureTriangles, style.uvScale != 0.0));
  }
  for (size_t i = 0; i < count; ++i) run.meshes.push_back(run.fixtures[i].mesh(styles[i]));
  return run;
}

// An orthographic, slanted view that holds every vertex of the meshes.
void viewAll(const std::vector<Mesh>& meshes);

// What a recorded draw of one mesh did, in words:
//   before: the enable changes ahead of the first triangle ("disable texture, enable blend")
//   colour: the colour calls of the first triangle ("rgba 0 0 0.9 0.18", "rgb ...",
//           "corners r g b / r g b / r g b", or "")
//   after:  the enable changes after the last triangle
struct DrawSummary {
  std::string before, colour, after;
  int triangles = 0;  // glBegin/glEnd pairs
  int texCoords = 0;  // glTexCoord2d calls
};
DrawSummary summarise(const std::vector<GlCallRecord>& calls);

// How many corners were sent with exactly their table's u and v times scale
// (products in double precision), each just before the corner's vertex.
int cornersScaledBy(const Mesh& mesh, const std::vector<GlCallRecord>& calls, double scale);
