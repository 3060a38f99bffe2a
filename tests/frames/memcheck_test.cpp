// The storyboard's sparse run under memcheck: no invalid access or
// uninitialised use anywhere, and of the program's own allocations nothing
// lost and only the fire's two particle arrays held at the end. The log stays
// in <build>/memcheck.log; MemcheckLog.* checks its reader on a sample.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <sstream>

#include "scenes/fire/fire_state.h"
#include "tests/support/files.h"
#include "tests/support/temp_folder.h"

namespace {

struct LossRecord {
  uint64_t bytes = 0;  // indirect ones included
  std::string kind;    // "definitely lost", "still reachable", ...
  std::vector<std::string> frames;
};
struct MemcheckLog {
  int errors = -1;  // from the error summary; -1 when the log has none
  std::vector<LossRecord> records;
};

// A number with thousands separators: "168,000".
uint64_t number(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ','), text.end());
  return std::stoull(text);
}

MemcheckLog parseMemcheckLog(const std::string& text) {
  static const std::regex prefix(R"(^==\d+== ?)");
  static const std::regex header(
      R"(^([\d,]+) (?:\([\d,]+ direct, [\d,]+ indirect\) )?bytes in [\d,]+ blocks are )"
      R"((definitely lost|indirectly lost|possibly lost|still reachable) in loss record)");
  static const std::regex frame(R"(^\s+(at|by) 0x[0-9A-Fa-f]+: )");
  static const std::regex summary(R"(^ERROR SUMMARY: ([\d,]+) errors)");
  MemcheckLog log;
  LossRecord* open = nullptr;  // the record whose frames are being read
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    line = std::regex_replace(line, prefix, "");
    std::smatch match;
    if (std::regex_search(line, match, header)) {
      log.records.push_back({number(match[1]), match[2], {}});
      open = &log.records.back();
    } else if (open && std::regex_search(line, frame)) {
      open->frames.push_back(line.substr(line.find_first_not_of(" \t")));
    } else {
      if (std::regex_search(line, match, summary)) log.errors = static_cast<int>(number(match[1]));
      open = nullptr;
    }
  }
  return log;
}

// True when the first frame past the allocator and the C and C++ libraries
// lies in the executable or under sourceDir: not a library's own allocation.
bool allocatedByProgram(const LossRecord& record, const std::string& executable,
                        const std::string& sourceDir) {
  static const std::regex passesOn(
      R"(vgpreload_|/libstdc\+\+|/libc\.so|/usr/include/c\+\+/|\((malloc|calloc|realloc|strdup)\.c:)");
  for (const std::string& frame : record.frames) {
    if (std::regex_search(frame, passesOn)) continue;
    return frame.find("(in " + executable + ")") != std::string::npos ||
           frame.find("(" + sourceDir + "/") != std::string::npos;
  }
  return false;
}

// Records of a library's own, of the program before main, and through libstdc++.
const char* const sampleLog = R"(==77== Memcheck, a memory error detector
==77== 1,616 (56 direct, 1,560 indirect) bytes in 1 blocks are definitely lost in loss record 3 of 9
==77==    at 0x48417B4: malloc (in /usr/libexec/valgrind/vgpreload_memcheck-amd64-linux.so)
==77==    by 0x60B78BC: ??? (in /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so)
==77==    by 0x1154C6: openWindow(int*, char**) (in /build/kesh-frames)
==77== 168,000 bytes in 1 blocks are still reachable in loss record 7 of 9
==77==    at 0x484320F: operator new[](unsigned long) (in /usr/libexec/valgrind/vgpreload_memcheck-amd64-linux.so)
==77==    by 0x110E7E: _GLOBAL__sub_I_fireState (in /build/kesh-frames)
==77==    by 0x4EA5375: call_init (libc-start.c:145)
==77== 40 bytes in 1 blocks are definitely lost in loss record 1 of 9
==77==    at 0x4843F93: operator new(unsigned long) (in /usr/libexec/valgrind/vgpreload_memcheck-amd64-linux.so)
==77==    by 0x4953C2A: std::__cxx11::basic_string<char>::_M_create(unsigned long&, unsigned long) (in /usr/lib/x86_64-linux-gnu/libstdc++.so.6.0.30)
==77==    by 0x1201AA: makeTitle() (/src/kesh/app/frame.cpp:40)
==77== 
==77== ERROR SUMMARY: 3 errors from 2 contexts (suppressed: 0 from 0)
)";

TEST(MemcheckLog, ReadsEachRecordAndTellsTheProgramsOwnFromTheLibraries) {
  const struct { uint64_t bytes; const char* kind; bool byProgram; const char* what; } expected[] = {
      {1616, "definitely lost", false, "the driver's own, direct and indirect bytes"},
      {168000, "still reachable", true, "new[] in the program, before main"},
      {40, "definitely lost", true, "a string the program grows: its source past the C++ library"},
  };
  const MemcheckLog log = parseMemcheckLog(sampleLog);
  EXPECT_EQ(log.errors, 3);
  ASSERT_EQ(log.records.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].what);
    EXPECT_EQ(log.records[i].bytes, expected[i].bytes);
    EXPECT_EQ(log.records[i].kind, expected[i].kind);
    EXPECT_EQ(allocatedByProgram(log.records[i], "/build/kesh-frames", "/src/kesh"),
              expected[i].byProgram);
  }
  EXPECT_EQ(parseMemcheckLog("==5== Memcheck, a memory error detector\n").errors, -1)
      << "a log without its summary (valgrind died) must not read as error-free";
}

TEST(Memcheck, StoryboardMakesNoBadAccessAndKeepsOnlyTheFireArrays) {
  const std::string frameTool = KESH_BUILD_DIR "/kesh-frames";
  const std::string logPath = KESH_BUILD_DIR "/memcheck.log";
  TempFolder shots;
  const std::string command =
      KESH_VALGRIND " --tool=memcheck --leak-check=full --show-leak-kinds=all"
      " --errors-for-leak-kinds=none --error-exitcode=97 --keep-debuginfo=yes --num-callers=40"
      " --fullpath-after= --suppressions=" KESH_SOURCE_DIR "/tests/frames/memcheck.supp"
      " --log-file=" + logPath + " " + frameTool + " --sparse --only none --out " + shots.path();
  EXPECT_EQ(std::system(command.c_str()), 0) << "see " << logPath;

  const MemcheckLog log = parseMemcheckLog(readFile(logPath));
  EXPECT_EQ(log.errors, 0) << "invalid accesses or uninitialised values: see " << logPath;
  const uint64_t fireArrayBytes = fireParticleCount * fireParticleFloats * sizeof(float);
  int fireArrays = 0;
  for (const LossRecord& record : log.records) {
    if (!allocatedByProgram(record, frameTool, KESH_SOURCE_DIR)) continue;
    std::string stack;
    for (const std::string& frame : record.frames) stack += "\n  " + frame;
    if (record.kind == "still reachable" && record.bytes == fireArrayBytes &&
        stack.find("_GLOBAL__sub_I_") != std::string::npos) {
      ++fireArrays;
    } else {
      ADD_FAILURE() << "the program's own memory at the end: " << record.bytes << " bytes "
                    << record.kind << ":" << stack;
    }
  }
  EXPECT_EQ(fireArrays, 2) << "the fire's particle positions and directions, allocated before main";
}

}  // namespace
