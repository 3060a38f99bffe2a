#include "tools/bench/frame_parts.h"

#include <GL/gl.h>

#include <chrono>

#include "app/frame.h"
#include "app/scene_controller.h"
#include "tools/bench/frame_runner.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int sceneParts = 4;
const char* const sceneNames[sceneCount] = {"wind", "earth", "fire", "water"};

void (*realDraws[sceneParts])();
Clock::time_point sceneStart[sceneParts];
Clock::time_point sceneEnd[sceneParts];

// Stands in for the scene draw in slot k of the frame's scene list.
template <int k>
void timedDraw() {
  glFinish();
  sceneStart[k] = Clock::now();
  realDraws[k]();
  glFinish();
  sceneEnd[k] = Clock::now();
}

void (*const timedDraws[sceneParts])() = {timedDraw<0>, timedDraw<1>, timedDraw<2>, timedDraw<3>};

// Wall milliseconds between two readings.
double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

}  // namespace

// Named from the frame's own scene list, so the order is always the drawing order.
std::vector<std::string> framePartNames() {
  std::vector<std::string> names = {"clear, backdrop, stage, markers"};
  for (const FrameScene& entry : frameScenes) names.push_back(sceneNames[entry.scene]);
  names.push_back("swap");
  return names;
}

// Swaps the timing stand-ins into the scene list for one frame.
std::vector<double> runPartTimedFrame() {
  for (int k = 0; k < sceneParts; ++k) {
    realDraws[k] = frameScenes[k].draw;
    frameScenes[k].draw = timedDraws[k];
  }
  const Clock::time_point start = Clock::now();
  runProgramFrame();
  const Clock::time_point end = Clock::now();
  for (int k = 0; k < sceneParts; ++k) frameScenes[k].draw = realDraws[k];

  std::vector<double> parts = {millisecondsBetween(start, sceneStart[0])};
  for (int k = 0; k < sceneParts; ++k) parts.push_back(millisecondsBetween(sceneStart[k], sceneEnd[k]));
  parts.push_back(millisecondsBetween(sceneEnd[sceneParts - 1], end));
  return parts;
}
