#include "tools/bench/report.h"

#include <cstdarg>
#include <cstdio>

#include "tools/bench/units.h"

const char* const reportBeginMarker = "<!-- kesh-bench report: begin -->";
const char* const reportEndMarker = "<!-- kesh-bench report: end -->";

namespace {

constexpr int lineBufferSize = 512;

// printf-style formatting into a std::string.
std::string format(const char* pattern, ...) {
  char buffer[lineBufferSize];
  va_list arguments;
  va_start(arguments, pattern);
  std::vsnprintf(buffer, sizeof buffer, pattern, arguments);
  va_end(arguments);
  return buffer;
}

// Whether the work runs in the named case.
bool runsIn(const OwnWorkTiming& work, const std::string& caseName) {
  for (const std::string& name : work.cases) {
    if (name == caseName) return true;
  }
  return false;
}

// A time as a percentage of a frame time.
double shareOf(double milliseconds, double frameMilliseconds) {
  return frameMilliseconds > 0.0 ? percent * milliseconds / frameMilliseconds : 0.0;
}

// When and on what the figures were measured, and how.
std::string machineSection(const BenchReport& r) {
  const MachineInfo& m = r.machine;
  std::string text;
  text += format("Measured %s by `kesh-bench` (`make bench`): the program's own start-up and\n",
                 m.date.c_str());
  text += "callbacks, in a 1024 x 768 window on a private Xvfb display.\n\n";
  text += format("- CPU: %s, %d cores\n", m.cpu.c_str(), m.cores);
  text += format("- GL: %s; %s\n", m.renderer.c_str(), m.version.c_str());
  text += format("- Load average (1 min) before the run: %.2f; during it, other processes (Xvfb\n"
                 "  included) kept %.0f %% of the cores busy\n",
                 m.loadBefore, percent * m.othersShare);
  text += format("- Each case: %d frames measured (each way, where compared) after %d warm-up\n"
                 "  frames; a block of %d floor frames follows every %d measured frames\n\n",
                 r.frames, r.warmup, r.floorBlock, r.floorBlock);
  return text;
}

// One row per case: the frame times, the floor, the CPU and the own work.
std::string frameSection(const BenchReport& r) {
  if (r.cases.empty()) return "";
  std::string text =
      "## Frames\n\n"
      "A frame is one idle step and one display with its swap, finished with glFinish.\n"
      "The floor is a frame that only draws the opening (clear and backdrop) and swaps,\n"
      "measured in the same run. Main thread CPU is the program's own thread; all threads\n"
      "adds the renderer's threads, so all threads over the number of cores is the\n"
      "least time the frame could take. Own work is the sum of the micro-benchmarks\n"
      "below that run in every frame of the case.\n\n"
      "| Case | Median ms | p90 ms | p99 ms | p99 / median | fps | Floor ms | Floor fps "
      "| Main thread CPU ms | All threads CPU ms | Own work ms | Own share |\n"
      "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
  for (const CaseResult& c : r.cases) {
    const FrameFigures& f = c.current;
    const double ratio = f.frame.median > 0.0 ? f.frame.p99 / f.frame.median : 0.0;
    std::string own = "| — | — ";
    if (!r.ownWork.empty()) {
      const double work = ownWorkPerFrame(r.ownWork, c.name);
      own = format("| %.3f | %.1f %% ", work, shareOf(work, f.frame.median));
    }
    text += format("| %s | %.1f | %.1f | %.1f | %.2f | %.1f | %.1f | %.1f | %.1f | %.1f %s|\n",
                   c.name.c_str(), f.frame.median, f.frame.p90, f.frame.p99, ratio,
                   framesPerSecond(f.frame.median), f.floor.median,
                   framesPerSecond(f.floor.median), f.mainCpu, f.allCpu, own.c_str());
  }
  return text + "\n";
}

// The same cases drawn the earlier way, block by block between the program's
// own frames, beside them.
std::string comparisonSection(const BenchReport& r) {
  bool any = false;
  for (const CaseResult& c : r.cases) any = any || c.earlier.frame.frames > 0;
  if (!any) return "";
  std::string text =
      "## Before and after\n\n"
      "Each case's frames alternated, ten at a time, between the way the program draws\n"
      "them and " + r.earlierDrawing + ". Medians, from this one run.\n\n"
      "| Case | Before ms | Before fps | Before p99 ms | Before main CPU ms | Before all CPU ms "
      "| Before floor ms | After ms | After fps | After p99 ms | After main CPU ms "
      "| After all CPU ms | After floor ms |\n"
      "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
  for (const CaseResult& c : r.cases) {
    if (c.earlier.frame.frames == 0) continue;
    text += format("| %s |", c.name.c_str());
    for (const FrameFigures* f : {&c.earlier, &c.current}) {
      text += format(" %.1f | %.1f | %.1f | %.1f | %.1f | %.1f |", f->frame.median,
                     framesPerSecond(f->frame.median), f->frame.p99, f->mainCpu, f->allCpu,
                     f->floor.median);
    }
    text += "\n";
  }
  return text + "\n";
}

// Medians of the part-timed frames, their sum, and the normal frame's median.
std::string partsSection(const BenchReport& r) {
  bool any = false;
  int above = 0, cases = 0;
  for (const CaseResult& c : r.cases) {
    if (c.partMedians.empty()) continue;
    any = true;
    double sum = 0.0;
    for (double part : c.partMedians) sum += part;
    ++cases;
    if (sum > c.current.frame.median) ++above;
  }
  if (!any || r.partNames.empty()) return "";
  std::string text =
      "## Where a frame's time goes\n\n"
      "Frames run again with glFinish before and after each scene's draw, so each part's\n"
      "drawing is finished, and timed, before the next starts (median ms per part). The\n"
      "front scene is drawn solid, the other three blended. Finished one by one, the\n"
      "parts no longer overlap in the renderer's threads; ";
  text += format("their sum is above the normal frame's\nmedian in %d of the %d cases.\n\n",
                 above, cases);
  text += "| Case |";
  std::string rule = "|---|";
  for (const std::string& name : r.partNames) {
    text += format(" %s |", name.c_str());
    rule += "---:|";
  }
  text += " Sum | Frame |\n" + rule + "---:|---:|\n";
  for (const CaseResult& c : r.cases) {
    if (c.partMedians.empty()) continue;
    text += format("| %s |", c.name.c_str());
    double sum = 0.0;
    for (double part : c.partMedians) {
      text += format(" %.1f |", part);
      sum += part;
    }
    text += format(" %.1f | %.1f |\n", sum, c.current.frame.median);
  }
  return text + "\n";
}

// One row per piece of own work, with its share of each case's frame.
std::string ownWorkSection(const BenchReport& r) {
  if (r.ownWork.empty()) return "";
  std::string text =
      "## Own work\n\n"
      "Google Benchmark, median real time per call over the repetitions. The draws run with\n"
      "every triangle culled: they time the calls that hand the geometry to GL, and GL\n"
      "gathering and transforming the vertices, but not their drawing. Each share is of\n"
      "the case's median frame.\n\n"
      "| Work | µs per call |";
  std::string rule = "|---|---:|";
  for (const CaseResult& c : r.cases) {
    text += format(" %s |", c.name.c_str());
    rule += "---:|";
  }
  text += "\n" + rule + "\n";
  for (const OwnWorkTiming& work : r.ownWork) {
    text += format("| %s | %.2f |", work.name.c_str(), work.microseconds);
    for (const CaseResult& c : r.cases) {
      if (!runsIn(work, c.name)) {
        text += " |";
        continue;
      }
      const double share =
          shareOf(work.microseconds / microsecondsPerMillisecond, c.current.frame.median);
      const char* when = work.occurs == Occurs::oncePerBurst ? " (one frame per burst)" : "";
      text += format(" %.1f %%%s |", share, when);
    }
    text += "\n";
  }
  return text + "\n";
}

// Start-up times and peak memory.
std::string startupSection(const BenchReport& r) {
  const StartupResult& s = r.startup;
  std::string text =
      "## Start-up and memory\n\n"
      "| Figure | Value |\n"
      "|---|---:|\n";
  text += format("| Process start to the first frame | %.0f ms |\n", s.processToFirstFrame);
  text += format("| main() to the first frame | %.0f ms |\n", s.mainToFirstFrame);
  text += format("| Process start to the first stage frame (%d intro frames, the 1.5 s pause "
                 "skipped) | %.0f ms |\n",
                 s.introFrames, s.processToFirstStageFrame);
  text += format("| Peak resident memory (start-up and every case's frames) | %.1f MiB |\n",
                 s.peakResidentMib);
  if (s.steps.empty()) return text + "\n";
  text +=
      "\nStart-up step by step: when each step ended, counted from the process's start,\n"
      "what it took, and the resident memory then.\n\n"
      "| Step | Ended at ms | Took ms | Resident MiB |\n"
      "|---|---:|---:|---:|\n";
  double previous = 0.0;
  for (const StartupStep& step : s.steps) {
    text += format("| %s | %.1f | %.1f | %.1f |\n", step.name.c_str(), step.milliseconds,
                   step.milliseconds - previous, step.residentMib);
    previous = step.milliseconds;
  }
  return text + "\n";
}

}  // namespace

// Work that runs once per burst is left out: it is not in every frame.
double ownWorkPerFrame(const std::vector<OwnWorkTiming>& ownWork, const std::string& caseName) {
  double total = 0.0;
  for (const OwnWorkTiming& work : ownWork) {
    if (work.occurs == Occurs::everyFrame && runsIn(work, caseName)) total += work.microseconds;
  }
  return total / microsecondsPerMillisecond;
}

// The sections in reading order, between the markers.
std::string formatReport(const BenchReport& report) {
  return std::string(reportBeginMarker) + "\n" + machineSection(report) + frameSection(report) +
         comparisonSection(report) + partsSection(report) + ownWorkSection(report) +
         startupSection(report) + reportEndMarker + "\n";
}

// Keeps the text before the begin marker and after the end marker's line.
std::string spliceReport(const std::string& document, const std::string& report) {
  const size_t begin = document.find(reportBeginMarker);
  const size_t endMarker = document.find(reportEndMarker);
  if (begin == std::string::npos || endMarker == std::string::npos || endMarker < begin) {
    return report;
  }
  size_t end = endMarker + std::string(reportEndMarker).size();
  if (end < document.size() && document[end] == '\n') ++end;
  return document.substr(0, begin) + report + document.substr(end);
}
