// kesh-texgen: paints the program's texture files, those the texture manifest
// lists, into a folder, and on request the two contact sheets for looking at
// them.
//
//   kesh-texgen OUT_DIR [--sheets SHEET_DIR]
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/common/png_image.h"
#include "tools/texgen/contact_sheets.h"
#include "tools/texgen/texture_files.h"
#include "tools/texgen/texture_set.h"

namespace {

constexpr int usageStatus = 2;

// Creates the folder and any missing folders above it; false (with a
// message) when it cannot.
bool makeFolder(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0755);  // an existing or failing parent shows below
  }
  if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return true;
  std::fprintf(stderr, "cannot create %s: %s\n", path.c_str(), std::strerror(errno));
  return false;
}

int usage() {
  std::fprintf(stderr, "usage: kesh-texgen OUT_DIR [--sheets SHEET_DIR]\n");
  return usageStatus;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir, sheetDir;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sheets") == 0 && i + 1 < argc) {
      sheetDir = argv[++i];
    } else if (outDir.empty() && argv[i][0] != '-') {
      outDir = argv[i];
    } else {
      return usage();
    }
  }
  if (outDir.empty()) return usage();
  if (!makeFolder(outDir) || (!sheetDir.empty() && !makeFolder(sheetDir))) return 1;

  bool ok = true;
  std::vector<NamedPicture> all, repeating;
  for (const TextureRecipe& recipe : textureRecipes()) {
    NamedPicture painted{recipe.file.fileName, recipe.paint()};
    ok = writeBytes(outDir + "/" + recipe.file.fileName, encodeTexture(recipe, painted.picture)) && ok;
    if (sheetDir.empty()) continue;
    if (recipe.file.repeats) repeating.push_back(painted);
    all.push_back(std::move(painted));
  }
  if (!sheetDir.empty()) {
    ok = writePng(sheetDir + "/textures.png", makeOverviewSheet(all)) && ok;
    ok = writePng(sheetDir + "/textures-tiled.png", makeTilingSheet(repeating)) && ok;
  }
  return ok ? 0 : 1;
}
