// Summaries of a run of frame times: the median and the upper percentiles
// the frame budget is judged by.
#pragma once
#include <vector>

struct FrameStats {
  int frames = 0;
  double median = 0.0;  // milliseconds
  double p90 = 0.0;
  double p99 = 0.0;
  double worst = 0.0;
};

// The nearest-rank percentile (fraction 0 < f <= 1) of ascending samples:
// the smallest sample with at least f of all samples at or below it. Empty
// samples give 0.
double nearestRank(const std::vector<double>& ascending, double fraction);

// Median, p90, p99 and worst of the samples, in the samples' unit.
FrameStats summarise(std::vector<double> samples);

// Frames per second at a frame time in milliseconds; 0 for a time of 0.
double framesPerSecond(double milliseconds);
