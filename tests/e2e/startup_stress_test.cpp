// The program started a hundred times in a row, each time as its display's
// first and only client, on a fresh virtual display started the way xvfb-run
// starts one (it resets when its last client leaves). Each start is waited
// for until the program draws its first frame, then ended with Escape. Every
// start must succeed: one that opened the display twice, a probe and then the
// toolkit's own connection, failed now and then, as the probe's leaving reset
// the server under the second connection. The test runs beside the others,
// so the cores are busy.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/running_program.h"

namespace {

const std::string buildDir = KESH_BUILD_DIR;
const std::string program = buildDir + "/kesh-valdrune";

constexpr int starts = 100;

// The banner's last line: printed once the window is open.
const char* const bannerEnd = "Please Wait : Loading Textures";

bool isRateTitle(const std::string& title) { return RunningProgram::titleRate(title) >= 0; }

// One start on a display of its own; empty if it went well, else what failed.
std::string startOnce() {
  PrivateDisplay display;
  if (display.name().empty()) return "Xvfb did not start";
  setenv("DISPLAY", display.name().c_str(), 1);
  RunningProgram run{RunningProgram::Unwatched{}};
  if (!run.start(program, buildDir)) return "could not run " + program;
  // Watch only once the program holds its own connection.
  if (!run.waitForOutput(bannerEnd)) return "no banner: " + run.errors();
  if (!run.watch(display.name())) return "no window: " + run.errors();
  if (!run.waitForTitle(isRateTitle)) return "no frame: " + run.errors();
  const int status = run.quitWithEscape();
  if (status != 0) return "status " + std::to_string(status) + ": " + run.errors();
  if (!run.errors().empty()) return "errors: " + run.errors();
  return "";
}

TEST(StartUp, SucceedsEveryTimeInAHundredStartsInARow) {
  int failures = 0;
  std::string firstFailure;
  for (int start = 1; start <= starts; ++start) {
    const std::string failure = startOnce();
    if (!failure.empty() && ++failures == 1) {
      firstFailure = "start " + std::to_string(start) + ": " + failure;
    }
  }
  EXPECT_EQ(failures, 0) << "of " << starts << " starts; the first: " << firstFailure;
}

}  // namespace
