// Building one mesh: vertices, texture coordinates and triangles, with the
// vertex and UV indices kept independent as the program's tables keep them.
#pragma once
#include <string>

#include "assets/meshes/mesh_data.h"
#include "tools/modeller/geometry.h"

class MeshBuilder {
 public:
  explicit MeshBuilder(std::string name) { data_.name = std::move(name); }

  // Adds a vertex or a texture coordinate; returns its 0-based index.
  int vertex(Vec3 p);
  int uv(double u, double v);

  // Adds a triangle, untextured or with the UV index of each corner.
  void triangle(int a, int b, int c);
  void triangle(int a, int b, int c, int ta, int tb, int tc);

  int vertexCount() const { return data_.vertexCount(); }
  int uvCount() const { return data_.uvCount(); }
  int triangleCount() const { return data_.triangleCount(); }

  Vec3 position(int index) const;
  void setPosition(int index, Vec3 p);

  const MeshData& data() const { return data_; }
  MeshData& data() { return data_; }

 private:
  MeshData data_;
};

// Maps every vertex through an affine stretch per axis so that the mesh's box
// becomes exactly [min, max] on each axis. Designs are modelled near their
// target size; this removes the last hundredths.
void fitToBox(MeshData& mesh, const Box& target);

// Moves every vertex by offset.
void translate(MeshData& mesh, Vec3 offset);

// Rotates every vertex about the unit axis through the origin (radians).
void rotate(MeshData& mesh, Vec3 axis, double angle);
