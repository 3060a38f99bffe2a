#include "tests/frames/frame_references.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>

namespace {

constexpr uint64_t fnvOffsetBasis = 14695981039346656037ull;
constexpr uint64_t fnvPrime = 1099511628211ull;

constexpr const char* rendererKey = "renderer";
constexpr const char* versionKey = "version";
constexpr const char* packageKey = "mesa-package";
constexpr const char* shotKey = "shot";
// A hash is written as this many lower-case hex digits.
constexpr size_t hashDigits = 16;
constexpr int hashBase = 16;
constexpr size_t shotLineSize = 256;

const char* const fileComment =
    "# Pixel hashes (64-bit FNV-1a over the RGB rows, top to bottom) of the frame\n"
    "# tool's storyboard shots, drawn with the GL build named below. Re-record them\n"
    "# with scripts/record-frame-hashes.sh BUILD_DIR when a change to what is drawn\n"
    "# is intended (textures, models), or on another Mesa build.\n";

// "key rest of line": the rest, or false when the line has another key.
bool valueOf(const std::string& line, const char* key, std::string& value) {
  const std::string prefix = std::string(key) + " ";
  if (line.rfind(prefix, 0) != 0) return false;
  value = line.substr(prefix.size());
  return true;
}

// "NAME WIDTHxHEIGHT HASH": exactly three fields, the hash in 16 lower-case hex digits.
bool parseShot(const std::string& rest, ShotHash& shot) {
  std::istringstream fields(rest);
  std::string size;
  std::string hash;
  std::string extra;
  if (!(fields >> shot.name >> size >> hash) || (fields >> extra)) return false;
  char by = 0;
  std::istringstream sizeFields(size);
  if (!(sizeFields >> shot.width >> by >> shot.height) || by != 'x' || !sizeFields.eof()) {
    return false;
  }
  if (hash.size() != hashDigits || hash.find_first_not_of("0123456789abcdef") != std::string::npos) {
    return false;
  }
  shot.hash = std::stoull(hash, nullptr, hashBase);
  return shot.width > 0 && shot.height > 0;
}

// The shot of that name, or null.
const ShotHash* findShot(const std::vector<ShotHash>& shots, const std::string& name) {
  for (const ShotHash& shot : shots) {
    if (shot.name == name) return &shot;
  }
  return nullptr;
}

}  // namespace

uint64_t pixelHash(const RgbImage& image) {
  uint64_t hash = fnvOffsetBasis;
  for (uint8_t byte : image.pixels) {
    hash ^= byte;
    hash *= fnvPrime;
  }
  return hash;
}

// The comment, the three build lines, then one line per shot in the given order.
std::string formatReferences(const FrameReferences& references) {
  std::string text = fileComment;
  text += std::string(rendererKey) + " " + references.build.renderer + "\n";
  text += std::string(versionKey) + " " + references.build.version + "\n";
  text += std::string(packageKey) + " " + references.build.mesaPackage + "\n";
  for (const ShotHash& shot : references.shots) {
    char line[shotLineSize];
    std::snprintf(line, sizeof line, "%s %s %dx%d %016" PRIx64 "\n", shotKey, shot.name.c_str(),
                  shot.width, shot.height, shot.hash);
    text += line;
  }
  return text;
}

// Blank lines and comments are skipped; any other line must be known.
bool parseReferences(const std::string& text, FrameReferences& references, std::string& error) {
  references = FrameReferences{};
  bool haveRenderer = false;
  bool haveVersion = false;
  bool havePackage = false;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::string value;
    if (line.empty() || line[0] == '#') continue;
    if (valueOf(line, rendererKey, value)) {
      references.build.renderer = value;
      haveRenderer = true;
    } else if (valueOf(line, versionKey, value)) {
      references.build.version = value;
      haveVersion = true;
    } else if (valueOf(line, packageKey, value)) {
      references.build.mesaPackage = value;
      havePackage = true;
    } else {
      ShotHash shot;
      if (!valueOf(line, shotKey, value) || !parseShot(value, shot)) {
        error = "line " + std::to_string(number) + " cannot be read: " + line;
        return false;
      }
      references.shots.push_back(shot);
    }
  }
  if (!haveRenderer || !haveVersion || !havePackage) {
    error = "the renderer, version and mesa-package lines are not all there";
    return false;
  }
  return true;
}

// Each differing field as: key "was" is now "is", joined by "; ".
std::string buildDifference(const GlBuild& recorded, const GlBuild& current) {
  std::string difference;
  auto compare = [&difference](const char* what, const std::string& was, const std::string& is) {
    if (was != is) difference += std::string(what) + " \"" + was + "\" is now \"" + is + "\"; ";
  };
  compare(rendererKey, recorded.renderer, current.renderer);
  compare(versionKey, recorded.version, current.version);
  compare(packageKey, recorded.mesaPackage, current.mesaPackage);
  if (!difference.empty()) difference.resize(difference.size() - 2);
  return difference;
}

ShotComparison compareShots(const std::vector<ShotHash>& references,
                            const std::vector<ShotHash>& rendered) {
  ShotComparison result;
  for (const ShotHash& reference : references) {
    const ShotHash* shot = findShot(rendered, reference.name);
    if (!shot) {
      result.missing.push_back(reference.name);
    } else if (shot->width != reference.width || shot->height != reference.height ||
               shot->hash != reference.hash) {
      result.changed.push_back(reference.name);
    }
  }
  for (const ShotHash& shot : rendered) {
    if (!findShot(references, shot.name)) result.unreferenced.push_back(shot.name);
  }
  return result;
}
