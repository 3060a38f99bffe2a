// The tables compiled into the program: for every model whose OBJ file
// exists they meet the catalogue and the quality floor and hold exactly what
// the converter reads from the file; every model's styles agree with the
// catalogue in number and in which meshes are textured.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "assets/meshes/catalogue.h"
#include "assets/meshes/obj_reader.h"
#include "assets/model_styles.h"
#include "assets/models.h"

namespace {

struct ModelCase {
  const MeshModel* model;
  const MeshStyle* styles;
  size_t styleCount;
};

template <std::size_t count>
ModelCase modelCase(const MeshModel& model, const std::array<MeshStyle, count>& styles) {
  return {&model, styles.data(), count};
}

const ModelCase modelCases[] = {
    modelCase(stageModel, stageStyles), modelCase(poolModel, poolStyles),
    modelCase(markerModel, markerStyles), modelCase(earthModel, earthStyles),
    modelCase(fireballModel, fireballStyles), modelCase(birdModel, birdStyles),
    modelCase(introModel, introStyles), modelCase(treeModel, treeStyles),
};

const CatalogueModel& catalogueEntry(const std::string& name) {
  static Catalogue catalogue;
  static bool loaded = false;
  if (!loaded) {
    std::string error;
    loaded = loadCatalogue(KESH_CATALOGUE_PATH, catalogue, error);
    EXPECT_TRUE(loaded) << error;
  }
  static const CatalogueModel none;
  const CatalogueModel* entry = catalogue.find(name);
  EXPECT_NE(entry, nullptr) << name;
  return entry ? *entry : none;
}

std::string objPath(const MeshModel& model) {
  return std::string(KESH_MESHES_DIR) + "/" + model.name + ".obj";
}

// One compiled mesh back as plain tables, dropping the separators, which
// must all be -1 and sit after every third index.
MeshData plainTables(const Mesh& mesh, const std::string& name) {
  MeshData data;
  data.name = name;
  data.positions.assign(mesh.vertices, mesh.vertices + 3 * mesh.vertexCount);
  if (mesh.uvs) data.uvs.assign(mesh.uvs, mesh.uvs + 2 * mesh.uvCount);
  for (std::int32_t i = 0; i < mesh.indexCount; ++i) {
    if (i % indicesPerTriangle == indicesPerTriangle - 1) {
      EXPECT_EQ(mesh.triangles[i], -1) << name << " index " << i;
      if (mesh.uvTriangles) {
        EXPECT_EQ(mesh.uvTriangles[i], -1) << name << " UV index " << i;
      }
      continue;
    }
    data.triangles.push_back(mesh.triangles[i]);
    if (mesh.uvTriangles) data.uvTriangles.push_back(mesh.uvTriangles[i]);
  }
  return data;
}

bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

class CompiledModel : public testing::TestWithParam<ModelCase> {};

TEST_P(CompiledModel, StylesAgreeWithTheCatalogue) {
  const ModelCase& c = GetParam();
  const CatalogueModel& entry = catalogueEntry(c.model->name);
  ASSERT_EQ(c.styleCount, entry.meshes.size());
  for (size_t i = 0; i < c.styleCount; ++i) {
    if (!entry.meshes[i].uvs) continue;  // left open in the catalogue
    EXPECT_EQ(c.styles[i].uvScale != 0.0, *entry.meshes[i].uvs > 0)
        << c.model->name << " mesh " << i + 1 << " textured or not";
  }
}

TEST_P(CompiledModel, TablesMeetTheCatalogueAndHoldWhatTheFileSays) {
  const ModelCase& c = GetParam();
  ASSERT_EQ(static_cast<size_t>(c.model->meshCount), c.styleCount);
  const CatalogueModel& entry = catalogueEntry(c.model->name);
  ModelData fromFile;
  const auto fileProblems = readAndCheckObjFile(objPath(*c.model), c.model->name, entry, fromFile);
  ASSERT_TRUE(fileProblems.empty()) << fileProblems[0];
  ASSERT_EQ(fromFile.meshes.size(), static_cast<size_t>(c.model->meshCount));

  ModelData compiled{c.model->name, {}};
  for (int n = 1; n <= c.model->meshCount; ++n) {
    const Mesh& mesh = c.model->mesh(n);
    const MeshData& expected = fromFile.mesh(n);
    compiled.meshes.push_back(plainTables(mesh, expected.name));
    const MeshData& actual = compiled.meshes.back();
    SCOPED_TRACE(std::string(c.model->name) + " mesh " + std::to_string(n));
    EXPECT_TRUE(sameBits(actual.positions, expected.positions));
    EXPECT_TRUE(sameBits(actual.uvs, expected.uvs));
    EXPECT_EQ(actual.triangles, expected.triangles);
    EXPECT_EQ(actual.uvTriangles, expected.uvTriangles);
    EXPECT_EQ(mesh.uvScale, c.styles[n - 1].uvScale);
  }
  std::string report;
  for (const std::string& problem : checkModel(compiled, entry)) report += problem + "\n";
  EXPECT_TRUE(report.empty()) << report;
}

INSTANTIATE_TEST_SUITE_P(AllModels, CompiledModel, testing::ValuesIn(modelCases),
                         [](const testing::TestParamInfo<ModelCase>& param) {
                           return std::string(param.param.model->name);
                         });

}  // namespace
