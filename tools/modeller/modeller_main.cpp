// kesh-modeller: writes the model data (assets/meshes/<model>.obj) from the
// procedural recipes, each built to its entry in the catalogue and checked
// against it.
//
//   kesh-modeller [--out DIR] [--catalogue FILE] [MODEL...]
//
// With no MODEL every model is written. A model that fails its checks is not
// written, and the exit status is 1.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "assets/meshes/catalogue.h"
#include "tools/modeller/models.h"
#include "tools/modeller/obj_writer.h"

int main(int argc, char** argv) {
  std::string outDir = KESH_MESHES_DIR;
  std::string cataloguePath = KESH_CATALOGUE_PATH;
  std::vector<std::string> wanted;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) {
      outDir = argv[++i];
    } else if (arg == "--catalogue" && i + 1 < argc) {
      cataloguePath = argv[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      std::fprintf(stderr, "usage: kesh-modeller [--out DIR] [--catalogue FILE] [MODEL...]\n");
      return 2;
    } else {
      wanted.push_back(arg);
    }
  }

  Catalogue catalogue;
  std::string error;
  if (!loadCatalogue(cataloguePath, catalogue, error)) {
    std::fprintf(stderr, "kesh-modeller: %s\n", error.c_str());
    return 1;
  }

  int status = 0;
  for (const ModelRecipe& recipe : modelRecipes) {
    bool selected = wanted.empty();
    for (const std::string& name : wanted) selected = selected || name == recipe.name;
    if (!selected) continue;
    const CatalogueModel* entry = catalogue.find(recipe.name);
    ModelData model;
    std::vector<std::string> problems;
    if (!entry) {
      problems.push_back(std::string(recipe.name) + ": not in the catalogue");
    } else {
      try {
        model = recipe.build(*entry);
        problems = checkModel(model, *entry);
      } catch (const std::exception& failure) {
        problems.push_back(std::string(recipe.name) + ": " + failure.what());
      }
    }
    if (!problems.empty()) {
      for (const std::string& problem : problems) std::fprintf(stderr, "%s\n", problem.c_str());
      std::fprintf(stderr, "kesh-modeller: %s not written\n", recipe.name);
      status = 1;
      continue;
    }
    const std::string path = outDir + "/" + recipe.name + ".obj";
    if (!writeObj(path, model)) {
      std::fprintf(stderr, "kesh-modeller: cannot write %s\n", path.c_str());
      status = 1;
      continue;
    }
    std::printf("wrote %s (%zu meshes)\n", path.c_str(), model.meshes.size());
  }
  return status;
}
