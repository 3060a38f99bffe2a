// The program started a hundred times in a row, each time as the first and
// only client of a fresh display that resets when its last client leaves,
// and ended with Escape once it draws. Every start must succeed: a program
// that opened the display twice (a probe, then the toolkit's own connection)
// failed now and then, as the probe's leaving reset the server under the
// second connection. Part of the long runs, beside the other tests.
#include <gtest/gtest.h>

#include "tests/e2e/running_program.h"

namespace {

constexpr int starts = 100;

// One start; empty if it went well, else what failed.
std::string startOnce() {
  RunningProgram run(RunScreen{1280, 1024, false});
  if (!run.start(KESH_BUILD_DIR "/kesh-valdrune", KESH_BUILD_DIR)) return "could not run it";
  // Watch only once the program holds its own connection: the banner's last
  // line comes once its window is open.
  if (!run.waitFor([&] { return run.output().find("Please Wait : Loading Textures") != std::string::npos; })) {
    return "no banner: " + run.errors();
  }
  if (!run.watch()) return "no window: " + run.errors();
  if (!run.waitForFrames(1)) return "no frame: " + run.errors();
  const int status = run.quitWithEscape();
  if (status != 0 || !run.errors().empty()) return "status " + std::to_string(status) + ": " + run.errors();
  return "";
}

TEST(StartUp, SucceedsEveryTimeInAHundredStartsInARow) {
  int failures = 0;
  std::string first;
  for (int start = 1; start <= starts; ++start) {
    const std::string failure = startOnce();
    if (!failure.empty() && ++failures == 1) first = "start " + std::to_string(start) + ": " + failure;
  }
  EXPECT_EQ(failures, 0) << "of " << starts << " starts; the first: " << first;
}

}  // namespace
