// The converter's C++ output: every double reads back bit for bit and index
// lists carry the -1 separator after each triangle. (That the output compiles
// and holds each OBJ file's data is checked on the real models.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "assets/meshes/table_writer.h"

namespace {

// The comma-separated values between "name[...] = {" and "};" in the source.
std::vector<std::string> arrayValues(const std::string& source, const std::string& name) {
  const size_t start = source.find(name + "[");
  if (start == std::string::npos) return {};
  const size_t open = source.find('{', start);
  const size_t close = source.find("};", open);
  std::vector<std::string> values;
  std::istringstream in(source.substr(open + 1, close - open - 1));
  for (std::string value; std::getline(in, value, ',');) {
    const size_t first = value.find_first_not_of(" \n");
    if (first != std::string::npos) values.push_back(value.substr(first));
  }
  return values;
}

std::vector<double> doublesOf(const std::vector<std::string>& values) {
  std::vector<double> numbers;
  for (const std::string& v : values) numbers.push_back(std::strtod(v.c_str(), nullptr));
  return numbers;
}

bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

ModelData trickyModel() {
  MeshData textured;
  textured.name = "awkward";
  textured.positions = {0.1 + 0.2, 1.0 / 3.0, -0.0, 1e-300, -123456.789, 2.5e17, 7, -7, 0};
  textured.uvs = {0.1, 0.9, 1.0 / 7.0, 48.0};
  textured.triangles = {0, 1, 2};
  textured.uvTriangles = {1, 0, 1};
  MeshData plain;
  plain.name = "plain";
  plain.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
  plain.triangles = {0, 2, 1, 0, 1, 3};
  return {"tricky", {textured, plain}};
}

TEST(TableWriter, DoublesReadBackBitForBit) {
  const ModelData model = trickyModel();
  const std::string source = tablesSource(model);
  const auto vertices = arrayValues(source, "trickyMesh1Vertices");
  EXPECT_TRUE(sameBits(doublesOf(vertices), model.meshes[0].positions)) << source;
  EXPECT_TRUE(sameBits(doublesOf(arrayValues(source, "trickyMesh1Uvs")), model.meshes[0].uvs));
  EXPECT_TRUE(sameBits(doublesOf(arrayValues(source, "trickyMesh2Vertices")),
                       model.meshes[1].positions));
  // Every value is a floating literal, so even -0.0 keeps its sign.
  for (const std::string& v : vertices) EXPECT_NE(v.find_first_of(".e"), std::string::npos) << v;
}

TEST(TableWriter, IndexListsEndEachTriangleWithTheSeparator) {
  const std::string source = tablesSource(trickyModel());
  EXPECT_EQ(arrayValues(source, "trickyMesh1Triangles"), (std::vector<std::string>{"0", "1", "2", "-1"}));
  EXPECT_EQ(arrayValues(source, "trickyMesh1UvTriangles"),
            (std::vector<std::string>{"1", "0", "1", "-1"}));
  EXPECT_EQ(arrayValues(source, "trickyMesh2Triangles"),
            (std::vector<std::string>{"0", "2", "1", "-1", "0", "1", "3", "-1"}));
  EXPECT_TRUE(arrayValues(source, "trickyMesh2Uvs").empty()) << "an untextured mesh has no UV table";
}

TEST(TableWriter, ModelWithoutMeshesHasAnEmptyTableList) {
  const std::string header = tablesHeader(ModelData{"pending", {}});
  EXPECT_NE(header.find("std::array<MeshTables, 0> pendingTables"), std::string::npos) << header;
  EXPECT_EQ(tablesSource(ModelData{"pending", {}}).find("const double"), std::string::npos);
}

}  // namespace
