// The benchmark's results and their Markdown report: the frame table with
// each case's floor, the own-work table with each piece's share of a frame,
// start-up and memory, and the machine they were measured on.
#pragma once
#include <string>
#include <vector>

#include "tools/bench/frame_stats.h"
#include "tools/bench/own_work.h"

// A case's frames drawn one way, summarised.
struct FrameFigures {
  FrameStats frame;
  FrameStats floor;
  double mainCpu = 0.0;  // the main thread's CPU milliseconds, median frame
  double allCpu = 0.0;   // all threads' CPU milliseconds, median frame
};

struct CaseResult {
  std::string name;
  FrameFigures current;
  FrameFigures earlier;  // no frames unless the run compared
  std::vector<double> partMedians;  // per frame part, in the report's partNames order
};

// One step of start-up as it ended: milliseconds from process start and the
// resident memory then.
struct StartupStep {
  std::string name;
  double milliseconds = 0.0;
  double residentMib = 0.0;
};

struct StartupResult {
  std::vector<StartupStep> steps;  // in order, ending with the first frame
  double processToFirstFrame = -1.0;       // milliseconds; negative: unknown
  double mainToFirstFrame = 0.0;
  double processToFirstStageFrame = -1.0;  // with the intro's pause skipped
  int introFrames = 0;                     // frames up to the first stage frame
  double peakResidentMib = 0.0;
};

struct MachineInfo {
  std::string cpu;
  int cores = 0;
  std::string renderer;  // GL_RENDERER
  std::string version;   // GL_VERSION, which names the Mesa release
  double loadBefore = -1.0;   // one-minute load average as the run began
  double othersShare = 0.0;   // share of all cores other processes used during the run
  std::string date;
};

struct BenchReport {
  MachineInfo machine;
  std::string earlierDrawing;  // how the earlier way drew, for the comparison's heading
  int frames = 0;
  int warmup = 0;
  int floorBlock = 0;
  StartupResult startup;
  std::vector<CaseResult> cases;
  std::vector<std::string> partNames;  // the parts a frame was timed in, drawing order
  std::vector<OwnWorkTiming> ownWork;  // empty when the micro-benchmarks were skipped
};

// The own work that runs in every frame of the case, in milliseconds.
double ownWorkPerFrame(const std::vector<OwnWorkTiming>& ownWork, const std::string& caseName);

// The whole report as Markdown, between the two marker lines below.
std::string formatReport(const BenchReport& report);

// The lines that enclose the generated report inside a longer document.
extern const char* const reportBeginMarker;
extern const char* const reportEndMarker;

// The document with the text between its markers replaced by report (which
// carries its own markers); a document without both markers, in order, is
// replaced as a whole.
std::string spliceReport(const std::string& document, const std::string& report);
