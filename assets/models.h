// The eight compiled-in models and their draw operations. A model is a fixed
// run of constant mesh descriptors; it holds no data of its own.
#pragma once
#include "assets/mesh.h"

struct MeshModel {
  const char* name;
  const Mesh* meshes;  // in catalogue order
  int meshCount;
  // The model's settable corner colours (the fireball's); null for the others.
  float (*cornerColours)[3];

  // The mesh with the 1-based catalogue number; a number the model does not
  // have gives an empty mesh that draws nothing.
  const Mesh& mesh(int number) const;

  // drawMesh on every mesh, in catalogue order.
  void drawAll() const;
  // drawMesh on mesh 1 (the earth's land), respectively mesh 2 (its ocean).
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
