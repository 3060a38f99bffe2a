// What the model tests ask of a mesh as a surface, written once.
#pragma once
#include <map>
#include <numeric>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "assets/meshes/mesh_data.h"
#include "tools/modeller/geometry.h"
#include "tools/modeller/models.h"

// The named model built to the configured catalogue, once per test process; its mesh n (from 1).
inline const ModelData& builtModel(const std::string& name) {
  static std::map<std::string, ModelData> built;
  auto found = built.find(name);
  if (found == built.end()) found = built.emplace(name, buildConfiguredModel(name)).first;
  return found->second;
}
inline const MeshData& builtMesh(std::string name, int n) { return builtModel(name).mesh(n); }

inline Vec3 vertexAt(const MeshData& mesh, int index) {
  const double* p = &mesh.positions[3 * static_cast<size_t>(index)];
  return {p[0], p[1], p[2]};
}

inline Vec3 boxCentre(const MeshData& mesh) {
  const Box box = boundingBox(mesh.positions);
  return Vec3{box.min[0] + box.max[0], box.min[1] + box.max[1], box.min[2] + box.max[2]} * 0.5;
}

// A mesh as a surface: closed and consistently wound when unmatchedEdges == 0.
struct SurfaceFacts {
  int unmatchedEdges = 0;
  int components = 0;
  int genus = 0;        // holes through a closed surface, from its Euler number
  double volume = 0.0;  // signed: positive when the faces point outwards
};

inline SurfaceFacts surfaceFacts(const MeshData& mesh) {
  SurfaceFacts facts;
  std::map<std::pair<int, int>, int> directed;
  std::vector<int> parent(mesh.vertexCount());
  std::iota(parent.begin(), parent.end(), 0);
  const auto root = [&](int v) {
    while (parent[v] != v) v = parent[v] = parent[parent[v]];
    return v;
  };
  for (int f = 0; f < mesh.triangleCount(); ++f) {
    const int* t = &mesh.triangles[3 * f];
    for (int k = 0; k < 3; ++k) {
      ++directed[{t[k], t[(k + 1) % 3]}];
      parent[root(t[k])] = root(t[(k + 1) % 3]);
    }
    facts.volume += dot(vertexAt(mesh, t[0]), cross(vertexAt(mesh, t[1]), vertexAt(mesh, t[2])));
  }
  for (const auto& [edge, count] : directed) {
    const auto reverse = directed.find({edge.second, edge.first});
    if (count != 1 || reverse == directed.end() || reverse->second != 1) ++facts.unmatchedEdges;
  }
  std::set<int> roots;
  for (int v = 0; v < mesh.vertexCount(); ++v) roots.insert(root(v));
  facts.components = static_cast<int>(roots.size());
  facts.volume /= 6;
  const int euler = mesh.vertexCount() - int(directed.size()) / 2 + mesh.triangleCount();
  facts.genus = (2 * facts.components - euler) / 2;
  return facts;
}
