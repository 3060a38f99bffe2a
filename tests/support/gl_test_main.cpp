// Test main for GL tests: opens a real GL context (a GLUT window on the test
// display, double-buffered RGBA with alpha and depth, like the program's)
// before running the tests. Listing the tests needs no display.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "app/window.h"

namespace {

constexpr unsigned int testDisplayMode = GLUT_RGB | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH;

void drawNothing() {}

bool listingOnly(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (listingOnly(argc, argv)) return RUN_ALL_TESTS();
  if (!displayAvailable(argc, argv)) return 1;
  int glutArgc = 1;
  glutInit(&glutArgc, argv);
  glutInitDisplayMode(testDisplayMode);
  glutInitWindowSize(windowWidth, windowHeight);
  glutInitWindowPosition(0, 0);
  glutCreateWindow("kesh GL test");
  glutDisplayFunc(drawNothing);
  glutMainLoopEvent();
  return RUN_ALL_TESTS();
}
