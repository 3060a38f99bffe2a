// The converter's reading and checking of OBJ files: a good file becomes
// exactly its tables; a tampered one is refused with a message that names
// the file, the mesh and the figure.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <utility>

#include "assets/meshes/catalogue.h"
#include "assets/meshes/obj_reader.h"
#include "tests/support/temp_folder.h"

namespace {

// Two blocks: a textured tetrahedron, then an untextured one that also uses
// a relative (negative) index.
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

// A file made from the good one by replacing each "from" with its "to", and
// the parts one problem must contain; no parts: the file is accepted.
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

}  // namespace
