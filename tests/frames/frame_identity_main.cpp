// kesh-frame-identity: hashes the frame tool's PNG shots and compares them
// with the recorded references, or records new references: the comment
// below, the GL build's three lines, then "shot NAME WIDTHxHEIGHT HASH" by
// name. Frames are the same byte for byte on the same GL build, so a changed
// line means a changed picture. It opens a GL window only to name the build.
//
//   kesh-frame-identity check|record REFERENCES SHOT_DIR MESA_PACKAGE
//
// Exit status: 0 identical (or recorded), 1 changed or unreadable,
// 77 skipped because the references were recorded with another GL build.
#include <GL/gl.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tools/common/png_image.h"
#include "tools/common/tool_window.h"

namespace {

constexpr int statusSkipped = 77;
constexpr int probeWindowSize = 64;
constexpr uint64_t fnvOffsetBasis = 14695981039346656037ull;
constexpr uint64_t fnvPrime = 1099511628211ull;
constexpr size_t lineSize = 256;

const char* const fileComment =
    "# Pixel hashes (64-bit FNV-1a over the RGB rows, top to bottom) of the frame\n"
    "# tool's storyboard shots, drawn with the GL build named below. Re-record them\n"
    "# with scripts/record-frame-hashes.sh BUILD_DIR when a change to what is drawn\n"
    "# is intended (textures, models), or on another Mesa build.\n";

// The shot line of every PNG of the folder, by name; false when one cannot be read.
bool shotLines(const std::string& folder, std::vector<std::string>& lines) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".png") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    RgbImage image;
    if (!readPng(file.string(), image)) {
      std::fprintf(stderr, "kesh-frame-identity: cannot read %s\n", file.c_str());
      return false;
    }
    uint64_t hash = fnvOffsetBasis;
    for (uint8_t byte : image.pixels) hash = (hash ^ byte) * fnvPrime;
    char line[lineSize];
    std::snprintf(line, sizeof line, "shot %s %dx%d %016" PRIx64, file.stem().c_str(), image.width,
                  image.height, hash);
    lines.push_back(line);
  }
  return !error && !lines.empty();
}

// The lines of one list that the other lacks, each printed with its meaning.
int printMissing(const std::set<std::string>& from, const std::set<std::string>& in,
                 const char* meaning) {
  int count = 0;
  for (const std::string& line : from) {
    if (in.count(line)) continue;
    std::printf("%s: %s\n", meaning, line.c_str());
    ++count;
  }
  return count;
}

// current: the three build lines, then the shot lines.
int check(const std::string& referencePath, const std::vector<std::string>& current) {
  std::ifstream in(referencePath);
  std::vector<std::string> build;
  std::set<std::string> recorded;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("shot ", 0) == 0) {
      recorded.insert(line);
    } else if (!line.empty() && line[0] != '#') {
      build.push_back(line);
    }
  }
  if (recorded.empty() || build.size() != 3) {
    std::printf("cannot read the references %s\n", referencePath.c_str());
    return 1;
  }
  if (build != std::vector<std::string>(current.begin(), current.begin() + 3)) {
    std::printf("SKIPPED: the references were recorded with another GL build; the frames\n"
                "cannot be compared byte for byte. Re-record them on this build with\n"
                "scripts/record-frame-hashes.sh to use this check here.\n");
    printMissing({current.begin(), current.begin() + 3}, {build.begin(), build.end()}, "now");
    return statusSkipped;
  }
  const std::set<std::string> rendered(current.begin() + 3, current.end());
  const int differing = printMissing(recorded, rendered, "changed or not rendered") +
                        printMissing(rendered, recorded, "changed or not referenced");
  std::printf(differing ? "the shots differ from the references\n"
                        : "all shots are identical to the references\n");
  return differing ? 1 : 0;
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
  std::vector<std::string> shots;
  if (!shotLines(argv[3], shots)) {
    std::fprintf(stderr, "kesh-frame-identity: no readable shots in %s\n", argv[3]);
    return 1;
  }
  if (!openToolWindow("kesh frame identity", probeWindowSize, probeWindowSize)) return 1;
  auto glText = [](GLenum name) {
    const auto* text = reinterpret_cast<const char*>(glGetString(name));
    return std::string(text ? text : "");
  };
  std::vector<std::string> current = {"renderer " + glText(GL_RENDERER),
                                      "version " + glText(GL_VERSION),
                                      std::string("mesa-package ") + argv[4]};
  current.insert(current.end(), shots.begin(), shots.end());
  if (mode == "check") return check(argv[2], current);
  std::ofstream out(argv[2], std::ios::trunc);
  out << fileComment;
  for (const std::string& line : current) out << line << "\n";
  out.close();
  std::printf(out ? "recorded %zu shots in %s\n" : "cannot write %zu shots to %s\n", shots.size(),
              argv[2]);
  return out ? 0 : 1;
}
