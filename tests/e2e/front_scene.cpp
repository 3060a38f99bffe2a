#include "tests/e2e/front_scene.h"

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <vector>

namespace {

constexpr int frontBoxX = 452, frontBoxY = 400, frontBoxWidth = 120, frontBoxHeight = 80;
constexpr int pollMs = 100;

using Clock = std::chrono::steady_clock;

}  // namespace

MeanColour frontColour(const RunningProgram& run) {
  std::vector<unsigned char> rgb;
  MeanColour mean;
  if (!run.grab(frontBoxX, frontBoxY, frontBoxWidth, frontBoxHeight, rgb)) return mean;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
    mean.r += rgb[i];
    mean.g += rgb[i + 1];
    mean.b += rgb[i + 2];
  }
  const double count = 255.0 * static_cast<double>(rgb.size() / 3);
  return {mean.r / count, mean.g / count, mean.b / count};
}

// The tree's leaves and trunk: green with red in it. The earth's water
// sheet: dark blue-green. The fireballs' grey stand or their yellow burst:
// bright, red and green alike. The pool: bright blue with green in it,
// unlike a dome's blue that fills the box as the camera travels.
const FrontScene frontScenes[frontSceneCount] = {
    {"wind", [](const MeanColour& c) { return c.g > c.b + 0.05 && c.r > 0.15; }},
    {"earth", [](const MeanColour& c) { return c.b > c.g - 0.02 && c.g > c.r + 0.04 && c.r < 0.15; }},
    {"fire", [](const MeanColour& c) { return c.r > 0.3 && c.b > 0.3 && std::abs(c.r - c.g) < 0.05; }},
    {"water", [](const MeanColour& c) { return c.b > c.g + 0.1 && c.g > c.r + 0.08 && c.b > 0.5; }},
};

bool waitForFront(const RunningProgram& run, const FrontScene& scene, MeanColour& seen) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(hangTimeoutMs);
  while (Clock::now() < deadline) {
    seen = frontColour(run);
    if (scene.seen(seen)) return true;
    usleep(pollMs * 1000);
  }
  return false;
}

bool seenInFrontWithin(RunningProgram& run, const FrontScene& scene, int frames,
                       int standingFrames) {
  const long last = run.framesReported() + frames;
  long seenSince = -1;  // frames reported when it was first seen without a break
  auto hung = Clock::now() + std::chrono::milliseconds(hangTimeoutMs);
  while (run.framesReported() < last && Clock::now() < hung) {
    if (!scene.seen(frontColour(run))) {
      seenSince = -1;
    } else if (seenSince < 0) {
      seenSince = run.framesReported();
    }
    if (seenSince >= 0 && run.framesReported() - seenSince >= standingFrames) {
      return true;
    }
    // Each new title means frames are being drawn.
    if (run.waitForTitleSettings(1, pollMs)) hung = Clock::now() + std::chrono::milliseconds(hangTimeoutMs);
  }
  return false;
}
