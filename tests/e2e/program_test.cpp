// The real program, started under the test display and driven with xdotool:
// banner, window, title, menu and the ways it ends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "tests/e2e/front_scene.h"
#include "tests/e2e/running_program.h"

namespace {

const std::string buildDir = KESH_BUILD_DIR;
const std::string program = buildDir + "/kesh-valdrune";

bool isRateTitle(const std::string& title, bool positive) {
  const int rate = RunningProgram::titleRate(title);
  return positive ? rate > 0 : rate == 0;
}

// Saves a screenshot of the whole test display for people to look at.
void screenshot(const std::string& name) {
  const std::string command =
      "mkdir -p '" + buildDir + "/e2e' && import -window root '" + buildDir + "/e2e/" + name +
      "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) ADD_FAILURE() << "screenshot failed: " << name;
}

TEST(Program, OpensItsWindowShowsTheBannerAndTheRateAndEndsOnEscape) {
  RunningProgram run;
  ASSERT_TRUE(run.start(program, buildDir));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u) << run.errors();
  const WindowBox box = run.box(window);
  EXPECT_EQ(box.x, 0);
  EXPECT_EQ(box.y, 0);
  EXPECT_EQ(box.width, 1024);
  EXPECT_EQ(box.height, 768);

  EXPECT_TRUE(run.waitForTitle([](const std::string& t) { return isRateTitle(t, true); }));
  ASSERT_GE(run.titles().size(), 3u);
  EXPECT_EQ(run.titles()[0], "Kesh Valdrune by Halvorsk");
  EXPECT_EQ(run.titles()[1], "Kesh Valdrune by Halvorsk       [ FPS: 0 ]");

  EXPECT_EQ(run.quitWithEscape(), 0);
  EXPECT_EQ(run.output(), readFile(KESH_SOURCE_DIR "/tests/e2e/banner.txt"));
  EXPECT_EQ(run.errors(), "");
}

TEST(Program, RightClickOpensTheFourteenEntryMenuAndQuitEndsIt) {
  RunningProgram run;
  ASSERT_TRUE(run.start(program, buildDir));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(run.waitForTitle([](const std::string& t) { return isRateTitle(t, false); }));

  constexpr int clickX = 300, clickY = 150;
  ASSERT_TRUE(RunningProgram::xdotool("mousemove " + std::to_string(clickX) + " " +
                                      std::to_string(clickY) + " click 3"));
  const Window menu = run.waitForPopup();
  ASSERT_NE(menu, 0u) << "no menu appeared";
  const WindowBox box = run.box(menu);
  EXPECT_EQ(box.x, clickX);
  EXPECT_EQ(box.y, clickY);
  const double entryHeight = box.height / 14.0;
  EXPECT_GT(entryHeight, 18.0) << "14 entries in " << box.height << " pixels";
  EXPECT_LT(entryHeight, 32.0) << "14 entries in " << box.height << " pixels";
  // The menu paints once the pointer moves over it.
  ASSERT_TRUE(RunningProgram::xdotool("mousemove " + std::to_string(box.x + 30) + " " +
                                      std::to_string(box.y + 10) + " sleep 0.3"));
  screenshot("menu.png");

  // "QUIT" is the last entry.
  const int quitY = box.y + static_cast<int>(entryHeight * 13.5);
  ASSERT_TRUE(RunningProgram::xdotool("mousemove " + std::to_string(box.x + 30) + " " +
                                      std::to_string(quitY) + " sleep 0.2 click 1"));
  EXPECT_EQ(run.waitForExit(), 0) << "QUIT should end the program with status 0";
}

TEST(Program, KeysOneAndTwoBringWindAndEarthToTheFront) {
  RunningProgram run;
  ASSERT_TRUE(run.start(program, buildDir));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u);
  const std::string target = " --window " + std::to_string(window) + " ";
  MeanColour seen;
  // After the intro the wind scene stands in front.
  EXPECT_TRUE(waitForFront(run, frontScenes[0], seen))
      << "no tree in front: " << seen.r << " " << seen.g << " " << seen.b;
  ASSERT_TRUE(RunningProgram::xdotool("key" + target + "2"));
  EXPECT_TRUE(waitForFront(run, frontScenes[1], seen))
      << "no earth in front: " << seen.r << " " << seen.g << " " << seen.b;
  ASSERT_TRUE(RunningProgram::xdotool("key" + target + "1"));
  EXPECT_TRUE(waitForFront(run, frontScenes[0], seen))
      << "no tree in front again: " << seen.r << " " << seen.g << " " << seen.b;
  EXPECT_EQ(run.quitWithEscape(), 0);
}

TEST(Program, WithoutADisplayItSaysHowToRunIt) {
  for (const char* display : {"DISPLAY=", "DISPLAY=:97"}) {
    RunningProgram run;
    ASSERT_TRUE(run.start(program, buildDir, {display}));
    EXPECT_EQ(run.waitForExit(), 1) << display;
    EXPECT_NE(run.errors().find("cannot open the X display"), std::string::npos) << run.errors();
    EXPECT_EQ(run.errors().rfind("kesh-valdrune: ", 0), 0u) << run.errors();
    // Both ways to start it: the installed command and the build folder's program.
    EXPECT_NE(run.errors().find("' kesh-valdrune "), std::string::npos) << run.errors();
    EXPECT_NE(run.errors().find("cd build && xvfb-run -s '-screen 0 1280x1024x24' ./kesh-valdrune\n"),
              std::string::npos)
        << run.errors();
    EXPECT_EQ(run.errors().find("freeglut"), std::string::npos) << "no raw toolkit error";
    EXPECT_EQ(run.output(), "") << "nothing starts without a display";
  }
}

TEST(Program, TheRunScriptExplainsAMissingDisplay) {
  RunningProgram run;
  ASSERT_TRUE(run.start(KESH_SOURCE_DIR "/scripts/run-demo.sh", KESH_SOURCE_DIR, {"DISPLAY="},
                        {buildDir}));
  EXPECT_EQ(run.waitForExit(), 1);
  EXPECT_NE(run.errors().find("No display"), std::string::npos) << run.errors();
  EXPECT_NE(run.errors().find("xvfb-run"), std::string::npos);
  EXPECT_EQ(run.window(), 0u);
}

}  // namespace
