// Test main for GL tests: opens a real GL context (a window on the test display
// with the program's pixel format) first; listing the tests needs no display.
#include <gtest/gtest.h>

#include <cstring>

#include "app/window.h"
#include "tools/common/tool_window.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return RUN_ALL_TESTS();
  }
  if (!openToolWindow("kesh GL test", windowWidth, windowHeight)) return 1;
  return RUN_ALL_TESTS();
}
