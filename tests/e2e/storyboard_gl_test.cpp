// The frame tool's whole storyboard (the intro, every scene, every option
// and shot) through the real program's start-up and callbacks, with a GL
// error check after every start-up step and every frame: there must be none.
// A second run breaks two GL calls on purpose, to see that errors are caught
// and named by their start-up step or frame. And the tool starts although
// another window covers its own, as happens when tests run side by side.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "tests/e2e/running_program.h"
#include "tests/support/temp_folder.h"

namespace {

const std::string buildDir = KESH_BUILD_DIR;
const std::string frameTool = buildDir + "/kesh-frames";

// The whole storyboard takes half a minute on a quiet machine and several
// times that on a busy one; only a hang runs into this.
constexpr int storyboardTimeoutMs = 600000;

// Every "GL error" line the frame tool printed.
std::vector<std::string> errorLines(const std::string& errors) {
  static const std::regex line(R"(kesh-frames: GL error 0x[0-9a-f]{4} after [^\n]*)");
  std::vector<std::string> lines;
  for (std::sregex_iterator it(errors.begin(), errors.end(), line), end; it != end; ++it) {
    lines.push_back(it->str());
  }
  return lines;
}

// True when part occurs in text.
bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(StoryboardGlErrors, NoneAfterAnyStartUpStepOrFrame) {
  TempFolder shots;
  RunningProgram run;
  ASSERT_TRUE(run.start(frameTool, buildDir, {}, {"--out", shots.path()}));
  EXPECT_EQ(run.waitForExit(storyboardTimeoutMs), 0) << run.errors();
  EXPECT_EQ(errorLines(run.errors()), std::vector<std::string>{});
  EXPECT_TRUE(contains(run.output(), "kesh-frames: wrote 29 shots")) << run.output();
}

TEST(StoryboardGlErrors, BrokenCallsAreCaughtAndNamed) {
  TempFolder shots;
  RunningProgram run;
  ASSERT_TRUE(run.start(frameTool, buildDir, {"LD_PRELOAD=" KESH_GL_ERROR_SHIM},
                        {"--sparse", "--out", shots.path()}));
  EXPECT_EQ(run.waitForExit(storyboardTimeoutMs), 1);
  const std::vector<std::string> lines = errorLines(run.errors());
  ASSERT_FALSE(lines.empty()) << run.errors();

  // The broken hint is start-up's; GL_INVALID_ENUM is 0x0500.
  EXPECT_EQ(lines.front(), "kesh-frames: GL error 0x0500 after start-up step: perspective hint");
  // The burst's broken draws: GL_INVALID_VALUE (0x0501) in the burst's frames only.
  bool burstStart = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    EXPECT_TRUE(contains(lines[i], "GL error 0x0501 after frame ")) << lines[i];
    EXPECT_FALSE(contains(lines[i], "(shot fire-converging)")) << "no burst yet: " << lines[i];
    EXPECT_FALSE(contains(lines[i], "(shot fire-merged)")) << "burst over: " << lines[i];
    burstStart = burstStart || contains(lines[i], "(shot fire-burst-start)");
  }
  EXPECT_TRUE(burstStart) << run.errors();
  EXPECT_TRUE(contains(run.errors(), "kesh-frames: " + std::to_string(lines.size()) + " GL errors"))
      << run.errors();
}

// Two runs started together: the later window covers the earlier one as it
// maps. Both must still start and finish (a covered window once counted as
// never shown, and the covered run gave up).
TEST(FrameToolWindow, StartsWhileAnotherWindowCoversIt) {
  TempFolder shots;
  RunningProgram first, second;
  const std::vector<std::string> arguments = {"--sparse", "--only", "none", "--out", shots.path()};
  ASSERT_TRUE(first.start(frameTool, buildDir, {}, arguments));
  ASSERT_TRUE(second.start(frameTool, buildDir, {}, arguments));
  EXPECT_EQ(first.waitForExit(storyboardTimeoutMs), 0) << first.errors();
  EXPECT_EQ(second.waitForExit(storyboardTimeoutMs), 0) << second.errors();
}

}  // namespace
