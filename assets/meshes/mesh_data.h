// Model data as the modeller writes it and the converter reads it: plain
// tables per mesh, before they become the program's constant arrays.
#pragma once
#include <string>
#include <vector>

#include "assets/mesh_number.h"

struct MeshData {
  std::string name;                // object name in the OBJ file
  std::vector<double> positions;   // x, y, z per vertex
  std::vector<double> uvs;         // u, v per texture coordinate
  std::vector<int> triangles;      // three 0-based vertex indices per triangle
  std::vector<int> uvTriangles;    // three 0-based UV indices per triangle; empty if untextured

  int vertexCount() const { return static_cast<int>(positions.size() / 3); }
  int uvCount() const { return static_cast<int>(uvs.size() / 2); }
  int triangleCount() const { return static_cast<int>(triangles.size() / 3); }
  bool textured() const { return !uvTriangles.empty(); }
};

struct ModelData {
  std::string name;  // file stem: stage, pool, marker, ...
  std::vector<MeshData> meshes;  // at 0-based positions

  // The mesh of a number; std::out_of_range for one the model does not have.
  const MeshData& mesh(MeshNumber number) const { return meshes.at(number.index()); }
};

// Axis-aligned box of a set of positions.
struct Box {
  double min[3];
  double max[3];
};
Box boundingBox(const std::vector<double>& positions);
