// The command line, end to end: what the real program answers without a
// display, and what each option does to it on a display of the test's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/front_scene.h"
#include "tests/e2e/running_program.h"

namespace {

const std::string buildDir = KESH_BUILD_DIR;
const std::string program = buildDir + "/kesh-valdrune";

TEST(CommandLine, AnswersHelpVersionAndMistakesWithoutADisplay) {
  const std::string tryHelp = "Try 'kesh-valdrune --help'.\n";
  const std::string fpsValue = "--fps needs a whole number from 1 to 1000";
  const std::string seedValue = "--seed needs a whole number from 0 to 4294967295";
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string outputStart;  // what standard output begins with
    std::string errors;       // all of standard error
  };
  const Case cases[] = {
      {{"--help"}, 0, "Usage: kesh-valdrune [OPTION]...", ""},
      {{"--version"}, 0, "kesh-valdrune " KESH_VERSION "\n", ""},
      {{"--foo"}, 2, "", "kesh-valdrune: unrecognised option '--foo'\n" + tryHelp},
      {{"-x"}, 2, "", "kesh-valdrune: unrecognised option '-x'\n" + tryHelp},
      {{"--fps", "x"}, 2, "", "kesh-valdrune: " + fpsValue + ", not 'x'\n" + tryHelp},
      {{"--fps", "0"}, 2, "", "kesh-valdrune: " + fpsValue + ", not '0'\n" + tryHelp},
      {{"--fps=1001"}, 2, "", "kesh-valdrune: " + fpsValue + ", not '1001'\n" + tryHelp},
      {{"--fps=30x"}, 2, "", "kesh-valdrune: " + fpsValue + ", not '30x'\n" + tryHelp},
      {{"--fps"}, 2, "", "kesh-valdrune: " + fpsValue + "\n" + tryHelp},
      {{"--seed", "-1"}, 2, "", "kesh-valdrune: " + seedValue + ", not '-1'\n" + tryHelp},
      {{"--seed", "4294967296"}, 2, "",
       "kesh-valdrune: " + seedValue + ", not '4294967296'\n" + tryHelp},
      {{"--tour=1"}, 2, "", "kesh-valdrune: option '--tour' takes no value\n" + tryHelp},
      {{"--fullscreen", "extra"}, 2, "", "kesh-valdrune: unexpected argument 'extra'\n" + tryHelp},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& argument : c.arguments) line += " " + argument;
    RunningProgram run{RunningProgram::Unwatched{}};
    ASSERT_TRUE(run.start(program, buildDir, {"DISPLAY="}, c.arguments));
    EXPECT_EQ(run.waitForExit(), c.status) << line;
    EXPECT_EQ(run.output().substr(0, c.outputStart.size()), c.outputStart) << line;
    if (c.status != 0) {
      EXPECT_EQ(run.output(), "") << line << ": nothing starts";
    }
    EXPECT_EQ(run.errors(), c.errors) << line;
  }
}

// The share of a column's pixels brighter than black noise, for every column
// of a box of the display.
std::vector<double> litShareByColumn(const RunningProgram& run, int x, int y, int width,
                                     int height) {
  std::vector<unsigned char> rgb;
  std::vector<double> share(static_cast<size_t>(width), 0.0);
  if (!run.grab(x, y, width, height, rgb)) return share;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const unsigned char* pixel = &rgb[(static_cast<size_t>(row) * width + column) * 3];
      if (std::max({pixel[0], pixel[1], pixel[2]}) > 8) share[column] += 1.0 / height;
    }
  }
  return share;
}

