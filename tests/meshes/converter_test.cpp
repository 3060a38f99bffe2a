// The model converter: a good OBJ file becomes exactly its tables, a tampered one is refused naming
// file, mesh and figure; its C++ reads back bit for bit; the compiled tables hold the OBJ files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>

#include "assets/meshes/catalogue.h"
#include "assets/meshes/obj_reader.h"
#include "assets/meshes/table_writer.h"
#include "assets/models.h"
#include "tests/support/temp_folder.h"

namespace {
// A textured tetrahedron, then an untextured one that also uses a relative (negative) index.
const std::string goodObj =
    "# two tetrahedra\no first\nv 0 0 0\nv 1.25 0 0\nv 0 1 0\nv 0 0 1\nvt 0 0\nvt 1 0\nvt 0.5 1\n"
    "f 1/1 3/3 2/2\nf 1/1 2/2 4/3\nf 1/1 4/3 3/2\nf 2/1 3/2 4/3\n"
    "o second\nv 2 0 0\nv 3 0 0\nv 2 1 0\nv 2 0 1\nf 5 7 6\nf 5 6 8\nf -4 -1 -2\nf 6 7 8\n";

TEST(ObjReader, GoodFileBecomesExactlyItsTables) {
  std::istringstream in(goodObj);
  ModelData model;
  std::string error;
  ASSERT_TRUE(readObjModel(in, "solid", model, error)) << error;
  ASSERT_EQ(model.meshes.size(), 2u);
  const MeshData &first = model.mesh(1), &second = model.mesh(2);
  EXPECT_EQ(first.name + " " + second.name, "first second");
  EXPECT_EQ(first.positions, (std::vector<double>{0, 0, 0, 1.25, 0, 0, 0, 1, 0, 0, 0, 1}));
  EXPECT_EQ(first.uvs, (std::vector<double>{0, 0, 1, 0, 0.5, 1}));
  EXPECT_EQ(first.triangles, (std::vector<int>{0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3}));
  EXPECT_EQ(first.uvTriangles, (std::vector<int>{0, 2, 1, 0, 1, 2, 0, 2, 1, 0, 1, 2}));
  // The second block's indices count from its own first vertex.
  EXPECT_EQ(second.positions, (std::vector<double>{2, 0, 0, 3, 0, 0, 2, 1, 0, 2, 0, 1}));
  EXPECT_EQ(second.triangles, first.triangles);
  EXPECT_TRUE(second.uvs.empty() && !second.textured());
}

// The good file with each "from" replaced by its "to", and the parts one problem must contain.
struct Tampered {
  const char* file;
  std::vector<std::pair<std::string, std::string>> edits;
  std::vector<std::string> parts;
};

const Tampered tampered[] = {
    {"good", {}, {}},
    {"count", {{"f 6 7 8\n", ""}}, {"solid mesh 2 second", "triangles 3, catalogue 4"}},
    {"box", {{"v 3 0 0\n", "v 3.02 0 0\n"}},
     {"solid mesh 2 second", "box x max 3.0200, catalogue 3.0000"}},
    {"earlier", {{"f 5 7 6\n", "f 1 7 6\n"}},
     {"solid mesh 2 second, face 1", "vertex 1 is not one of the block's own vertices 5..8"}},
    {"later", {{"f 2/1 3/2 4/3\n", "f 2/1 3/2 5/3\n"}},  // not read yet where the face stands
     {"solid mesh 1 first, face 4", "vertex 5 is not one of the block's own vertices 1..4"}},
    {"uvs",
     {{"v 2 0 1\n", "v 2 0 1\nvt 0 0\nvt 1 0\nvt 1 1\n"},
      {"f 5 7 6\nf 5 6 8\nf -4 -1 -2\nf 6 7 8\n",
       "f 5/4 7/5 6/6\nf 5/4 6/5 8/6\nf 5/4 8/6 7/5\nf 6/1 7/5 8/6\n"}},
     {"solid mesh 2 second, face 4",
      "texture coordinate 1 is not one of the block's own texture coordinates 4..6"}},
    {"quad", {{"f 6 7 8\n", "f 5 6 7 8\n"}},
     {"solid mesh 2 second, face 4", "4 corners; every face must be a triangle"}},
    {"nofirst", {{"o first\n", ""}}, {"v line 1 comes before the first o line"}},
    {"nosecond", {{"o second\n", ""}},  // the second block runs into the first
     {"solid mesh 1 first, face 5", "has no texture coordinates"}},
    {"mixed", {{"f 1/1 2/2 4/3\n", "f 1 2 4\n"}},
     {"solid mesh 1 first, face 2", "has no texture coordinates, earlier faces of the block have"}},
    {"corner", {{"f 1/1 2/2 4/3\n", "f 1/1 2 4/3\n"}},
     {"solid mesh 1 first, face 2", "some corners have texture coordinates and some do not"}},
};

class ObjFile : public testing::TestWithParam<Tampered> {};

TEST_P(ObjFile, IsAcceptedOrRefusedNamingFileMeshAndFigure) {
  const Tampered& row = GetParam();
  const TempFolder folder;
  std::ofstream(folder.file("catalogue.txt")) << "solid 1 first  4 4 3  0 1.25  0 1  0 1\n"
                                                 "solid 2 second 4 4 0  2 3     0 1  0 1\n";
  Catalogue catalogue;
  std::string error, text = goodObj, listed;
  ASSERT_TRUE(loadCatalogue(folder.file("catalogue.txt"), catalogue, error)) << error;
  for (const auto& [from, to] : row.edits) {
    ASSERT_NE(text.find(from), std::string::npos) << from;
    text.replace(text.find(from), from.size(), to);
  }
  const std::string path = folder.file(row.file + std::string(".obj"));
  std::ofstream(path, std::ios::binary) << text;
  ModelData model;
  bool found = false;
  const auto problems = readAndCheckObjFile(path, "solid", catalogue.models[0], model);
  for (const std::string& problem : problems) {
    listed += problem + "\n";
    bool all = problem.rfind(path + ": ", 0) == 0;
    for (const std::string& part : row.parts) all = all && problem.find(part) != std::string::npos;
    found = found || all;
  }
  EXPECT_EQ(found, !row.parts.empty()) << listed;  // a good file: no problem at all
}

INSTANTIATE_TEST_SUITE_P(Files, ObjFile, testing::ValuesIn(tampered),
                         [](const testing::TestParamInfo<Tampered>& param) {
                           return std::string(param.param.file);
                         });

// The comma-separated values between "name[...] = {" and "};" in the source.
std::vector<std::string> arrayValues(const std::string& source, const std::string& name) {
  const size_t start = source.find(name + "[");
  if (start == std::string::npos) return {};
  const size_t open = source.find('{', start);
  std::istringstream in(source.substr(open + 1, source.find("};", open) - open - 1));
  std::vector<std::string> values;
  for (std::string value; std::getline(in, value, ',');) {
    const size_t first = value.find_first_not_of(" \n");
    if (first != std::string::npos) values.push_back(value.substr(first));
  }
  return values;
}

// Floating literals (so -0.0 keeps its sign) that read back to exactly these.
bool sameDoubles(const std::vector<std::string>& values, const std::vector<double>& expected) {
  std::vector<double> numbers;
  for (const std::string& v : values) {
    if (v.find_first_of(".e") == std::string::npos) return false;
    numbers.push_back(std::strtod(v.c_str(), nullptr));
  }
  return numbers.size() == expected.size() &&
         std::memcmp(numbers.data(), expected.data(), numbers.size() * sizeof(double)) == 0;
}

// Doubles the real models may lack (CompiledModel checks every table of those) read back bit for
// bit, and a model without meshes still has its (empty) table list.
TEST(TableWriter, AwkwardDoublesReadBackBitForBitAndNoMeshesGiveAnEmptyList) {
  const MeshData awkward{"awkward",
                         {0.1 + 0.2, 1.0 / 3.0, -0.0, 1e-300, -123456.789, 2.5e17, 7, -7, 0},
                         {0.1, 0.9, 1.0 / 7.0, 48.0}, {0, 1, 2}, {1, 0, 1}};
  const std::string source = tablesSource({"tricky", {awkward}});
  EXPECT_TRUE(sameDoubles(arrayValues(source, "trickyMesh1Vertices"), awkward.positions)) << source;
  EXPECT_TRUE(sameDoubles(arrayValues(source, "trickyMesh1Uvs"), awkward.uvs)) << source;
  const std::string header = tablesHeader({"pending", {}});
  EXPECT_NE(header.find("std::array<MeshTables, 0> pendingTables"), std::string::npos) << header;
  EXPECT_EQ(tablesSource({"pending", {}}).find("const double"), std::string::npos);
}

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
