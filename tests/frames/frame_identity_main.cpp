// kesh-frame-identity: hashes the frame tool's PNG shots and compares them
// with the recorded references, or records new references. It opens a GL
// window of its own only to read which GL build is in use.
//
//   kesh-frame-identity check|record REFERENCES SHOT_DIR MESA_PACKAGE
//
// Exit status: 0 identical (or recorded), 1 changed or unreadable,
// 77 skipped because the references were recorded with another GL build.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/frames/frame_references.h"
#include "tools/common/tool_window.h"

namespace {

constexpr int statusSkipped = 77;
constexpr int probeWindowSize = 64;

// A GL string, or "" when GL gives none.
std::string glText(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text ? text : "";
}

// Every PNG of the folder, by name, hashed.
bool hashShots(const std::string& folder, std::vector<ShotHash>& shots) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".png") files.push_back(entry.path());
  }
  if (error) {
    std::fprintf(stderr, "kesh-frame-identity: cannot list %s\n", folder.c_str());
    return false;
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    RgbImage image;
    if (!readPng(file.string(), image)) {
      std::fprintf(stderr, "kesh-frame-identity: cannot read %s\n", file.c_str());
      return false;
    }
    shots.push_back({file.stem().string(), image.width, image.height, pixelHash(image)});
  }
  return true;
}

// One line per shot name.
void printNames(const char* what, const std::vector<std::string>& names) {
  for (const std::string& name : names) std::printf("%s: %s\n", what, name.c_str());
}

int check(const std::string& referencePath, const std::vector<ShotHash>& shots,
          const GlBuild& current) {
  std::ifstream in(referencePath);
  std::ostringstream text;
  text << in.rdbuf();
  FrameReferences references;
  std::string error;
  if (!in || !parseReferences(text.str(), references, error)) {
    std::printf("cannot read the references %s: %s\n", referencePath.c_str(), error.c_str());
    return 1;
  }
  const std::string difference = buildDifference(references.build, current);
  if (!difference.empty()) {
    std::printf("SKIPPED: the references were recorded with another GL build (%s); the\n"
                "frames cannot be compared byte for byte. Re-record them on this build\n"
                "with scripts/record-frame-hashes.sh to use this check here.\n",
                difference.c_str());
    return statusSkipped;
  }
  const ShotComparison comparison = compareShots(references.shots, shots);
  printNames("changed", comparison.changed);
  printNames("not rendered", comparison.missing);
  printNames("no reference", comparison.unreferenced);
  if (!comparison.identical()) {
    std::printf("%zu of %zu shots differ from the references\n",
                comparison.changed.size() + comparison.missing.size() +
                    comparison.unreferenced.size(),
                references.shots.size());
    return 1;
  }
  std::printf("all %zu shots are identical to the references\n", shots.size());
  return 0;
}

int record(const std::string& referencePath, const std::vector<ShotHash>& shots,
           const GlBuild& current) {
  std::ofstream out(referencePath, std::ios::trunc);
  out << formatReferences(FrameReferences{current, shots});
  out.close();
  if (!out) {
    std::fprintf(stderr, "kesh-frame-identity: cannot write %s\n", referencePath.c_str());
    return 1;
  }
  std::printf("recorded %zu shots in %s\n", shots.size(), referencePath.c_str());
  return 0;
}

}  // namespace

// Hashes the shots first, then opens GL only to name its build.
int main(int argc, char** argv) {
  const std::string mode = argc == 5 ? argv[1] : "";
  if (mode != "check" && mode != "record") {
    std::fprintf(stderr,
                 "usage: kesh-frame-identity check|record REFERENCES SHOT_DIR MESA_PACKAGE\n");
    return 2;
  }
  std::vector<ShotHash> shots;
  if (!hashShots(argv[3], shots)) return 1;
  if (shots.empty()) {
    std::fprintf(stderr, "kesh-frame-identity: no shots in %s\n", argv[3]);
    return 1;
  }
  if (!openToolWindow("kesh frame identity", probeWindowSize, probeWindowSize)) return 1;
  const GlBuild current{glText(GL_RENDERER), glText(GL_VERSION), argv[4]};
  return mode == "check" ? check(argv[2], shots, current) : record(argv[2], shots, current);
}
