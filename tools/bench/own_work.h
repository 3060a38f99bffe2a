// Micro-benchmarks (Google Benchmark) of the program's own CPU work per
// frame, run in the benchmark's GL context after the frame cases.
#pragma once
#include <string>
#include <vector>

// How often a piece of work runs in the cases it belongs to.
enum class Occurs { everyFrame, oncePerBurst };

struct OwnWorkTiming {
  std::string name;
  double microseconds = 0.0;  // median real time per call
  Occurs occurs = Occurs::everyFrame;
  std::vector<std::string> cases;  // the frame cases it runs in
};

// Runs the micro-benchmarks whose names match filter (a Google Benchmark
// filter; empty for all): each repeated repetitions times for at least
// minSeconds, reporting the median; those not run report 0. GL draws run with every triangle culled,
// so they time the calls that hand the geometry to GL, not its drawing.
// Leaves the scenes' state changed (bursts fired, surface stepped).
std::vector<OwnWorkTiming> runOwnWorkBenchmarks(double minSeconds, int repetitions,
                                                const std::string& filter);
