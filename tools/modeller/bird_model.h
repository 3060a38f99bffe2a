// The bird statue's ten meshes: what each must measure, and the model both
// as designed and as fitted to those measures.
#pragma once
#include "assets/meshes/mesh_data.h"

struct BirdMeshTarget {
  const char* name;
  int vertices;
  int triangles;
  Box box;
};

constexpr int birdMeshCount = 10;
extern const BirdMeshTarget birdMeshTargets[birdMeshCount];

// The statue as shaped, in model coordinates and with its final counts, but
// before each mesh is stretched onto its box.
ModelData buildBirdDesign();
