// A hundred starts in a row, each as the first and only client of a fresh
// display that resets when its last client leaves, ended with Escape once it
// draws. A program that opened the display twice (a probe, then the toolkit's
// connection) failed now and then, as the probe's leaving reset the server.
#include <gtest/gtest.h>

#include "tests/e2e/running_program.h"

namespace {

// One start; empty if it went well, else what failed.
std::string startOnce() {
  RunningProgram run(RunScreen{1280, 1024, false});
  if (!run.start(KESH_BUILD_DIR "/kesh-valdrune", KESH_BUILD_DIR)) return "could not run it";
  // Watch only once it holds its own connection: the banner's last line comes with the window.
  if (!run.waitFor([&] { return run.output().find("Please Wait : Loading Textures") != std::string::npos; })) {
    return "no banner: " + run.errors();
  }
  if (!run.watch() || !run.waitForFrames(1)) return "no window or frame: " + run.errors();
  const int status = run.quitWithEscape();
  return status == 0 && run.errors().empty() ? "" : "status " + std::to_string(status) + ": " + run.errors();
}

TEST(StartUp, SucceedsEveryTimeInAHundredStartsInARow) {
  int failures = 0;
  std::string first;
  for (int start = 1; start <= 100; ++start) {
    const std::string failure = startOnce();
    if (!failure.empty() && ++failures == 1) first = "start " + std::to_string(start) + ": " + failure;
  }
  EXPECT_EQ(failures, 0) << "the first: " << first;
}

}  // namespace
