// The benchmark's percentiles, /proc readers, report rows and splice.
#include <gtest/gtest.h>

#include <numeric>

#include "tools/bench/frame_stats.h"
#include "tools/bench/process_info.h"
#include "tools/bench/report.h"

namespace {

TEST(FrameStats, NearestRankPercentilesOfUnsortedFrames) {
  std::vector<double> hundred(100);
  std::iota(hundred.rbegin(), hundred.rend(), 1.0);  // 100 down to 1
  std::swap(hundred[3], hundred[70]);
  // Samples, then frames, median, p90, p99 and worst.
  const std::vector<double> cases[][2] = {
      {hundred, {100, 50, 90, 99, 100}},
      {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, {10, 5, 9, 10, 10}},  // p99 needs the slowest
      {{}, {0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const FrameStats s = summarise(c[0]);
    EXPECT_EQ((std::vector<double>{double(s.frames), s.median, s.p90, s.p99, s.worst}), c[1])
        << c[0].size() << " samples";
  }
}

TEST(ProcessInfo, ReadsTheFieldsOfProcFiles) {
  const struct { std::string stat; long long startTicks; } stats[] = {
      // A command name with a space and a closing parenthesis of its own.
      {"4242 (kesh (x) bench) S 1 4242 4242 0 -1 4194304 100 0 0 0 5 3 0 0 20 0 3 0 987654 1 2",
       987654},
      {"4242 kesh S 1 2 3", -1},
      {"1 (a) S 1 1 1 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 12x 1 1", -1},
  };
  for (const auto& s : stats) EXPECT_EQ(startTicksFromStat(s.stat), s.startTicks) << s.stat;
  EXPECT_EQ(busyTicksFromProcStat("cpu  100 20 30 5000 40 5 6 7 0 0\ncpu0 1 2 3 4 5 6 7 8\n"),
            100 + 20 + 30 + 5 + 6 + 7);
  EXPECT_EQ(busyTicksFromProcStat("cpu0 1 2 3 4 5 6 7 8\n"), -1) << "only the machine's line";
}

// Two stage cases with parts, the intro without, three pieces of own work.
BenchReport sampleReport() {
  BenchReport report;
  report.machine = {"Example CPU", 2, "llvmpipe", "Mesa 22.3.6", 0.5, 0.125, "2024-01-02"};
  CaseResult wind;
  wind.name = "wind";
  wind.current = {{300, 20.0, 22.0, 25.0, 30.0}, {300, 5.0, 5.5, 6.0, 7.0}, 8.0, 30.0};
  wind.earlier = {{300, 32.0, 35.0, 40.0, 45.0}, {300, 7.5, 8.0, 8.5, 9.0}, 16.0, 44.0};
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
  report.ownWork = {{"both", 500.0, Occurs::everyFrame, {"wind", "water"}},
                    {"water only", 1500.0, Occurs::everyFrame, {"water"}},
                    {"rare", 4000.0, Occurs::oncePerBurst, {"water"}}};
  report.startup = {{{"main() entered", 12.0, 6.5}, {"textures", 60.5, 80.25}}, 180.0, 150.0,
                    2100.0, 158, 96.5};
  return report;
}

TEST(BenchReport, RowsCarryTheirDerivedFigures) {
  const std::string text = formatReport(sampleReport());
  EXPECT_EQ(text.rfind(reportBeginMarker, 0), 0u);
  const std::string present[] = {
      // Median, p90, p99, ratio, fps; floor, fps; CPU; per-frame own work, its share.
      "| wind | 20.0 | 22.0 | 25.0 | 1.25 | 50.0 | 5.0 | 200.0 | 8.0 | 30.0 | 0.500 | 2.5 % |",
      "| water | 40.0 | 22.0 | 25.0 | 0.62 | 25.0 | 5.0 | 200.0 | 8.0 | 30.0 | 2.000 | 5.0 % |",
      // Before and after from the same run.
      "| wind | 32.0 | 31.2 | 40.0 | 16.0 | 44.0 | 7.5 | 20.0 | 50.0 | 25.0 | 8.0 | 30.0 | 5.0 |",
      // Each piece of work: its time, then its share of each case's median frame.
      "| both | 500.00 | 2.5 % | 1.2 % | |",
      "| rare | 4000.00 | | 10.0 % (one frame per burst) | |",
      // The parts, their sum beside the frame, and where the sums lie.
      "| wind | 10.0 | 1.5 | 4.2 | 0.5 | 2.0 | 0.5 | 18.8 | 20.0 |",
      "their sum is above the normal frame's\nmedian in 0 of the 2 cases.",
      "kept 12 % of the cores busy",
      "| Process start to the first frame | 180 ms |",
      // Each start-up step: when it ended, what it took since the one before, memory.
      "| main() entered | 12.0 | 12.0 | 6.5 |\n| textures | 60.5 | 48.5 | 80.2 |",
      std::string(reportEndMarker) + "\n",
  };
  for (const std::string& line : present) EXPECT_NE(text.find(line), std::string::npos) << line;
  EXPECT_EQ(text.find("| intro | 0.0"), std::string::npos) << "no comparison row for the intro";
  EXPECT_EQ(text.find("| intro | 10.0"), std::string::npos) << "the intro has no parts";
  BenchReport bare = sampleReport();
  bare.ownWork.clear();
  EXPECT_NE(formatReport(bare).find("| 8.0 | 30.0 | — | — |"), std::string::npos) << "no own work";
}

TEST(BenchReport, SpliceReplacesOnlyTheTextBetweenTheMarkers) {
  const std::string begin = reportBeginMarker, end = reportEndMarker;
  const std::string report = begin + "\nnew table\n" + end + "\n";
  const struct { std::string document, spliced; } cases[] = {
      {"# Title\n" + begin + "\nold table\n" + end + "\nmore\n", "# Title\n" + report + "more\n"},
      {"no markers here\n", report},
      {end + "\n" + begin + "\n", report},  // markers out of order
      {"", report},
  };
  for (const auto& c : cases) EXPECT_EQ(spliceReport(c.document, report), c.spliced) << c.document;
}

}  // namespace
