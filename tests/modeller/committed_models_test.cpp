// The committed model files are exactly what the modeller writes, every model
// meets the catalogue and the quality floor, and the meshes that stand as
// solids are closed, wound outwards, in one piece, with their holes.
#include <gtest/gtest.h>

#include "assets/meshes/catalogue.h"
#include "tests/modeller/mesh_checks.h"
#include "tests/support/files.h"
#include "tools/modeller/models.h"
#include "tools/modeller/obj_writer.h"

namespace {

class CommittedModel : public testing::TestWithParam<ModelRecipe> {};

TEST_P(CommittedModel, MeetsTheCatalogueAndMatchesItsObjFile) {
  const ModelRecipe& recipe = GetParam();
  const CatalogueModel& entry = configuredEntry(recipe.name);
  const ModelData model = recipe.build(entry);
  std::string report;
  for (const std::string& problem : checkModel(model, entry)) report += problem + "\n";
  EXPECT_TRUE(report.empty()) << report;
  // Built twice, the model is the same to the byte, and it is what is committed.
  const std::string text = objText(model);
  EXPECT_EQ(text, objText(recipe.build(entry))) << recipe.name << " is not deterministic";
  const std::string path = std::string(KESH_MESHES_DIR) + "/" + recipe.name + ".obj";
  EXPECT_TRUE(text == readFile(path))
      << path << " is not what the modeller writes; run kesh-modeller " << recipe.name;
}

INSTANTIATE_TEST_SUITE_P(AllModels, CommittedModel, testing::ValuesIn(modelRecipes),
                         [](const testing::TestParamInfo<ModelRecipe>& param) {
                           return std::string(param.param.name);
                         });

// Meshes first to last of a model that are solids with this many holes through.
struct Solids {
  const char* model;
  int first, last, holes;
};

class ClosedSolids : public testing::TestWithParam<Solids> {};

TEST_P(ClosedSolids, AreClosedOutwardFacingAndInOnePiece) {
  const Solids& row = GetParam();
  for (int n = row.first; n <= row.last; ++n) {
    const MeshData& mesh = builtMesh(row.model, n);
    const SurfaceFacts facts = surfaceFacts(mesh);
    EXPECT_EQ(facts.unmatchedEdges, 0) << mesh.name << " is open or wound both ways";
    EXPECT_EQ(facts.components, 1) << mesh.name;
    EXPECT_EQ(facts.genus, row.holes) << mesh.name;
    EXPECT_GT(facts.volume, 0.0) << mesh.name << " faces inwards";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Models, ClosedSolids,
    testing::Values(Solids{"stage", 1, 1, 0},    // the column
                    Solids{"stage", 2, 5, 16},   // domes: one hole per window
                    Solids{"stage", 6, 9, 0},    // walkways
                    Solids{"stage", 10, 13, 1},  // spheres, round their walkways
                    Solids{"pool", 1, 6, 0},     // walls and rails
                    Solids{"marker", 1, 1, 0},
                    Solids{"intro", 1, 12, 1}),  // letters, each with one opening
    [](const testing::TestParamInfo<Solids>& param) {
      return std::string(param.param.model) + std::to_string(param.param.first) + "to" +
             std::to_string(param.param.last);
    });

}  // namespace
