// The eight models the modeller makes, each in a file of its own
// (<name>_model.cpp), and the table that names them. Every recipe builds to
// its model's entry in the catalogue: the mesh names, counts and boxes it
// meets are read from there, never written again here.
#pragma once
#include <string>

#include "assets/meshes/catalogue.h"
#include "assets/meshes/mesh_data.h"

ModelData buildStageModel(const CatalogueModel& entry);
ModelData buildPoolModel(const CatalogueModel& entry);
ModelData buildMarkerModel(const CatalogueModel& entry);
ModelData buildFireballModel(const CatalogueModel& entry);
ModelData buildEarthModel(const CatalogueModel& entry);
ModelData buildBirdModel(const CatalogueModel& entry);
ModelData buildTreeModel(const CatalogueModel& entry);
ModelData buildIntroModel(const CatalogueModel& entry);

struct ModelRecipe {
  const char* name;  // file stem in assets/meshes/ and catalogue name
  ModelData (*build)(const CatalogueModel& entry);
};

// All models, in the catalogue's order.
extern const ModelRecipe modelRecipes[8];

// A model's entry in the catalogue the build was configured with
// (assets/meshes/catalogue.txt, read once); a catalogue that cannot be read,
// or a model it lacks, throws std::runtime_error.
const CatalogueModel& configuredEntry(const std::string& model);

// The named model built to its entry in the configured catalogue.
ModelData buildConfiguredModel(const std::string& model);
