// Reading memcheck logs: loss records with their stacks, the error count, and
// telling the program's own allocations from those of the libraries it calls.
#include <gtest/gtest.h>

#include "tests/e2e/memcheck_log.h"

namespace {

const std::string program = "/build/kesh-frames";
const std::string sources = "/src/kesh";

// A log in memcheck's own layout, with the kinds of records a run produces.
const char* const sampleLog = R"(==77== Memcheck, a memory error detector
==77== 
==77== 1,616 (56 direct, 1,560 indirect) bytes in 1 blocks are definitely lost in loss record 3 of 9
==77==    at 0x48417B4: malloc (in /usr/libexec/valgrind/vgpreload_memcheck-amd64-linux.so)
==77==    by 0x60B78BC: ??? (in /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so)
==77==    by 0x1154C6: openWindow(int*, char**) (in /build/kesh-frames)
==77== 
==77== 168,000 bytes in 1 blocks are still reachable in loss record 7 of 9
==77==    at 0x484320F: operator new[](unsigned long) (in /usr/libexec/valgrind/vgpreload_memcheck-amd64-linux.so)
==77==    by 0x110E7E: _GLOBAL__sub_I_fireState (in /build/kesh-frames)
==77==    by 0x4EA5375: call_init (libc-start.c:145)
==77== 
==77== 40 bytes in 1 blocks are definitely lost in loss record 1 of 9
==77==    at 0x4843F93: operator new(unsigned long) (in /usr/libexec/valgrind/vgpreload_memcheck-amd64-linux.so)
==77==    by 0x4953C2A: std::__cxx11::basic_string<char>::_M_create(unsigned long&, unsigned long) (in /usr/lib/x86_64-linux-gnu/libstdc++.so.6.0.30)
==77==    by 0x1201AA: makeTitle() (/src/kesh/app/frame.cpp:40)
==77== 
==77== 24 bytes in 1 blocks are possibly lost in loss record 2 of 9
==77==    at 0x48465EF: calloc (in /usr/libexec/valgrind/vgpreload_memcheck-amd64-linux.so)
==77==    by 0x48FE9B9: fgPlatformOpenWindow (in /usr/lib/x86_64-linux-gnu/libglut.so.3.12.0)
==77== 
==77== LEAK SUMMARY:
==77==    definitely lost: 112 bytes in 2 blocks
==77== 
==77== ERROR SUMMARY: 3 errors from 2 contexts (suppressed: 0 from 0)
)";

TEST(MemcheckLog, ReadsEveryLossRecordWithItsStackAndTheErrorCount) {
  const MemcheckLog log = parseMemcheckLog(sampleLog);
  EXPECT_EQ(log.errors, 3);
  ASSERT_EQ(log.records.size(), 4u);
  EXPECT_EQ(log.records[0].bytes, 1616u);
  EXPECT_EQ(log.records[0].kind, "definitely lost");
  EXPECT_EQ(log.records[0].frames.size(), 3u);
  EXPECT_EQ(log.records[1].bytes, 168000u);
  EXPECT_EQ(log.records[1].kind, "still reachable");
  EXPECT_EQ(log.records[1].frames[1].substr(0, 20), "by 0x110E7E: _GLOBAL");
  EXPECT_EQ(log.records[3].kind, "possibly lost");
  EXPECT_EQ(log.records[3].frames.size(), 2u) << "the summary lines are no frames";
}

TEST(MemcheckLog, WithoutASummaryTheErrorCountIsUnknown) {
  EXPECT_EQ(parseMemcheckLog("==5== Memcheck, a memory error detector\n").errors, -1);
}

TEST(MemcheckLog, TheProgramOwnsWhatItsCodeAllocatesNotWhatLibrariesAllocateForThemselves) {
  const MemcheckLog log = parseMemcheckLog(sampleLog);
  ASSERT_EQ(log.records.size(), 4u);
  EXPECT_FALSE(allocatedByProgram(log.records[0], program, sources)) << "the driver's own";
  EXPECT_TRUE(allocatedByProgram(log.records[1], program, sources)) << "new[] in the program";
  EXPECT_TRUE(allocatedByProgram(log.records[2], program, sources))
      << "a string the program grows, found by source path past the C++ library";
  EXPECT_FALSE(allocatedByProgram(log.records[3], program, sources)) << "freeglut's own";
  EXPECT_FALSE(allocatedByProgram(log.records[1], "/other/kesh-frames", "/elsewhere"));
}

}  // namespace
