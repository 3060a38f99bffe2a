// The eight models the modeller makes, each in a file of its own
// (<name>_model.cpp), and the table that names them.
#pragma once
#include <string>

#include "assets/meshes/mesh_data.h"

ModelData buildStageModel();
ModelData buildPoolModel();
ModelData buildMarkerModel();
ModelData buildFireballModel();
ModelData buildEarthModel();
ModelData buildBirdModel();
ModelData buildTreeModel();
ModelData buildIntroModel();

struct ModelRecipe {
  const char* name;  // file stem in assets/meshes/ and catalogue name
  ModelData (*build)();
};

// All models, in the catalogue's order.
extern const ModelRecipe modelRecipes[8];
