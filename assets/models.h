// The eight compiled-in models and their draw operations. A model is a fixed
// run of constant mesh descriptors; it holds no data of its own.
#pragma once
#include "assets/mesh.h"
#include "assets/mesh_number.h"

struct MeshModel {
  const char* name;
  const Mesh* meshes;  // in catalogue order, at 0-based positions
  int meshCount;
  // The model's settable corner colours (the fireball's); null for the others.
  float (*cornerColours)[3];

  // The mesh of a number; a number the model does not have gives an empty
  // mesh that draws nothing.
  const Mesh& mesh(MeshNumber number) const;

  // drawMesh on every mesh, in catalogue order.
  void drawAll() const;
  // drawMesh on the earth's land mesh, respectively its ocean mesh.
  void drawLand() const;
  void drawOcean() const;

  // Copy three floats (red, green, blue) into corner colour A, B or C; they
  // apply from the next draw on. No effect on a model without corner colours.
  void setCornerColorA(const float* rgb) const;
  void setCornerColorB(const float* rgb) const;
  void setCornerColorC(const float* rgb) const;
};

extern const MeshModel stageModel;
extern const MeshModel markerModel;
extern const MeshModel birdModel;
extern const MeshModel poolModel;
extern const MeshModel earthModel;
extern const MeshModel treeModel;
extern const MeshModel introModel;
extern const MeshModel fireballModel;
