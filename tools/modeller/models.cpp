#include "tools/modeller/models.h"

#include <stdexcept>

const ModelRecipe modelRecipes[8] = {
    {"stage", buildStageModel}, {"pool", buildPoolModel},
    {"marker", buildMarkerModel}, {"earth", buildEarthModel},
    {"fireball", buildFireballModel}, {"bird", buildBirdModel},
    {"intro", buildIntroModel}, {"tree", buildTreeModel},
};

namespace {

// The configured catalogue, read on first use.
const Catalogue& configuredCatalogue() {
  static const Catalogue catalogue = [] {
    Catalogue loaded;
    std::string error;
    if (!loadCatalogue(KESH_CATALOGUE_PATH, loaded, error)) throw std::runtime_error(error);
    return loaded;
  }();
  return catalogue;
}

}  // namespace

const CatalogueModel& configuredEntry(const std::string& model) {
  const CatalogueModel* entry = configuredCatalogue().find(model);
  if (!entry) throw std::runtime_error("catalogue: no model " + model);
  return *entry;
}

ModelData buildConfiguredModel(const std::string& model) {
  for (const ModelRecipe& recipe : modelRecipes) {
    if (model == recipe.name) return recipe.build(configuredEntry(model));
  }
  throw std::runtime_error("kesh-modeller: no recipe for " + model);
}
