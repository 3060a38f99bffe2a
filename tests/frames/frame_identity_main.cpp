// kesh-frame-identity check|record REFERENCES SHOT_DIR MESA_PACKAGE: hashes
// the frame tool's PNG shots and compares them with, or records them as, the
// references: a comment, the GL build's three lines, then "shot NAME WxH HASH"
// by name. Exit 0 identical (or recorded), 1 changed or unreadable, 77 skipped
// (references from another GL build, whose frames may differ).
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
constexpr uint64_t fnvOffsetBasis = 14695981039346656037ull, fnvPrime = 1099511628211ull;

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
    char line[256];
    std::snprintf(line, sizeof line, "shot %s %dx%d %016" PRIx64, file.stem().c_str(), image.width,
                  image.height, hash);
    lines.push_back(line);
  }
  return !error && !lines.empty();
}

// Prints the lines of one list that the other lacks, with their meaning.
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

// current: the three build lines, then the shot lines; so are the references'
// lines less their comments.
int check(const std::string& referencePath, const std::vector<std::string>& current) {
  std::ifstream in(referencePath);
  std::vector<std::string> recorded;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') recorded.push_back(line);
  }
  if (recorded.size() < 4 || recorded[3].rfind("shot ", 0) != 0) {
    std::printf("cannot read the references %s\n", referencePath.c_str());
    return 1;
  }
  if (!std::equal(current.begin(), current.begin() + 3, recorded.begin())) {
    std::printf("SKIPPED: references from another GL build; scripts/record-frame-hashes.sh\n"
                "re-records them on this one: %s, %s\n", current[0].c_str(), current[1].c_str());
    return statusSkipped;
  }
  const std::set<std::string> references(recorded.begin() + 3, recorded.end()),
      rendered(current.begin() + 3, current.end());
  const int differing = printMissing(references, rendered, "changed or not rendered") +
                        printMissing(rendered, references, "changed or not referenced");
  std::printf(differing ? "the shots differ from the references\n"
                        : "all shots are identical to the references\n");
  return differing ? 1 : 0;
}

}  // namespace

// Hashes the shots first, then opens GL only to name its build.
int main(int argc, char** argv) {
  const std::string mode = argc == 5 ? argv[1] : "";
  if (mode != "check" && mode != "record") {
    std::fprintf(stderr, "usage: kesh-frame-identity check|record REFS SHOT_DIR MESA_PACKAGE\n");
    return 2;
  }
  std::vector<std::string> shots;
  if (!shotLines(argv[3], shots)) {
    std::fprintf(stderr, "kesh-frame-identity: no readable shots in %s\n", argv[3]);
    return 1;
  }
  if (!openToolWindow("kesh frame identity", 64, 64)) return 1;
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
