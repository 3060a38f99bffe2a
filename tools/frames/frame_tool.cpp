// kesh-frames: runs the real program's start-up with a fixed seed (1, or
// --seed N) in a window, drives its idle and display callbacks and its input
// frame by frame, and writes PNG shots of a fixed storyboard; or, with --models, a contact sheet
// of every model; or, with --icon, the program's icons cut from one shot.
// Every start-up step and every frame is checked for GL errors; any error
// is reported with its step or frame and makes the run fail. --sparse draws
// only the shots' frames (the others run their idle step alone), for slow
// runs such as under valgrind.
//
//   kesh-frames [--out DIR] [--only NAME]... [--list] [--sparse] [--seed N]
//   kesh-frames --models [--out DIR]
//   kesh-frames --icon DIR
#include <GL/gl.h>

#include <getopt.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/controller.h"
#include "app/frame.h"
#include "app/input.h"
#include "app/startup.h"
#include "app/tour.h"
#include "app/window.h"
#include "platform/clock.h"
#include "tools/common/framebuffer.h"
#include "tools/common/tool_window.h"
#include "tools/frames/icon.h"
#include "tools/frames/model_sheet.h"
#include "tools/frames/storyboard.h"

namespace {

struct Options {
  std::string outDir = "frames";
  std::vector<std::string> only;
  bool list = false;
  bool models = false;
  bool icon = false;
  bool sparse = false;
  unsigned int seed = 1;  // the random stream's seed: bursts and drops repeat with it
};

std::string pendingShot;  // path of the shot the next swap captures
void (*realSwap)() = nullptr;
bool writeFailed = false;
std::string iconDir;  // set when the shot taken is cut into icons there

int glErrors = 0;     // GL errors seen since start-up began

void skipSleep(uint32_t) {}

// Reports every pending GL error as found after where.
void checkGl(const std::string& where) {
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError()) {
    std::fprintf(stderr, "kesh-frames: GL error 0x%04x after %s\n", error, where.c_str());
    ++glErrors;
  }
}

// Start-up observer: checks GL after the step just done.
void checkStartUpStep(const char* step) { checkGl(std::string("start-up step: ") + step); }

// Swap hook: captures the finished frame from the back buffer, then swaps.
void captureThenSwap() {
  if (!pendingShot.empty()) {
    const RgbImage frame = readBackBuffer(windowWidth, windowHeight);
    if (!(iconDir.empty() ? writePng(pendingShot, frame) : writeIcons(iconDir, frame))) {
      writeFailed = true;
    }
    pendingShot.clear();
  }
  realSwap();
}

void runFrame() {
  idleUpdate();
  displayFrame();
}

void callMenu(StoryMenu menu, int value) {
  switch (menu) {
    case StoryMenu::main: mainMenuSelected(value); break;
    case StoryMenu::wind: windMenuSelected(value); break;
    case StoryMenu::earth: earthMenuSelected(value); break;
    case StoryMenu::fire: fireMenuSelected(value); break;
    case StoryMenu::water: waterMenuSelected(value); break;
  }
}

bool wanted(const Options& options, const char* name) {
  if (options.only.empty()) return true;
  for (const std::string& only : options.only) {
    if (only == name) return true;
  }
  return false;
}

const char* const usage =
    "usage: kesh-frames [--out DIR] [--only NAME]... [--list] [--sparse] [--seed N]\n"
    "       kesh-frames --models [--out DIR]\n"
    "       kesh-frames --icon DIR\n";

// Reads the command line with getopt_long; false (after the usage) on a
// mistake.
bool parseOptions(int argc, char** argv, Options& options) {
  enum { outCode = 256, onlyCode, listCode, sparseCode, modelsCode, iconCode, seedCode };
  static const option longOptions[] = {
      {"out", required_argument, nullptr, outCode},
      {"only", required_argument, nullptr, onlyCode},
      {"list", no_argument, nullptr, listCode},
      {"sparse", no_argument, nullptr, sparseCode},
      {"models", no_argument, nullptr, modelsCode},
      {"icon", required_argument, nullptr, iconCode},
      {"seed", required_argument, nullptr, seedCode},
      {nullptr, 0, nullptr, 0},
  };
  for (int code; (code = getopt_long(argc, argv, "", longOptions, nullptr)) != -1;) {
    switch (code) {
      case outCode:
        options.outDir = optarg;
        break;
      case onlyCode:
        options.only.push_back(optarg);
        break;
      case listCode:
        options.list = true;
        break;
      case sparseCode:
        options.sparse = true;
        break;
      case modelsCode:
        options.models = true;
        break;
      case iconCode:
        options.icon = true;
        options.outDir = optarg;
        options.only = {iconShot};
        break;
      case seedCode: {
        char* end = nullptr;
        errno = 0;
        const unsigned long long seed = std::strtoull(optarg, &end, 10);
        if (*optarg == '\0' || *optarg == '-' || *end != '\0' || errno != 0 || seed > UINT_MAX) {
          std::fprintf(stderr, "kesh-frames: --seed needs a whole number from 0 to %u, not '%s'\n",
                       UINT_MAX, optarg);
          return false;
        }
        options.seed = static_cast<unsigned int>(seed);
        break;
      }
      default:
        std::fputs(usage, stderr);
        return false;
    }
  }
  if (optind < argc) {
    std::fputs(usage, stderr);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) return 2;
  if (options.list) {
    for (const StoryStep& step : storyboard()) {
      if (step.kind == StepKind::shot) std::printf("%s\n", step.name);
    }
    return 0;
  }
  if (mkdir(options.outDir.c_str(), 0755) != 0 && errno != EEXIST) {
    std::fprintf(stderr, "kesh-frames: cannot create %s\n", options.outDir.c_str());
    return 1;
  }
  if (options.models) return writeModelSheets(options.outDir);
  if (options.icon) iconDir = options.outDir;

  std::srand(options.seed);
  replaceSleepFunction(skipSleep);  // the intro's pause changes nothing drawn
  int glutArgc = 1;
  startUpStepDone = checkStartUpStep;
  startUp(&glutArgc, argv);
  if (!waitUntilWindowShown()) {
    std::fprintf(stderr, "kesh-frames: the window never appeared on the display\n");
    return 1;
  }
  checkGl("the window was shown");
  realSwap = windowCalls.swapBuffers;
  windowCalls.swapBuffers = captureThenSwap;

  int shots = 0;
  int frame = 0;
  for (const StoryStep& step : storyboard()) {
    switch (step.kind) {
      case StepKind::advance:
        for (int i = 0; i < step.value; ++i) {
          ++frame;
          if (options.sparse) {
            idleUpdate();
            continue;
          }
          runFrame();
          checkGl("frame " + std::to_string(frame));
        }
        break;
      case StepKind::shot:
        if (wanted(options, step.name)) {
          pendingShot = options.outDir + "/" + step.name + ".png";
          ++shots;
        }
        runFrame();
        checkGl("frame " + std::to_string(++frame) + " (shot " + step.name + ")");
        break;
      case StepKind::key:
        keyPressed(static_cast<unsigned char>(step.value), 0, 0);
        break;
      case StepKind::special:
        specialKeyPressed(step.value, 0, 0);
        break;
      case StepKind::menu:
        callMenu(step.menu, step.value);
        break;
      case StepKind::tour:
        startTour();
        break;
    }
  }
  if (glErrors > 0) {
    std::fprintf(stderr, "kesh-frames: %d GL errors\n", glErrors);
    return 1;
  }
  if (writeFailed) return 1;
  std::printf("kesh-frames: wrote %d shots to %s\n", shots, options.outDir.c_str());
  return 0;
}
