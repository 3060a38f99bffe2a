// kesh-objconv: the build step that turns one model's OBJ file into constant
// C++ tables, after holding it against the catalogue. Any problem fails the
// build with messages naming the file, the mesh and the differing figure.
//
//   kesh-objconv MODEL OBJ CATALOGUE OUTDIR
#include <cstdio>
#include <fstream>
#include <string>

#include "assets/meshes/catalogue.h"
#include "assets/meshes/obj_reader.h"
#include "assets/meshes/table_writer.h"

namespace {

constexpr int usageStatus = 2;

bool writeText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) std::fprintf(stderr, "kesh-objconv: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

// Writes the header and source of the model's tables into outDir.
int writeTables(const ModelData& model, const std::string& outDir) {
  const std::string stem = outDir + "/" + model.name + "_tables";
  if (!writeText(stem + ".h", tablesHeader(model))) return 1;
  if (!writeText(stem + ".cpp", tablesSource(model))) return 1;
  return 0;
}

// Removes tables left from an earlier run, so a failed check cannot leave
// stale tables for the build to link.
void removeTables(const std::string& modelName, const std::string& outDir) {
  const std::string stem = outDir + "/" + modelName + "_tables";
  std::remove((stem + ".h").c_str());
  std::remove((stem + ".cpp").c_str());
}

int usage() {
  std::fprintf(stderr,
               "usage: kesh-objconv MODEL OBJ CATALOGUE OUTDIR\n");
  return usageStatus;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 || !isTableName(argv[1])) return usage();
  const std::string modelName = argv[1], objPath = argv[2], cataloguePath = argv[3];
  Catalogue catalogue;
  std::string error;
  if (!loadCatalogue(cataloguePath, catalogue, error)) {
    std::fprintf(stderr, "kesh-objconv: %s\n", error.c_str());
    return 1;
  }
  const CatalogueModel* entry = catalogue.find(modelName);
  if (!entry) {
    std::fprintf(stderr, "kesh-objconv: %s has no model %s\n", cataloguePath.c_str(),
                 modelName.c_str());
    return 1;
  }
  ModelData model;
  const std::vector<std::string> problems = readAndCheckObjFile(objPath, modelName, *entry, model);
  for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
  if (!problems.empty()) {
    removeTables(modelName, argv[4]);
    std::fprintf(stderr, "kesh-objconv: %s does not match the catalogue; no tables written\n",
                 objPath.c_str());
    return 1;
  }
  return writeTables(model, argv[4]);
}
