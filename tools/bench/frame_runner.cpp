#include "tools/bench/frame_runner.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <utility>

#include "app/backdrop_cache.h"
#include "app/controller.h"
#include "app/frame.h"
#include "app/input.h"
#include "app/scene_controller.h"
#include "app/window.h"
#include "scenes/fire/fire_state.h"
#include "scenes/intro/intro.h"
#include "tools/bench/frame_parts.h"
#include "tools/bench/units.h"

namespace {

using Clock = std::chrono::steady_clock;

// Frames a turn of the stage and the camera's return may take at most.
constexpr int settleFrameLimit = 400;
// Frames the intro runs at most before its end is reported as missing.
constexpr int introFrameLimit = 1000;
// Drops made when water comes to the front, so its ripples are live.
constexpr int waterDrops = 3;
// A case gives up when it has run this many times its frames without
// counting enough of them (a burst that never starts, an intro that never
// shows).
constexpr int runawayFactor = 10;

// Wall milliseconds from start to now.
double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// CPU milliseconds a clock (this thread's, or the whole process's) has counted.
double cpuMilliseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) * millisecondsPerSecond +
         static_cast<double>(now.tv_nsec) / nanosecondsPerMillisecond;
}

// A case: how it brings its scene into place, what it does before each frame,
// and whether the frame just drawn shows what the case measures.
struct FrameCase {
  const char* name;
  bool stage;  // draws the stage and its scenes, so its parts can be timed
  bool (*prepare)();
  void (*beforeFrame)();
  bool (*counts)();
};

// No turn of the stage under way and the camera at rest.
bool settled() {
  const SceneController& c = sceneController;
  return !c.turningForward && !c.turningBack && !c.turnDouble && c.travelMode == travelNone;
}

// Ends the intro if it still runs, presses the scene's key and runs frames
// until the stage has turned the scene to the front and the camera is home.
bool bringToFront(int scene, unsigned char key) {
  if (!finishIntro()) return false;
  keyPressed(key, 0, 0);
  for (int i = 0; i < settleFrameLimit; ++i) {
    runProgramFrame();
    if (settled() && frontScene() == scene) return true;
  }
  std::fprintf(stderr, "kesh-bench: scene %d never came to the front\n", scene);
  return false;
}

// The intro from its first frame again, as start-up left it.
void restartIntro() {
  introState = IntroState{};
  sceneController.introActive = 1;
}

// The intro case replays the intro whenever it has ended; only frames that
// draw it count.
bool prepareIntro() {
  restartIntro();
  return true;
}
// Starts the intro again once it has handed over.
void replayIntro() {
  if (!sceneController.introActive) restartIntro();
}
// Counts frames that draw the intro.
bool introShown() { return sceneController.introActive != 0; }

// The stage cases bring their scene to the front with its key.
bool prepareWind() { return bringToFront(windScene, '1'); }
bool prepareEarth() { return bringToFront(earthScene, '2'); }
bool prepareFire() { return bringToFront(fireScene, '3'); }
// Water also gets a few drops, so its ripples are live.
bool prepareWater() {
  if (!bringToFront(waterScene, '4')) return false;
  for (int i = 0; i < waterDrops; ++i) keyPressed('d', 0, 0);
  return true;
}

// Cases that need nothing before a frame and count every frame.
void nothingBefore() {}
bool always() { return true; }

// Reset and Explode again once a burst is over, as a user would.
void keepBursting() {
  if (fireState.burstFramesLeft <= 0 && !fireState.exploding) {
    keyPressed('r', 0, 0);
    keyPressed('c', 0, 0);
  }
}
// Only frames that draw the burst count.
bool burstShown() { return fireState.burstFramesLeft > 0; }

const FrameCase frameCases[] = {
    {introCase, false, prepareIntro, replayIntro, introShown},
    {windCase, true, prepareWind, nothingBefore, always},
    {earthCase, true, prepareEarth, nothingBefore, always},
    {fireCase, true, prepareFire, nothingBefore, always},
    {burstCase, true, prepareFire, keepBursting, burstShown},
    {waterCase, true, prepareWater, nothingBefore, always},
};

// Whether the case is among those asked for (all when none are named).
bool isWanted(const std::vector<std::string>& only, const char* name) {
  if (only.empty()) return true;
  for (const std::string& wanted : only) {
    if (wanted == name) return true;
  }
  return false;
}

// A block of floor frames, each timed.
void runFloorBlock(int frames, FrameSamples& samples) {
  for (int i = 0; i < frames; ++i) {
    const Clock::time_point start = Clock::now();
    runFloorFrame();
    samples.floor.push_back(millisecondsSince(start));
  }
}

