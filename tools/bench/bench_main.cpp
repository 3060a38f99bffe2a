// kesh-bench: runs the program's real start-up and its idle and display
// callbacks in a window, times the frames of every scene and of the intro
// beside a floor frame, times the program's own per-frame work with
// micro-benchmarks, and prints a Markdown report; with --markdown it also
// writes the report into a document, between its marker lines.
//
//   kesh-bench [--frames N] [--warmup N] [--floor-block N] [--part-frames N]
//              [--micro-time SECONDS] [--repetitions N] [--no-micro]
//              [--micro-filter REGEX] [--no-frames] [--no-compare]
//              [--markdown FILE] [--case NAME]...
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/scene_controller.h"
#include "app/startup.h"
#include "platform/clock.h"
#include "tools/bench/frame_parts.h"
#include "tools/bench/frame_runner.h"
#include "tools/bench/own_work.h"
#include "tools/bench/process_info.h"
#include "tools/bench/report.h"
#include "tools/common/tool_window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int dateBufferSize = 64;

struct Options {
  RunSettings run;
  double microSeconds = 0.5;
  int repetitions = 5;
  bool micro = true;
  bool frames = true;
  std::string microFilter;  // a Google Benchmark filter; empty for all
  std::string markdownPath;
  std::vector<std::string> only;  // case names; empty for all
};

void skipSleep(uint32_t) {}

// Start-up's steps as they end, with the time and the memory then.
std::vector<StartupStep> startupSteps;
void noteStartupStep(const std::string& name) {
  startupSteps.push_back({name, millisecondsSinceProcessStart(), residentMebibytes()});
}
void noteProgramStep(const char* step) { noteStartupStep(step); }

// A number, which must be above 0 unless zero is allowed.
bool parseNumber(const char* text, bool zeroAllowed, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && (value > 0.0 || (zeroAllowed && value == 0.0));
}

// Options that take a number: where it goes, and whether 0 may be given.
struct NumberOption {
  const char* name;
  bool zeroAllowed;
  void (*store)(Options& options, double value);
};

const NumberOption numberOptions[] = {
    {"--frames", false, [](Options& o, double v) { o.run.frames = static_cast<int>(v); }},
    {"--warmup", true, [](Options& o, double v) { o.run.warmup = static_cast<int>(v); }},
    {"--floor-block", false, [](Options& o, double v) { o.run.floorBlock = static_cast<int>(v); }},
    {"--part-frames", true, [](Options& o, double v) { o.run.partFrames = static_cast<int>(v); }},
    {"--micro-time", false, [](Options& o, double v) { o.microSeconds = v; }},
    {"--repetitions", false, [](Options& o, double v) { o.repetitions = static_cast<int>(v); }},
};

// Stores the value of a number option; false for an unknown option or a bad value.
bool parseNumberOption(const std::string& arg, const char* text, Options& options) {
  for (const NumberOption& option : numberOptions) {
    double value = 0.0;
    if (arg != option.name) continue;
    if (!parseNumber(text, option.zeroAllowed, value)) return false;
    option.store(options, value);
    return true;
  }
  return false;
}

// Reads the command line into options; false for anything it does not know.
bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--no-micro") {
      options.micro = false;
    } else if (arg == "--no-compare") {
      options.run.compare = false;
    } else if (arg == "--no-frames") {
      options.frames = false;
    } else if (arg == "--micro-filter" && hasValue) {
      options.microFilter = argv[++i];
    } else if (arg == "--markdown" && hasValue) {
      options.markdownPath = argv[++i];
    } else if (arg == "--case" && hasValue) {
      options.only.push_back(argv[++i]);
    } else if (!hasValue || !parseNumberOption(arg, argv[++i], options)) {
      return false;
    }
  }
  return true;
}

// A GL string, or "unknown" when GL gives none.
std::string glText(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text ? text : "unknown";
}

// The local date and time, to the minute.
std::string today() {
  char buffer[dateBufferSize];
  const std::time_t now = std::time(nullptr);
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M", std::localtime(&now));
  return buffer;
}

// Frames drawn one way, reduced to the report's figures.
FrameFigures summariseFrames(const FrameSamples& samples) {
  FrameFigures figures;
  figures.frame = summarise(samples.frame);
  figures.floor = summarise(samples.floor);
  figures.mainCpu = summarise(samples.mainCpu).median;
  figures.allCpu = summarise(samples.allCpu).median;
  return figures;
}

