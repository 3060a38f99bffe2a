// The converter's reading and checking of OBJ files: a good file becomes
// exactly its tables; a tampered one is refused with a message that names
// the file, the mesh and the figure.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "tests/support/temp_folder.h"
#include "assets/meshes/catalogue.h"
#include "assets/meshes/obj_reader.h"
#include "tests/support/files.h"

namespace {

// Two blocks: a textured tetrahedron, then an untextured one that also uses
// a relative (negative) index.
const char* const goodObj =
    "# two tetrahedra\n"
    "o first\n"
    "v 0 0 0\n"
    "v 1.25 0 0\n"
    "v 0 1 0\n"
    "v 0 0 1\n"
    "vt 0 0\n"
    "vt 1 0\n"
    "vt 0.5 1\n"
    "f 1/1 3/3 2/2\n"
    "f 1/1 2/2 4/3\n"
    "f 1/1 4/3 3/2\n"
    "f 2/1 3/2 4/3\n"
    "o second\n"
    "v 2 0 0\n"
    "v 3 0 0\n"
    "v 2 1 0\n"
    "v 2 0 1\n"
    "f 5 7 6\n"
    "f 5 6 8\n"
    "f -4 -1 -2\n"
    "f 6 7 8\n";

const char* const solidCatalogue =
    "solid 1 first  4 4 3  0 1.25  0 1  0 1\n"
    "solid 2 second 4 4 0  2 3     0 1  0 1\n";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Files of this test process only: tests run in parallel.
std::string tempPath(const std::string& name) {
  static const TempFolder folder;
  return folder.file(name);
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

CatalogueModel catalogueEntry(const std::string& path, const std::string& model) {
  Catalogue catalogue;
  std::string error;
  EXPECT_TRUE(loadCatalogue(path, catalogue, error)) << error;
  const CatalogueModel* entry = catalogue.find(model);
  return entry ? *entry : CatalogueModel{};
}

// The problems the converter finds in this OBJ text, given the fixtures' catalogue.
std::vector<std::string> problemsOf(const std::string& objText, const std::string& fileName) {
  const std::string cataloguePath = tempPath("solid_catalogue.txt");
  writeFile(cataloguePath, solidCatalogue);
  const std::string path = tempPath(fileName);
  writeFile(path, objText);
  ModelData model;
  return readAndCheckObjFile(path, "solid", catalogueEntry(cataloguePath, "solid"), model);
}

// True when one problem starts with the file's path and contains every part.
bool reported(const std::vector<std::string>& problems, const std::string& fileName,
              const std::vector<std::string>& parts) {
  for (const std::string& problem : problems) {
    bool all = problem.rfind(tempPath(fileName) + ": ", 0) == 0;
    for (const std::string& part : parts) all = all && problem.find(part) != std::string::npos;
    if (all) return true;
  }
  return false;
}

std::string listed(const std::vector<std::string>& problems) {
  std::string text;
  for (const std::string& p : problems) text += p + "\n";
  return text;
}

TEST(ObjReader, GoodFileBecomesExactlyItsTables) {
  std::istringstream in(goodObj);
  ModelData model;
  std::string error;
  ASSERT_TRUE(readObjModel(in, "solid", model, error)) << error;
  ASSERT_EQ(model.meshes.size(), 2u);
  EXPECT_EQ(model.name, "solid");

  const MeshData& first = model.mesh(1);  // mesh numbers count from 1
  EXPECT_EQ(first.name, "first");
  EXPECT_EQ(first.positions, (std::vector<double>{0, 0, 0, 1.25, 0, 0, 0, 1, 0, 0, 0, 1}));
  EXPECT_EQ(first.uvs, (std::vector<double>{0, 0, 1, 0, 0.5, 1}));
  EXPECT_EQ(first.triangles, (std::vector<int>{0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3}));
  EXPECT_EQ(first.uvTriangles, (std::vector<int>{0, 2, 1, 0, 1, 2, 0, 2, 1, 0, 1, 2}));

  // The second block's indices count from its own first vertex.
  const MeshData& second = model.mesh(2);
  EXPECT_EQ(second.name, "second");
  EXPECT_EQ(second.positions, (std::vector<double>{2, 0, 0, 3, 0, 0, 2, 1, 0, 2, 0, 1}));
  EXPECT_EQ(second.triangles, (std::vector<int>{0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3}));
  EXPECT_TRUE(second.uvs.empty());
  EXPECT_FALSE(second.textured());
  for (int outside : {0, 3}) EXPECT_THROW(model.mesh(outside), std::out_of_range) << outside;

  EXPECT_TRUE(problemsOf(goodObj, "good.obj").empty()) << listed(problemsOf(goodObj, "good.obj"));
}

TEST(ObjReader, NormalsGroupsAndSmoothingAreIgnored) {
  std::string text = replaced(goodObj, "o second\n", "o second\nvn 0 0 1\ng side\ns 1\n");
  text = replaced(text, "f 6 7 8\n", "f 6//1 7//1 8//1\n");
  const auto problems = problemsOf(text, "normals.obj");
  EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST(ObjReader, RefusesWrongCounts) {
  const auto problems = problemsOf(replaced(goodObj, "f 6 7 8\n", ""), "count.obj");
  EXPECT_TRUE(reported(problems, "count.obj", {"solid mesh 2 second", "triangles 3, catalogue 4"}))
      << listed(problems);

  const auto extraUv = problemsOf(replaced(goodObj, "vt 0.5 1\n", "vt 0.5 1\nvt 0.25 1\n"),
                                  "uvcount.obj");
  EXPECT_TRUE(reported(extraUv, "uvcount.obj", {"solid mesh 1 first", "uvs 4, catalogue 3"}))
      << listed(extraUv);
}

TEST(ObjReader, RefusesABoxOffByMoreThanTheTolerance) {
  const auto off = problemsOf(replaced(goodObj, "v 3 0 0\n", "v 3.02 0 0\n"), "box.obj");
  EXPECT_TRUE(reported(off, "box.obj", {"solid mesh 2 second", "box x max 3.0200, catalogue 3.0000"}))
      << listed(off);
  const auto within = problemsOf(replaced(goodObj, "v 3 0 0\n", "v 3.005 0 0\n"), "near.obj");
  EXPECT_TRUE(within.empty()) << listed(within);
}

TEST(ObjReader, RefusesABlockThatUsesAnotherBlocksVertices) {
  const auto earlier = problemsOf(replaced(goodObj, "f 5 7 6\n", "f 1 7 6\n"), "earlier.obj");
  EXPECT_TRUE(reported(earlier, "earlier.obj",
                       {"solid mesh 2 second, face 1", "vertex 1 is not one of the block's own vertices 5..8"}))
      << listed(earlier);
  // A vertex of a later block does not exist yet where the face stands.
  const auto later = problemsOf(replaced(goodObj, "f 2/1 3/2 4/3\n", "f 2/1 3/2 5/3\n"), "later.obj");
  EXPECT_TRUE(reported(later, "later.obj",
                       {"solid mesh 1 first, face 4", "vertex 5 is not one of the block's own vertices 1..4"}))
      << listed(later);
}

TEST(ObjReader, RefusesABlockThatUsesAnotherBlocksTextureCoordinates) {
  std::string text = replaced(goodObj, "v 2 0 1\n", "v 2 0 1\nvt 0 0\nvt 1 0\nvt 1 1\n");
  for (const char* face : {"f 5 7 6\n", "f 5 6 8\n", "f -4 -1 -2\n", "f 6 7 8\n"}) {
    text = replaced(text, face, "");
  }
  text += "f 5/4 7/5 6/6\nf 5/4 6/5 8/6\nf 5/4 8/6 7/5\nf 6/1 7/5 8/6\n";
  const auto problems = problemsOf(text, "uvs.obj");
  EXPECT_TRUE(reported(problems, "uvs.obj",
                       {"solid mesh 2 second, face 4",
                        "texture coordinate 1 is not one of the block's own texture coordinates 4..6"}))
      << listed(problems);
}

TEST(ObjReader, RefusesFacesThatAreNotTriangles) {
  const auto problems = problemsOf(replaced(goodObj, "f 6 7 8\n", "f 5 6 7 8\n"), "quad.obj");
  EXPECT_TRUE(reported(problems, "quad.obj",
                       {"solid mesh 2 second, face 4", "4 corners; every face must be a triangle"}))
      << listed(problems);
}

TEST(ObjReader, RefusesAMissingObjectLine) {
  const auto first = problemsOf(replaced(goodObj, "o first\n", ""), "nofirst.obj");
  EXPECT_TRUE(reported(first, "nofirst.obj", {"v line 1 comes before the first o line"}))
      << listed(first);

  // Without its o line the second block runs into the first.
  const auto second = problemsOf(replaced(goodObj, "o second\n", ""), "nosecond.obj");
  EXPECT_TRUE(reported(second, "nosecond.obj",
                       {"solid mesh 1 first, face 5", "has no texture coordinates"}))
      << listed(second);
  // Where both blocks are alike, the merged block is one mesh too few.
  std::string untextured = replaced(goodObj, "vt 0 0\nvt 1 0\nvt 0.5 1\n", "");
  for (const char* face : {"f 1/1 3/3 2/2\n", "f 1/1 2/2 4/3\n", "f 1/1 4/3 3/2\n", "f 2/1 3/2 4/3\n"}) {
    std::string plain = face;
    for (size_t slash; (slash = plain.find('/')) != std::string::npos;) plain.erase(slash, 2);
    untextured = replaced(untextured, face, plain);
  }
  const auto merged = problemsOf(replaced(untextured, "o second\n", ""), "merged.obj");
  EXPECT_TRUE(reported(merged, "merged.obj", {"solid: 1 meshes, catalogue 2"})) << listed(merged);
  EXPECT_TRUE(reported(merged, "merged.obj", {"solid mesh 1 first", "vertices 8, catalogue 4"}))
      << listed(merged);
}

TEST(ObjReader, RefusesABlockThatMixesTexturedAndUntexturedFaces) {
  const auto faces = problemsOf(replaced(goodObj, "f 1/1 2/2 4/3\n", "f 1 2 4\n"), "mixed.obj");
  EXPECT_TRUE(reported(faces, "mixed.obj", {"solid mesh 1 first, face 2", "no texture coordinates"}))
      << listed(faces);
  const auto corners = problemsOf(replaced(goodObj, "f 1/1 2/2 4/3\n", "f 1/1 2 4/3\n"), "corner.obj");
  EXPECT_TRUE(reported(corners, "corner.obj",
                       {"solid mesh 1 first, face 2", "some corners have texture coordinates"}))
      << listed(corners);
}

TEST(ObjReader, TamperedMarkerIsRefusedAgainstTheRealCatalogue) {
  const std::string marker = readFile(std::string(KESH_MESHES_DIR) + "/marker.obj");
  const CatalogueModel entry = catalogueEntry(KESH_CATALOGUE_PATH, "marker");
  const std::string path = tempPath("marker.obj");
  ModelData model;

  writeFile(path, marker);
  const auto good = readAndCheckObjFile(path, "marker", entry, model);
  EXPECT_TRUE(good.empty()) << listed(good);

  writeFile(path, replaced(marker, "v -0.369000 0.000000 -10.000000\n",
                           "v -0.369000 0.000000 -10.020000\n"));
  const auto box = readAndCheckObjFile(path, "marker", entry, model);
  EXPECT_TRUE(reported(box, "marker.obj",
                       {"marker mesh 1 markerSphere", "box z min -10.0200, catalogue -10.0000"}))
      << listed(box);
}

}  // namespace