// Warm-up, then the measured frames in blocks, each block followed by as many
// floor frames drawn the same way. A comparing run alternates the two ways
// block by block, so both see the same machine. Frames the case does not
// count run unmeasured. False when the case runs away without counting
// enough frames.
bool measureCase(const FrameCase& frameCase, const RunSettings& settings, CaseSamples& samples) {
  samples.name = frameCase.name;
  const int ways = settings.compare ? 2 : 1;
  const int wanted = ways * settings.frames;
  int warmupLeft = settings.warmup;
  int counted = 0;
  const int frameLimit = runawayFactor * (settings.warmup + wanted);
  useDrawing(Drawing::current);
  for (int run = 0; counted < wanted; ++run) {
    if (run == frameLimit) return false;
    const bool earlier = settings.compare && (counted / settings.floorBlock) % 2 == 1;
    FrameSamples& into = earlier ? samples.earlier : samples.current;
    useDrawing(earlier ? Drawing::earlier : Drawing::current);
    frameCase.beforeFrame();
    const double mainStart = cpuMilliseconds(CLOCK_THREAD_CPUTIME_ID);
    const double allStart = cpuMilliseconds(CLOCK_PROCESS_CPUTIME_ID);
    const Clock::time_point start = Clock::now();
    runProgramFrame();
    const double wall = millisecondsSince(start);
    const double mainCpu = cpuMilliseconds(CLOCK_THREAD_CPUTIME_ID) - mainStart;
    const double allCpu = cpuMilliseconds(CLOCK_PROCESS_CPUTIME_ID) - allStart;
    if (!frameCase.counts()) continue;
    if (warmupLeft > 0) {
      --warmupLeft;
      continue;
    }
    into.frame.push_back(wall);
    into.mainCpu.push_back(mainCpu);
    into.allCpu.push_back(allCpu);
    if (++counted % settings.floorBlock == 0) runFloorBlock(settings.floorBlock, into);
  }
  useDrawing(Drawing::current);
  return true;
}

// The same scene, timed part by part; false when the case runs away.
bool measureParts(const FrameCase& frameCase, const RunSettings& settings, CaseSamples& samples) {
  if (!frameCase.stage) return true;
  const int frameLimit = runawayFactor * settings.partFrames;
  for (int run = 0; static_cast<int>(samples.parts.size()) < settings.partFrames; ++run) {
    if (run == frameLimit) return false;
    frameCase.beforeFrame();
    std::vector<double> parts = runPartTimedFrame();
    if (frameCase.counts()) samples.parts.push_back(std::move(parts));
  }
  return true;
}

}  // namespace

void useDrawing(Drawing drawing) {
  const int current = drawing == Drawing::current ? 1 : 0;
  frameOptions.handOver = current;
  backdropCache.enabled = current;
}

// The frame as the GLUT loop runs it, finished so its time is all counted.
void runProgramFrame() {
  idleUpdate();
  displayFrame();
  glFinish();
}

// The same opening calls as every frame of the program, then the swap.
void runFloorFrame() {
  clearAndDrawBackdrop();
  windowCalls.swapBuffers();
  glFinish();
}

// Frames until the intro has handed over to the stage.
bool finishIntro() {
  for (int i = 0; i < introFrameLimit && sceneController.introActive; ++i) runProgramFrame();
  return !sceneController.introActive;
}

// Each wanted case in order: into place, measured, timed part by part.
std::vector<CaseSamples> runFrameCases(const RunSettings& settings,
                                       const std::vector<std::string>& only) {
  std::vector<CaseSamples> results;
  for (const FrameCase& frameCase : frameCases) {
    if (!isWanted(only, frameCase.name)) continue;
    std::fprintf(stderr, "kesh-bench: %s\n", frameCase.name);
    CaseSamples samples;
    if (!frameCase.prepare()) return {};
    if (!measureCase(frameCase, settings, samples) || !measureParts(frameCase, settings, samples)) {
      std::fprintf(stderr, "kesh-bench: %s never showed what it measures\n", frameCase.name);
      return {};
    }
    results.push_back(std::move(samples));
  }
  if (results.empty()) {
    std::fprintf(stderr, "kesh-bench: no case of that name; the cases are:");
    for (const FrameCase& frameCase : frameCases) std::fprintf(stderr, " \"%s\"", frameCase.name);
    std::fprintf(stderr, "\n");
  }
  return results;
}