// On a 16:9 screen the window covers the screen, and the stars reach its
// sides: the starfield leaves no black band. GLUT's own -display option
// names the screen.
TEST(Options, FullscreenCoversAWideScreenWithStarsToItsSides) {
  constexpr int screenWidth = 1600, screenHeight = 900;
  PrivateDisplay display(screenWidth, screenHeight);
  ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
  setenv("DISPLAY", display.name().c_str(), 1);
  RunningProgram run{RunningProgram::Unwatched{}};
  ASSERT_TRUE(run.start(program, buildDir, {"DISPLAY="},
                        {"--fullscreen", "-display", display.name()}));
  ASSERT_TRUE(run.waitForOutput("Please Wait : Loading Textures")) << run.errors();
  ASSERT_TRUE(run.watch(display.name())) << run.errors();
  ASSERT_TRUE(run.waitForFrames(30)) << run.errors();

  const WindowBox box = run.box(run.window());
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, 0);
  EXPECT_EQ(box.width, screenWidth);
  EXPECT_EQ(box.height, screenHeight);
  // Where a 4:3 view would end, and beyond, on both sides.
  constexpr int bandWidth = (screenWidth - screenHeight * 4 / 3) / 2;
  for (const int bandX : {0, screenWidth - bandWidth}) {
    const std::vector<double> share = litShareByColumn(run, bandX, 0, bandWidth, screenHeight);
    for (int column = 0; column < bandWidth; ++column) {
      ASSERT_GT(share[column], 0.05) << "a black column at x " << bandX + column;
    }
  }
  EXPECT_EQ(run.quitWithEscape(), 0);
}

// The main thread's system call right now, as /proc shows it: its number,
// or -1 while it runs.
long currentSystemCall(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/syscall");
  long number = -1;
  return (in >> number) ? number : -1;
}

constexpr long clockNanosleepCall = 230;  // x86-64's clock_nanosleep

// --fps 30 keeps the rate the title shows at 30 (31 where a second's count
// catches a frame at each end) and the program sleeps the rest of each frame.
TEST(Options, FpsKeepsTheTitlesRateAndSleepsBetweenFrames) {
  RunningProgram run;
  ASSERT_TRUE(run.start(program, buildDir, {}, {"--fps", "30"}));
  ASSERT_NE(run.waitForWindow(), 0u);
  ASSERT_TRUE(run.waitForTitle([](const std::string& t) { return RunningProgram::titleRate(t) > 0; }));
  ASSERT_TRUE(run.waitForTitleSettings(5));
  for (const std::string& title : run.titles()) {
    EXPECT_LE(RunningProgram::titleRate(title), 31) << title;
  }
  bool sleeping = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(hangTimeoutMs);
  while (!sleeping && std::chrono::steady_clock::now() < deadline) {
    sleeping = currentSystemCall(run.pid()) == clockNanosleepCall;
    usleep(1000);
  }
  EXPECT_TRUE(sleeping) << "the main thread was never seen waiting for its frame's slot";
  EXPECT_EQ(run.quitWithEscape(), 0);
}

// Unattended, the tour brings every scene to the front in its turn within
// one round of it; a key hands the program back, and the scene in front then
// stays there for longer than the tour would have kept it.
TEST(Options, TourShowsEverySceneInTurnUntilAKeyIsPressed) {
  constexpr int tourRoundFrames = 2800;  // a round of the tour is 2730 frames
  constexpr int standingFrames = 30;     // each scene rests far longer in front
  RunningProgram run;
  ASSERT_TRUE(run.start(program, buildDir, {}, {"--tour"}));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u);
  for (const FrontScene& scene : frontScenes) {
    const MeanColour seen = frontColour(run);
    ASSERT_TRUE(seenInFrontWithin(run, scene, tourRoundFrames, standingFrames))
        << scene.name << " never came to the front; the box was " << seen.r << " " << seen.g
        << " " << seen.b;
  }
  ASSERT_TRUE(RunningProgram::xdotool("key --window " + std::to_string(window) + " x"));
  ASSERT_TRUE(run.waitForFrames(tourRoundFrames / 3));
  const FrontScene& water = frontScenes[3];
  const MeanColour seen = frontColour(run);
  EXPECT_TRUE(water.seen(seen)) << "the tour went on: " << seen.r << " " << seen.g << " " << seen.b;
  EXPECT_EQ(run.quitWithEscape(), 0);
}

