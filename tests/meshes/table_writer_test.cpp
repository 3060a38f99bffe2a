// The converter's C++ output: every double reads back bit for bit, and index
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

TEST(TableWriter, DoublesReadBackBitForBitAndEveryTriangleEndsWithTheSeparator) {
  const MeshData awkward{"awkward",
                         {0.1 + 0.2, 1.0 / 3.0, -0.0, 1e-300, -123456.789, 2.5e17, 7, -7, 0},
                         {0.1, 0.9, 1.0 / 7.0, 48.0}, {0, 1, 2}, {1, 0, 1}};
  const MeshData plain{"plain", {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, {}, {0, 2, 1, 0, 1, 3}, {}};
  const std::string source = tablesSource({"tricky", {awkward, plain}});
  EXPECT_TRUE(sameDoubles(arrayValues(source, "trickyMesh1Vertices"), awkward.positions)) << source;
  EXPECT_TRUE(sameDoubles(arrayValues(source, "trickyMesh1Uvs"), awkward.uvs)) << source;
  EXPECT_TRUE(sameDoubles(arrayValues(source, "trickyMesh2Vertices"), plain.positions)) << source;
  using Values = std::vector<std::string>;
  EXPECT_EQ(arrayValues(source, "trickyMesh1Triangles"), (Values{"0", "1", "2", "-1"}));
  EXPECT_EQ(arrayValues(source, "trickyMesh1UvTriangles"), (Values{"1", "0", "1", "-1"}));
  EXPECT_EQ(arrayValues(source, "trickyMesh2Triangles"),
            (Values{"0", "2", "1", "-1", "0", "1", "3", "-1"}));
  EXPECT_TRUE(arrayValues(source, "trickyMesh2Uvs").empty()) << "an untextured mesh has UVs";
  // A model without meshes still has its (empty) table list.
  const std::string header = tablesHeader({"pending", {}});
  EXPECT_NE(header.find("std::array<MeshTables, 0> pendingTables"), std::string::npos) << header;
  EXPECT_EQ(tablesSource({"pending", {}}).find("const double"), std::string::npos);
}

}  // namespace
