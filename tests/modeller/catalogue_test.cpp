// The catalogue file and the checks that hold model data against it: each
// check must notice the fault it is there for and name the mesh and figure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "assets/meshes/catalogue.h"
#include "tests/support/temp_folder.h"
#include "tools/modeller/models.h"

namespace {

bool mentions(const std::vector<std::string>& problems, const std::string& text) {
  return std::any_of(problems.begin(), problems.end(),
                     [&](const std::string& p) { return p.find(text) != std::string::npos; });
}

// A unit tetrahedron with a UV per vertex.
MeshData tetrahedron(const std::string& name) {
  MeshData mesh;
  mesh.name = name;
  mesh.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
  mesh.uvs = {0, 0, 1, 0, 0, 1, 1, 1};
  mesh.triangles = {0, 2, 1, 0, 1, 3, 1, 2, 3, 0, 3, 2};
  mesh.uvTriangles = mesh.triangles;
  return mesh;
}

TEST(Catalogue, TheRepositoryCatalogueHoldsEveryModelInTheRecipesOrder) {
  Catalogue catalogue;
  std::string error;
  ASSERT_TRUE(loadCatalogue(KESH_CATALOGUE_PATH, catalogue, error)) << error;
  ASSERT_EQ(catalogue.models.size(), std::size(modelRecipes));
  for (size_t m = 0; m < catalogue.models.size(); ++m) {
    EXPECT_EQ(catalogue.models[m].name, modelRecipes[m].name);
    EXPECT_FALSE(catalogue.models[m].meshes.empty()) << catalogue.models[m].name;
  }
  // The tree's rows must add up to its total; leaf rows (every second one)
  // give 2T vertices, four own vertices per quad.
  const CatalogueModel* tree = catalogue.find("tree");
  int triangles = 0;
  for (size_t i = 0; i < tree->meshes.size(); ++i) {
    const CatalogueFigures& row = tree->meshes[i];
    triangles += *row.triangles;
    if (i % 2 == 1) {
      EXPECT_EQ(*row.vertices, 2 * *row.triangles) << row.name;
    }
  }
  EXPECT_EQ(triangles, *tree->total->triangles);
  // What the recipes read is checked: mesh numbers run from 1 to the last
  // row, and a figure the row leaves open is refused.
  const int last = static_cast<int>(tree->meshes.size());
  EXPECT_EQ(&tree->mesh(1), &tree->meshes.front());
  EXPECT_EQ(&tree->mesh(last), &tree->meshes.back());
  for (int number : {0, last + 1}) EXPECT_THROW(tree->mesh(number), std::runtime_error) << number;
  EXPECT_THROW(tree->mesh(1).vertexCount(), std::runtime_error);
  EXPECT_THROW(tree->mesh(2).box(), std::runtime_error);
  EXPECT_THROW(catalogue.find("stage")->totals(), std::runtime_error);
  EXPECT_DOUBLE_EQ(tree->mesh(69).largestV(), 213.0);
}

TEST(Catalogue, RejectsMalformedFiles) {
  const TempFolder folder;
  const std::string path = folder.file("bad_catalogue.txt");
  const char* const bad[] = {
      "m 1 a 3 x 0\n",             // a count that is not a number
      "m 2 a 3 1 0\n",             // mesh numbers must run 1, 2, ...
      "m 1 a 3 1 0 vcount=3\n",    // unknown key
      "m 1 a 3 1 0\nn 1 b 3 1 0\nm total - 3 1 0\n",  // rows of one model apart
  };
  for (const char* text : bad) {
    std::ofstream(path) << text;
    Catalogue catalogue;
    std::string error;
    EXPECT_FALSE(loadCatalogue(path, catalogue, error)) << text;
    EXPECT_FALSE(error.empty());
  }
}

TEST(CatalogueCheck, NamesTheMeshAndTheFigureThatDiffer) {
  CatalogueModel entry{"solid", {}, std::nullopt};
  CatalogueFigures figures;
  figures.name = "tet";
  figures.vertices = 4;
  figures.triangles = 4;
  figures.uvs = 4;
  figures.boxMin[0] = 0.0;
  figures.boxMax[0] = 1.0;
  figures.boxMax[2] = 1.005;  // within tolerance
  entry.meshes.push_back(figures);
  ModelData model{"solid", {tetrahedron("tet")}};
  EXPECT_TRUE(checkModel(model, entry).empty());

  entry.meshes[0].triangles = 5;
  entry.meshes[0].boxMax[0] = 1.02;
  const auto problems = checkModel(model, entry);
  EXPECT_TRUE(mentions(problems, "solid mesh 1 tet: triangles 4, catalogue 5"));
  EXPECT_TRUE(mentions(problems, "solid mesh 1 tet: box x max"));
  EXPECT_EQ(problems.size(), 2u);

  model.meshes[0].name = "other";
  EXPECT_TRUE(mentions(checkModel(model, entry), "object name other, catalogue tet"));
  model.meshes.push_back(tetrahedron("extra"));
  EXPECT_TRUE(mentions(checkModel(model, entry), "solid: 2 meshes, catalogue 1"));
}

TEST(CatalogueCheck, TotalsAndLargestVAreChecked) {
  CatalogueModel entry{"solid", {CatalogueFigures{}, CatalogueFigures{}}, CatalogueFigures{}};
  entry.total->vertices = 8;
  entry.total->triangles = 9;
  entry.meshes[1].vmax = 1.0;
  ModelData model{"solid", {tetrahedron("a"), tetrahedron("b")}};
  auto problems = checkModel(model, entry);
  EXPECT_TRUE(mentions(problems, "solid total: triangles 8, catalogue 9"));
  EXPECT_EQ(problems.size(), 1u);
  model.meshes[1].uvs[7] = 3.0;
  EXPECT_TRUE(mentions(checkModel(model, entry), "solid mesh 2: largest v 3.0000"));
}

TEST(QualityFloor, CatchesDegenerateRepeatedAndUnusedGeometry) {
  EXPECT_TRUE(checkQuality(tetrahedron("t")).empty());

  MeshData flat = tetrahedron("t");
  flat.positions[9] = 0.5;  // apex onto the edge 0-1: triangle 1 collapses to a line
  flat.positions[11] = 0.0;
  EXPECT_TRUE(mentions(checkQuality(flat), "1 zero-area triangles, the first is triangle 1"));

  MeshData repeated = tetrahedron("t");
  repeated.triangles.insert(repeated.triangles.end(), {2, 1, 0});  // base again, other winding
  repeated.uvTriangles.insert(repeated.uvTriangles.end(), {2, 1, 0});
  EXPECT_TRUE(mentions(checkQuality(repeated), "repeat the three vertices"));

  MeshData spare = tetrahedron("t");
  spare.positions.insert(spare.positions.end(), {5, 5, 5});
  spare.uvs.insert(spare.uvs.end(), {0.5, 0.5});
  const auto problems = checkQuality(spare);
  EXPECT_TRUE(mentions(problems, "1 vertices never referenced, the first is 4"));
  EXPECT_TRUE(mentions(problems, "1 UVs never referenced"));

  MeshData outside = tetrahedron("t");
  outside.triangles[5] = 9;
  EXPECT_TRUE(mentions(checkQuality(outside), "vertex index 9 out of range"));
}

}  // namespace