// The processor time the program has used, in clock ticks.
long cpuTicks(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string field;
  long ticks = 0;
  // utime and stime are the 14th and 15th fields; the name (2nd) has no spaces.
  for (int i = 1; i <= 15 && in >> field; ++i) {
    if (i >= 14) ticks += std::stol(field);
  }
  return ticks;
}

// Unmapped, the program does no idle work and uses next to no processor
// time, where it would otherwise draw as fast as it can; mapped again, it
// carries on.
TEST(Options, AHiddenWindowUsesNextToNoProcessorTime) {
  const long ticksPerSecond = sysconf(_SC_CLK_TCK);
  constexpr int hiddenSeconds = 3;
  RunningProgram run;
  ASSERT_TRUE(run.start(program, buildDir));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(run.waitForFrames(30));
  const std::string target = " " + std::to_string(window);
  ASSERT_TRUE(RunningProgram::xdotool("windowunmap --sync" + target));
  const long ticks = cpuTicks(run.pid());
  sleep(hiddenSeconds);
  const long used = cpuTicks(run.pid()) - ticks;
  EXPECT_LT(used, ticksPerSecond * hiddenSeconds / 10) << used << " ticks in " << hiddenSeconds << " s";
  ASSERT_TRUE(RunningProgram::xdotool("windowmap --sync" + target));
  EXPECT_TRUE(run.waitForFrames(30)) << "it does not carry on";
  EXPECT_EQ(run.quitWithEscape(), 0);
}

// Hidden during the intro and shown again, the program plays the rest of
// it: none of the intro's updates is lost while nobody sees them, so every
// one is drawn before the stage appears. (At 20 frames a second, running on
// unseen would lose some 100 of them.)
TEST(Options, AWindowHiddenDuringTheIntroPlaysAllOfItWhenShownAgain) {
  constexpr int introUpdates = 158;  // the update that ends the intro draws the stage
  constexpr int hiddenSeconds = 5;
  RunningProgram run;
  ASSERT_TRUE(run.start(program, buildDir, {}, {"--fps", "20"}));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(run.waitForFrames(1));
  const std::string target = " " + std::to_string(window);
  ASSERT_TRUE(RunningProgram::xdotool("windowunmap --sync" + target));
  sleep(hiddenSeconds);
  ASSERT_TRUE(RunningProgram::xdotool("windowmap --sync" + target));
  ASSERT_TRUE(seenInFrontWithin(run, frontScenes[0], 2 * introUpdates)) << "no stage";
  // The next title counts the frame that showed the stage.
  ASSERT_TRUE(run.waitForTitleSettings(1));
  EXPECT_GE(run.framesReported(), introUpdates) << "intro updates were lost while hidden";
  EXPECT_EQ(run.quitWithEscape(), 0);
}

// kesh-frames with one seed draws a burst and a run of drops the same way
// twice; another seed draws them otherwise.
TEST(Options, ASeedRepeatsBurstsAndDrops) {
  const std::string frameTool = buildDir + "/kesh-frames";
  const char* const shots[] = {"fire-mid-burst", "water-drop-20"};
  auto render = [&](const std::string& seed, const std::string& folder) {
    const std::string out = testing::TempDir() + "/seed-" + folder;
    std::string command = "'" + frameTool + "' --sparse --seed " + seed + " --out '" + out + "'";
    for (const char* shot : shots) command += std::string(" --only ") + shot;
    command += " >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::string> pictures;
    for (const char* shot : shots) pictures.push_back(readFile(out + "/" + shot + ".png"));
    return pictures;
  };
  const std::vector<std::string> first = render("7", "first"), again = render("7", "again"),
                                 other = render("8", "other");
  for (size_t i = 0; i < first.size(); ++i) {
    ASSERT_FALSE(first[i].empty()) << shots[i];
    EXPECT_EQ(first[i], again[i]) << shots[i] << " differs with the same seed";
    EXPECT_NE(first[i], other[i]) << shots[i] << " is the same with another seed";
  }
}

}  // namespace
