// The frame tool's storyboard under valgrind's memcheck: the real start-up,
// the intro and every scene with every option, drawing only the shots' frames
// (each frame costs seconds under valgrind) and writing no pictures. There
// must be no invalid access and no use of uninitialised memory anywhere, and
// of the memory the program's own code allocates nothing may be lost and only
// the fire's two particle arrays may still be held at the end, as intended.
// The whole log is kept as <build>/e2e/memcheck.log.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "scenes/fire/fire_state.h"
#include "tests/e2e/memcheck_log.h"
#include "tests/e2e/running_program.h"
#include "tests/support/temp_folder.h"

namespace {

const std::string buildDir = KESH_BUILD_DIR;
const std::string frameTool = buildDir + "/kesh-frames";
const std::string logPath = buildDir + "/e2e/memcheck.log";

// Minutes on a quiet machine, several times that on a busy one; only a hang
// runs into this.
constexpr int memcheckTimeoutMs = 1400000;
constexpr uint64_t fireArrayBytes = fireParticleCount * fireParticleFloats * sizeof(float);

// True when a frame of the record's stack contains part.
bool mentions(const LossRecord& record, const std::string& part) {
  for (const std::string& frame : record.frames) {
    if (frame.find(part) != std::string::npos) return true;
  }
  return false;
}

// The record's size, kind and stack, for a failure message.
std::string describe(const LossRecord& record) {
  std::string text = std::to_string(record.bytes) + " bytes " + record.kind + ":";
  for (const std::string& frame : record.frames) text += "\n  " + frame;
  return text;
}

TEST(Memcheck, StoryboardMakesNoBadAccessAndKeepsOnlyTheFireArrays) {
  mkdir((buildDir + "/e2e").c_str(), 0755);
  TempFolder shots;
  RunningProgram run;
  ASSERT_TRUE(run.start(KESH_VALGRIND, buildDir, {},
                        {"--tool=memcheck", "--leak-check=full", "--show-leak-kinds=all",
                         "--errors-for-leak-kinds=none", "--error-exitcode=97",
                         "--keep-debuginfo=yes", "--num-callers=40", "--fullpath-after=",
                         "--suppressions=" KESH_SOURCE_DIR "/tests/e2e/memcheck.supp",
                         "--log-file=" + logPath, frameTool, "--sparse", "--only", "none",
                         "--out", shots.path()}));
  EXPECT_EQ(run.waitForExit(memcheckTimeoutMs), 0) << run.errors() << "\nsee " << logPath;

  const MemcheckLog log = parseMemcheckLog(readFile(logPath));
  EXPECT_EQ(log.errors, 0) << "invalid accesses or uninitialised values: see " << logPath;
  int fireArrays = 0;
  for (const LossRecord& record : log.records) {
    if (!allocatedByProgram(record, frameTool, KESH_SOURCE_DIR)) continue;
    const bool fireArray = record.kind == "still reachable" && record.bytes == fireArrayBytes &&
                           mentions(record, "_GLOBAL__sub_I_");
    if (fireArray) {
      ++fireArrays;
    } else {
      ADD_FAILURE() << "the program's own memory at the end: " << describe(record);
    }
  }
  EXPECT_EQ(fireArrays, 2) << "the fire's particle positions and directions, allocated before main";
}

}  // namespace
