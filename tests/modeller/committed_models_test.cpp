// The committed model files are what the modeller writes, every model meets the catalogue and
// quality floor, and the solids are closed, wound outwards, in one piece, with their holes; and
// the catalogue file and the checks that hold model data against it, each naming mesh and figure.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <stdexcept>

#include "assets/meshes/catalogue.h"
#include "tests/modeller/mesh_checks.h"
#include "tests/support/files.h"
#include "tests/support/temp_folder.h"
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

std::string joined(const std::vector<std::string>& problems) {
  std::string text;
  for (const std::string& p : problems) text += p + "\n";
  return text;
}

MeshData tetrahedron(const std::string& name) {
  MeshData mesh{name, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 1, 0, 0, 1, 1, 1},
                {0, 2, 1, 0, 1, 3, 1, 2, 3, 0, 3, 2}, {}};
  mesh.uvTriangles = mesh.triangles;
  return mesh;
}

TEST(Catalogue, RefusesMalformedFilesAndFiguresItLeavesOpen) {
  const TempFolder folder;
  const std::string path = folder.file("catalogue.txt");
  const std::pair<const char*, const char*> bad[] = {
      {"m 1 a 3 x 0\n", ":1: a figure is neither a number nor '-'"},
      {"m 2 a 3 1 0\n", ":1: expected mesh 1 of m"},
      {"m 1 a 3 1 0 vcount=3\n", ":1: unknown key vcount=3"},
      {"m 1 a 3 1 0\nn 1 b 3 1 0\nm total - 3 1 0\n", ":3: rows of model m are not together"},
  };
  Catalogue catalogue;
  std::string error;
  for (const auto& [text, message] : bad) {
    std::ofstream(path) << text;
    EXPECT_FALSE(loadCatalogue(path, catalogue, error)) << text;
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
  std::ofstream(path) << "# comment\nm 1 a - 4 4 vmax=2.5\nm 2 b 4 4 4 0 1 0 1 0 1\n";
  ASSERT_TRUE(loadCatalogue(path, catalogue, error)) << error;
  const CatalogueModel& m = *catalogue.find("m");
  EXPECT_EQ(m.mesh(2).name, "b");
  EXPECT_DOUBLE_EQ(m.mesh(1).largestV(), 2.5);
  EXPECT_EQ(m.mesh(2).box().max[2], 1.0);
  // A recipe asking for what the catalogue leaves open is stopped.
  for (const auto& ask : std::vector<std::function<void()>>{
           [&] { m.mesh(0); }, [&] { m.mesh(3); }, [&] { m.mesh(1).vertexCount(); },
           [&] { m.mesh(1).box(); }, [&] { m.mesh(2).largestV(); }, [&] { m.totals(); }}) {
    EXPECT_THROW(ask(), std::runtime_error);
  }
}

TEST(CatalogueCheck, NamesTheMeshAndTheFigureThatDiffer) {
  CatalogueFigures tet;
  tet.name = "tet";
  tet.vertices = tet.triangles = tet.uvs = 4;
  tet.boxMax[0] = 1.0;
  tet.boxMax[2] = 1.005;  // within the tolerance
  tet.vmax = 1.0;
  using Plant = std::function<void(MeshData&, CatalogueModel&)>;
  const std::pair<const char*, Plant> rows[] = {
      {"", [](MeshData&, CatalogueModel&) {}},
      {"solid mesh 1 tet: triangles 4, catalogue 5",
       [](MeshData&, CatalogueModel& e) { e.meshes[0].triangles = 5; }},
      {"solid mesh 1 tet: box x max 1.0000, catalogue 1.0200",
       [](MeshData&, CatalogueModel& e) { e.meshes[0].boxMax[0] = 1.02; }},
      {"solid mesh 1 tet: object name other, catalogue tet",
       [](MeshData& m, CatalogueModel&) { m.name = "other"; }},
      {"solid mesh 1 tet: largest v 3.0000, catalogue 1.0000",
       [](MeshData& m, CatalogueModel&) { m.uvs[7] = 3.0; }},
      {"solid mesh 1 tet: untextured, catalogue textured",
       [](MeshData& m, CatalogueModel&) { m.uvTriangles.clear(); }},
      {"solid: 1 meshes, catalogue 2",
       [](MeshData&, CatalogueModel& e) { e.meshes.push_back(e.meshes[0]); }},
      {"solid total: triangles 4, catalogue 9",
       [](MeshData&, CatalogueModel& e) { e.total = CatalogueFigures{}, e.total->triangles = 9; }},
  };
  for (const auto& [fault, plant] : rows) {
    ModelData model{"solid", {tetrahedron("tet")}};
    CatalogueModel entry{"solid", {tet}, std::nullopt};
    plant(model.meshes[0], entry);
    EXPECT_EQ(joined(checkAgainstCatalogue(model, entry)), *fault ? fault + std::string("\n") : "");
  }
}

TEST(QualityFloor, CatchesDegenerateRepeatedUnusedAndOutOfRangeGeometry) {
  const std::pair<const char*, std::function<void(MeshData&)>> rows[] = {
      {"", [](MeshData&) {}},
      {"1 zero-area triangles, the first is triangle 1",  // apex onto the edge 0-1
       [](MeshData& m) { m.positions[9] = 0.5, m.positions[11] = 0.0; }},
      {"1 triangles repeat the three vertices of an earlier one, the first is triangle 4",
       [](MeshData& m) {
         m.triangles.insert(m.triangles.end(), {2, 1, 0});
         m.uvTriangles = m.triangles;
       }},
      {"1 vertices never referenced, the first is 4",
       [](MeshData& m) { m.positions.insert(m.positions.end(), {5, 5, 5}); }},
      {"1 UVs never referenced, the first is 4",
       [](MeshData& m) { m.uvs.insert(m.uvs.end(), {0.5, 0.5}); }},
      {"vertex index 9 out of range", [](MeshData& m) { m.triangles[5] = 9; }},
      {"UV index 7 out of range", [](MeshData& m) { m.uvTriangles[5] = 7; }},
  };
  for (const auto& [fault, plant] : rows) {
    MeshData mesh = tetrahedron("t");
    plant(mesh);
    EXPECT_EQ(joined(checkQuality(mesh)), *fault ? "mesh t: " + std::string(fault) + "\n" : "");
  }
}
}  // namespace
