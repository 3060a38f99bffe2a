// The tables compiled into the program hold, bit for bit, what the converter
// reads from each model's OBJ file (which the build holds against the
// catalogue), with the -1 separator after every triangle.
#include <gtest/gtest.h>

#include <cstring>

#include "assets/meshes/catalogue.h"
#include "assets/meshes/obj_reader.h"
#include "assets/models.h"

namespace {

const MeshModel* const models[] = {&stageModel, &poolModel,     &markerModel, &earthModel,
                                   &fireballModel, &birdModel, &introModel,  &treeModel};

bool sameBits(const double* table, int count, const std::vector<double>& expected) {
  return count == static_cast<int>(expected.size()) &&
         (count == 0 || std::memcmp(table, expected.data(), expected.size() * sizeof(double)) == 0);
}

class CompiledModel : public testing::TestWithParam<const MeshModel*> {};

TEST_P(CompiledModel, HoldsWhatItsObjFileSays) {
  const MeshModel& model = *GetParam();
  Catalogue catalogue;
  std::string error;
  ASSERT_TRUE(loadCatalogue(KESH_CATALOGUE_PATH, catalogue, error)) << error;
  ModelData file;
  const std::string path = std::string(KESH_MESHES_DIR) + "/" + model.name + ".obj";
  const auto problems = readAndCheckObjFile(path, model.name, *catalogue.find(model.name), file);
  ASSERT_TRUE(problems.empty()) << problems[0];
  ASSERT_EQ(file.meshes.size(), static_cast<size_t>(model.meshCount));
  for (int n = 1; n <= model.meshCount; ++n) {
    SCOPED_TRACE(std::string(model.name) + " mesh " + std::to_string(n));
    const Mesh& mesh = model.mesh(n);
    const MeshData& expected = file.mesh(n);
    EXPECT_TRUE(sameBits(mesh.vertices, 3 * mesh.vertexCount, expected.positions));
    EXPECT_TRUE(sameBits(mesh.uvs, 2 * mesh.uvCount, expected.uvs));
    ASSERT_EQ(mesh.triangleCount(), expected.triangleCount());
    ASSERT_EQ(mesh.uvTriangles != nullptr, expected.textured());
    for (int i = 0; i < mesh.indexCount; ++i) {
      const int f = i / indicesPerTriangle, k = i % indicesPerTriangle;
      const bool separator = k == indicesPerTriangle - 1;
      ASSERT_EQ(mesh.triangles[i], separator ? -1 : expected.triangles[3 * f + k]) << i;
      if (!mesh.uvTriangles) continue;
      ASSERT_EQ(mesh.uvTriangles[i], separator ? -1 : expected.uvTriangles[3 * f + k]) << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllModels, CompiledModel, testing::ValuesIn(models),
                         [](const testing::TestParamInfo<const MeshModel*>& param) {
                           return std::string(param.param->name);
                         });

}  // namespace
