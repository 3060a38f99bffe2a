// Mesh numbers. A mesh's number is its place in its model counted from 1, as
// the catalogue, the OBJ files and the generated tables (stageMesh1...) name
// meshes; every other count in the program starts at 0. A number turns into a
// 0-based position only through index().
#pragma once

struct MeshNumber {
  int value;  // 1 for a model's first mesh

  // Implicit, so that a number reads as the catalogue writes it: mesh(3).
  constexpr MeshNumber(int oneBased) : value(oneBased) {}

  // The number of the mesh at a 0-based position.
  static constexpr MeshNumber ofIndex(int index) { return MeshNumber(index + 1); }

  // The mesh's 0-based position in its model.
  constexpr int index() const { return value - 1; }

  // True when a model of meshCount meshes has a mesh of this number.
  constexpr bool within(int meshCount) const { return value >= 1 && value <= meshCount; }
};