// A case's samples reduced to the report's figures.
CaseResult summariseCase(const CaseSamples& samples) {
  CaseResult result;
  result.name = samples.name;
  result.current = summariseFrames(samples.current);
  result.earlier = summariseFrames(samples.earlier);
  if (!samples.parts.empty()) {
    for (size_t part = 0; part < samples.parts.front().size(); ++part) {
      std::vector<double> times;
      for (const std::vector<double>& frame : samples.parts) times.push_back(frame[part]);
      result.partMedians.push_back(summarise(times).median);
    }
  }
  return result;
}

// Puts the report into the document at path (created if missing).
bool writeDocument(const std::string& path, const std::string& report) {
  std::ifstream in(path);
  std::ostringstream existing;
  if (in) existing << in.rdbuf();
  std::ofstream out(path, std::ios::trunc);
  out << spliceReport(existing.str(), report);
  out.close();
  if (!out) std::fprintf(stderr, "kesh-bench: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace

// Start-up as the program does it, the frame cases, the micro-benchmarks, the report.
int main(int argc, char** argv) {
  const Clock::time_point mainStart = Clock::now();
  Options options;
  if (!parseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: kesh-bench [--frames N] [--warmup N] [--floor-block N] [--part-frames N]\n"
                 "                  [--micro-time SECONDS] [--repetitions N] [--no-micro]\n"
                 "                  [--micro-filter REGEX] [--no-frames] [--no-compare]\n"
                 "                  [--markdown FILE] [--case NAME]...\n");
    return 2;
  }
  BenchReport report;
  report.earlierDrawing =
      "the way it drew them before:\nhanded to the renderer in one piece, the opening "
      "drawn in full every frame";
  report.frames = options.run.frames;
  report.warmup = options.run.warmup;
  report.floorBlock = options.run.floorBlock;
  report.machine.loadBefore = loadAverage();
  const CpuUse cpuBefore = cpuUseNow();

  // Start-up as the program does it, with a fixed seed; the intro's pause is
  // skipped so the time to the first stage frame counts only frames.
  std::srand(benchSeed);
  replaceSleepFunction(skipSleep);
  int glutArgc = 1;
  noteStartupStep("main() entered");
  startUpStepDone = noteProgramStep;
  startUp(&glutArgc, argv);
  startUpStepDone = nullptr;
  if (!waitUntilWindowShown()) {
    std::fprintf(stderr, "kesh-bench: the window never appeared on the display\n");
    return 1;
  }
  noteStartupStep("window shown");
  runProgramFrame();
  noteStartupStep("first frame drawn");
  StartupResult& startup = report.startup;
  startup.steps = startupSteps;
  startup.processToFirstFrame = millisecondsSinceProcessStart();
  startup.mainToFirstFrame =
      std::chrono::duration<double, std::milli>(Clock::now() - mainStart).count();
  startup.introFrames = 1;
  while (sceneController.introActive) {
    runProgramFrame();
    ++startup.introFrames;
  }
  startup.processToFirstStageFrame = millisecondsSinceProcessStart();

  if (options.frames) {
    const std::vector<CaseSamples> samples = runFrameCases(options.run, options.only);
    if (samples.empty()) return 1;
    for (const CaseSamples& s : samples) report.cases.push_back(summariseCase(s));
    report.partNames = framePartNames();
  }
  // Before the micro-benchmarks, whose culled draws make GL's buffers grow.
  startup.peakResidentMib = peakResidentMebibytes();
  if (options.micro) {
    std::fprintf(stderr, "kesh-bench: micro-benchmarks\n");
    report.ownWork =
        runOwnWorkBenchmarks(options.microSeconds, options.repetitions, options.microFilter);
  }

  MachineInfo& machine = report.machine;
  machine.cpu = cpuModelName();
  machine.cores = onlineCores();
  machine.renderer = glText(GL_RENDERER);
  machine.version = glText(GL_VERSION);
  const double wallSeconds =
      std::chrono::duration<double>(Clock::now() - mainStart).count();
  machine.othersShare = othersShare(cpuBefore, cpuUseNow(), wallSeconds, machine.cores);
  machine.date = today();

  const std::string text = formatReport(report);
  std::fputs(text.c_str(), stdout);
  if (!options.markdownPath.empty() && !writeDocument(options.markdownPath, text)) return 1;
  return 0;
}
