// The committed model files are exactly what the modeller writes, and every
// model meets the catalogue and the quality floor.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "assets/meshes/catalogue.h"
#include "tools/modeller/models.h"
#include "tools/modeller/obj_writer.h"
#include "tests/support/files.h"

namespace {

class CommittedModel : public testing::TestWithParam<ModelRecipe> {};

TEST_P(CommittedModel, MeetsTheCatalogueAndMatchesItsObjFile) {
  const ModelRecipe& recipe = GetParam();
  Catalogue catalogue;
  std::string error;
  ASSERT_TRUE(loadCatalogue(KESH_CATALOGUE_PATH, catalogue, error)) << error;
  const CatalogueModel* entry = catalogue.find(recipe.name);
  ASSERT_NE(entry, nullptr);

  const ModelData model = recipe.build(*entry);
  std::string report;
  for (const std::string& problem : checkModel(model, *entry)) report += problem + "\n";
  EXPECT_TRUE(report.empty()) << report;

  // Built twice, the model is the same to the byte, and it is what is committed.
  const std::string text = objText(model);
  EXPECT_EQ(text, objText(recipe.build(*entry))) << recipe.name << " is not deterministic";
  const std::string path = std::string(KESH_MESHES_DIR) + "/" + recipe.name + ".obj";
  EXPECT_TRUE(text == readFile(path))
      << path << " is not what the modeller writes; run kesh-modeller " << recipe.name;
}

INSTANTIATE_TEST_SUITE_P(AllModels, CommittedModel, testing::ValuesIn(modelRecipes),
                         [](const testing::TestParamInfo<ModelRecipe>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
