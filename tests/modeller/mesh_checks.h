// What the model tests ask of a mesh as a surface, written once.
#pragma once
#include <string>

#include "assets/meshes/mesh_data.h"
#include "tools/modeller/geometry.h"

// The named model built to the configured catalogue, once per test process.
const ModelData& builtModel(const std::string& name);
// Its mesh of a catalogue number (from 1).
const MeshData& builtMesh(const std::string& model, int number);

Vec3 vertexAt(const MeshData& mesh, int index);
Vec3 boxCentre(const MeshData& mesh);

// A mesh taken as a surface. It is closed and consistently wound when every
// directed edge is used once and its reverse once (unmatchedEdges == 0).
struct SurfaceFacts {
  int unmatchedEdges = 0;
  int components = 0;
  int genus = 0;        // holes through a closed surface, from its Euler number
  double volume = 0.0;  // signed: positive when the faces point outwards
};
SurfaceFacts surfaceFacts(const MeshData& mesh);
