// Reference hashes of the frame tool's storyboard shots: one hash of each
// shot's pixels, recorded with the GL build that drew them. Frames are the
// same byte for byte on the same Mesa build, so a changed hash means a
// changed picture.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/png_image.h"

struct ShotHash {
  std::string name;
  int width = 0;
  int height = 0;
  uint64_t hash = 0;
};

// The GL build a set of frames was drawn with.
struct GlBuild {
  std::string renderer;     // GL_RENDERER
  std::string version;      // GL_VERSION
  std::string mesaPackage;  // the Debian package version of the driver
};

struct FrameReferences {
  GlBuild build;
  std::vector<ShotHash> shots;
};

// 64-bit FNV-1a over the image's RGB bytes, rows top to bottom.
uint64_t pixelHash(const RgbImage& image);

// The reference file's text: a comment, the build lines, one line per shot.
std::string formatReferences(const FrameReferences& references);

// Reads the text formatReferences writes; false with a message naming the
// line when a line cannot be read or a build line is missing.
bool parseReferences(const std::string& text, FrameReferences& references, std::string& error);

// Empty when the two builds are the same; otherwise says how they differ.
std::string buildDifference(const GlBuild& recorded, const GlBuild& current);

// How rendered shots compare with the references, each list by shot name.
struct ShotComparison {
  std::vector<std::string> changed;       // size or pixels differ
  std::vector<std::string> missing;       // referenced but not rendered
  std::vector<std::string> unreferenced;  // rendered but without a reference
  bool identical() const { return changed.empty() && missing.empty() && unreferenced.empty(); }
};

ShotComparison compareShots(const std::vector<ShotHash>& references,
                            const std::vector<ShotHash>& rendered);
