// The benchmark's figures and report: percentiles, the /proc readers, the
// own-work sums and shares, and the splice into a longer document.
#include <gtest/gtest.h>

#include <numeric>

#include "tools/bench/frame_stats.h"
#include "tools/bench/process_info.h"
#include "tools/bench/report.h"

namespace {

// 1, 2, ..., 100.
std::vector<double> oneToHundred() {
  std::vector<double> samples(100);
  std::iota(samples.begin(), samples.end(), 1.0);
  return samples;
}

TEST(FrameStats, NearestRankPercentiles) {
  const std::vector<double> samples = oneToHundred();
  EXPECT_EQ(nearestRank(samples, 0.5), 50.0);
  EXPECT_EQ(nearestRank(samples, 0.9), 90.0);
  EXPECT_EQ(nearestRank(samples, 0.99), 99.0);
  EXPECT_EQ(nearestRank(samples, 1.0), 100.0);
  // Ten samples: p99 needs rank 10, the slowest; the median is rank 5.
  const std::vector<double> ten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(nearestRank(ten, 0.99), 10.0);
  EXPECT_EQ(nearestRank(ten, 0.5), 5.0);
  EXPECT_EQ(nearestRank({7.0}, 0.01), 7.0);
  EXPECT_EQ(nearestRank({}, 0.5), 0.0);
}

TEST(FrameStats, SummaryDoesNotDependOnFrameOrder) {
  std::vector<double> samples = oneToHundred();
  std::reverse(samples.begin(), samples.end());
  std::swap(samples[3], samples[70]);
  const FrameStats stats = summarise(samples);
  EXPECT_EQ(stats.frames, 100);
  EXPECT_EQ(stats.median, 50.0);
  EXPECT_EQ(stats.p90, 90.0);
  EXPECT_EQ(stats.p99, 99.0);
  EXPECT_EQ(stats.worst, 100.0);
  EXPECT_EQ(summarise({}).frames, 0);
}

TEST(FrameStats, FramesPerSecond) {
  EXPECT_DOUBLE_EQ(framesPerSecond(20.0), 50.0);
  EXPECT_DOUBLE_EQ(framesPerSecond(25.0), 40.0);
  EXPECT_EQ(framesPerSecond(0.0), 0.0);
}

TEST(ProcessInfo, StartTicksAreFieldTwentyTwoAfterTheCommandName) {
  // A command name with a space and a closing parenthesis of its own.
  const std::string line =
      "4242 (kesh (x) bench) S 1 4242 4242 0 -1 4194304 100 0 0 0 5 3 0 0 20 0 3 0 "
      "987654 123456789 2000";
  EXPECT_EQ(startTicksFromStat(line), 987654);
  EXPECT_EQ(startTicksFromStat("4242 kesh S 1 2 3"), -1);
  EXPECT_EQ(startTicksFromStat("4242 (kesh) S 1 2 3"), -1);
  EXPECT_EQ(startTicksFromStat("1 (a) S 1 1 1 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 12x 1 1"), -1);
}

TEST(ProcessInfo, ModelNameFromCpuinfo) {
  const std::string cpuinfo =
      "processor\t: 0\n"
      "vendor_id\t: SomeVendor\n"
      "model name\t: Example CPU 9000 @ 3.0GHz\n"
      "processor\t: 1\n"
      "model name\t: Example CPU 9000 @ 3.0GHz\n";
  EXPECT_EQ(modelNameFromCpuinfo(cpuinfo), "Example CPU 9000 @ 3.0GHz");
  EXPECT_EQ(modelNameFromCpuinfo("processor\t: 0\nmodel\t: 1\n"), "");
}

TEST(ProcessInfo, BusyTicksAddAllButIdleAndIowait) {
  const std::string stat =
      "cpu  100 20 30 5000 40 5 6 7 0 0\n"
      "cpu0 50 10 15 2500 20 2 3 3 0 0\n"
      "intr 12345\n";
  EXPECT_EQ(busyTicksFromProcStat(stat), 100 + 20 + 30 + 5 + 6 + 7);
  EXPECT_EQ(busyTicksFromProcStat("cpu0 1 2 3 4 5 6 7 8\n"), -1) << "only the machine's line";
  EXPECT_EQ(busyTicksFromProcStat("cpu  1 2 3\n"), -1) << "a short line";
}

TEST(ProcessInfo, OthersShareIsTheMachinesBusyTimeLessOurOwn) {
  const CpuUse before{100.0, 10.0};
  // 10 s on 2 cores: the machine was busy 15 s, 12 s of them ours.
  EXPECT_DOUBLE_EQ(othersShare(before, {115.0, 22.0}, 10.0, 2), 0.15);
  EXPECT_EQ(othersShare(before, {105.0, 16.0}, 10.0, 2), 0.0) << "never below 0";
  EXPECT_EQ(othersShare(before, {200.0, 10.0}, 10.0, 2), 1.0) << "never above all cores";
  EXPECT_EQ(othersShare(before, {115.0, 22.0}, 0.0, 2), 0.0);
}

// Two stage cases, the intro without parts, three pieces of own work.
BenchReport sampleReport() {
  BenchReport report;
  report.frames = 300;
  report.warmup = 30;
  report.floorBlock = 10;
  report.machine = {"Example CPU", 2, "llvmpipe", "Mesa 22.3.6", 0.5, 0.125, "2024-01-02 03:04"};
  CaseResult wind;
  wind.name = "wind";
  wind.current.frame = {300, 20.0, 22.0, 25.0, 30.0};
  wind.current.floor = {300, 5.0, 5.5, 6.0, 7.0};
  wind.current.mainCpu = 8.0;
  wind.current.allCpu = 30.0;
  wind.earlier.frame = {300, 32.0, 35.0, 40.0, 45.0};
  wind.earlier.floor = {300, 7.5, 8.0, 8.5, 9.0};
  wind.earlier.mainCpu = 16.0;
  wind.earlier.allCpu = 44.0;
  wind.partMedians = {10.0, 1.5, 4.25, 0.5, 2.0, 0.5};
  CaseResult water = wind;
  water.name = "water";
  water.current.frame.median = 40.0;
  water.partMedians = {12.0, 2.0, 3.0, 0.5, 20.0, 0.75};
  CaseResult intro = wind;
  intro.name = "intro";
  intro.partMedians.clear();
  intro.earlier = FrameFigures{};
  report.cases = {wind, water, intro};
  report.partNames = {"start", "earth", "wind", "fire", "water", "swap"};
  report.ownWork = {
      {"both", 500.0, Occurs::everyFrame, {"wind", "water"}},
      {"water only", 1500.0, Occurs::everyFrame, {"water"}},
      {"rare", 4000.0, Occurs::oncePerBurst, {"water"}},
  };
  report.startup = {{{"main() entered", 12.0, 6.5}, {"textures", 60.5, 80.25}}, 180.0, 150.0,
                    2100.0, 158, 96.5};
  return report;
}

TEST(BenchReport, OwnWorkPerFrameSumsOnlyTheWorkOfEveryFrame) {
  const BenchReport report = sampleReport();
  EXPECT_DOUBLE_EQ(ownWorkPerFrame(report.ownWork, "wind"), 0.5);
  EXPECT_DOUBLE_EQ(ownWorkPerFrame(report.ownWork, "water"), 2.0);
  EXPECT_DOUBLE_EQ(ownWorkPerFrame(report.ownWork, "intro"), 0.0);
}

TEST(BenchReport, RowsCarryTheFloorAndTheShares) {
  const std::string text = formatReport(sampleReport());
  EXPECT_EQ(text.rfind(reportBeginMarker, 0), 0u);
  EXPECT_NE(text.find(std::string(reportEndMarker) + "\n"), std::string::npos);
  EXPECT_NE(text.find("Example CPU, 2 cores"), std::string::npos);
  EXPECT_NE(text.find("llvmpipe; Mesa 22.3.6"), std::string::npos);
  EXPECT_NE(text.find("before the run: 0.50; during it, other processes (Xvfb\n  included) kept 12 % "
                      "of the cores busy"),
            std::string::npos)
      << text;
  // Median, p90, p99, their ratio, fps; floor and its fps; the CPU of the
  // main thread and of all threads; own work and share.
  EXPECT_NE(
      text.find("| wind | 20.0 | 22.0 | 25.0 | 1.25 | 50.0 | 5.0 | 200.0 | 8.0 | 30.0 | 0.500 | 2.5 % |"),
      std::string::npos)
      << text;
  EXPECT_NE(
      text.find("| water | 40.0 | 22.0 | 25.0 | 0.62 | 25.0 | 5.0 | 200.0 | 8.0 | 30.0 | 2.000 | 5.0 % |"),
      std::string::npos)
      << text;
  // Before and after from the same run; a case measured one way only has no row.
  EXPECT_NE(text.find("| wind | 32.0 | 31.2 | 40.0 | 16.0 | 44.0 | 7.5 | 20.0 | 50.0 | 25.0 | 8.0 | "
                      "30.0 | 5.0 |"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("| intro | 0.0"), std::string::npos) << text;
  // Each piece of work: its time, then its share of each case's median frame.
  EXPECT_NE(text.find("| both | 500.00 | 2.5 % | 1.2 % | |"), std::string::npos) << text;
  EXPECT_NE(text.find("| water only | 1500.00 | | 3.8 % | |"), std::string::npos) << text;
  EXPECT_NE(text.find("| rare | 4000.00 | | 10.0 % (one frame per burst) | |"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("| Process start to the first frame | 180 ms |"), std::string::npos);
  EXPECT_NE(text.find("(158 intro frames, the 1.5 s pause skipped) | 2100 ms |"),
            std::string::npos);
  EXPECT_NE(text.find("| Peak resident memory (start-up and every case's frames) | 96.5 MiB |"),
            std::string::npos);
  // Each start-up step: when it ended, what it took since the one before, memory.
  EXPECT_NE(text.find("| main() entered | 12.0 | 12.0 | 6.5 |\n| textures | 60.5 | 48.5 | 80.2 |"),
            std::string::npos)
      << text;
}

TEST(BenchReport, PartsTableSumsEachCaseBesideItsFrameAndSaysWhereTheSumLies) {
  const std::string text = formatReport(sampleReport());
  EXPECT_NE(text.find("their sum is above the normal frame's\nmedian in 0 of the 2 cases."),
            std::string::npos)
      << text;
  BenchReport slower = sampleReport();
  slower.cases[1].partMedians[4] = 40.0;
  EXPECT_NE(formatReport(slower).find("in 1 of the 2 cases."), std::string::npos);
  EXPECT_NE(text.find("| Case | start | earth | wind | fire | water | swap | Sum | Frame |"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("| wind | 10.0 | 1.5 | 4.2 | 0.5 | 2.0 | 0.5 | 18.8 | 20.0 |"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("| water | 12.0 | 2.0 | 3.0 | 0.5 | 20.0 | 0.8 | 38.2 | 40.0 |"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("| intro | 10.0"), std::string::npos) << "the intro has no parts";
  BenchReport withoutParts = sampleReport();
  for (CaseResult& c : withoutParts.cases) c.partMedians.clear();
  EXPECT_EQ(formatReport(withoutParts).find("## Where a frame's time goes"), std::string::npos);
}

TEST(BenchReport, WithoutMicroBenchmarksTheOwnColumnsStayEmpty) {
  BenchReport report = sampleReport();
  report.ownWork.clear();
  const std::string text = formatReport(report);
  EXPECT_NE(text.find("| wind | 20.0 | 22.0 | 25.0 | 1.25 | 50.0 | 5.0 | 200.0 | 8.0 | 30.0 | — | — |"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("## Own work"), std::string::npos);
  report.cases.clear();
  EXPECT_EQ(formatReport(report).find("## Frames"), std::string::npos) << "no frame cases run";
  EXPECT_EQ(formatReport(report).find("## Before and after"), std::string::npos);
}

TEST(BenchReport, SpliceReplacesOnlyTheTextBetweenTheMarkers) {
  const std::string begin = reportBeginMarker;
  const std::string end = reportEndMarker;
  const std::string report = begin + "\nnew table\n" + end + "\n";
  const std::string document = "# Title\n\nnotes\n" + begin + "\nold table\n" + end + "\nmore\n";
  EXPECT_EQ(spliceReport(document, report), "# Title\n\nnotes\n" + report + "more\n");
  EXPECT_EQ(spliceReport("no markers here\n", report), report);
  EXPECT_EQ(spliceReport(end + "\n" + begin + "\n", report), report);
  EXPECT_EQ(spliceReport("", report), report);
}

}  // namespace
