#include "tools/common/tool_window.h"

#include <GL/freeglut.h>

#include <cstdint>

#include "app/frame.h"
#include "app/projection.h"
#include "app/window.h"
#include "platform/clock.h"

namespace {

// A window shows within a moment on a quiet machine; a loaded one may take
// many seconds, and only a window that never shows runs into this.
constexpr uint32_t showTimeout = 60000;  // milliseconds
constexpr uint32_t settlePause = 5;      // milliseconds between event checks

// What the window status callback last reported.
struct ToolWindowState {
  int shown = 0;
};
ToolWindowState toolWindow;

void drawNothing() {}

void noteWindowStatus(int state) { toolWindow.shown = windowStatusShows(state); }

// Pumps window events until the window status callback reports it mapped.
bool pumpUntilShown() {
  glutWindowStatusFunc(noteWindowStatus);
  const uint32_t start = clockMilliseconds();
  while (!toolWindow.shown && static_cast<uint32_t>(clockMilliseconds() - start) < showTimeout) {
    glutMainLoopEvent();
    if (!toolWindow.shown) sleepMilliseconds(settlePause);
  }
  glutMainLoopEvent();
  glutWindowStatusFunc(nullptr);
  return toolWindow.shown != 0;
}

}  // namespace

// A window that another one covers is on screen all the same: only a
// hidden (unmapped) window is not.
bool windowStatusShows(int state) { return state != GLUT_HIDDEN; }

bool openToolWindow(const char* title, int width, int height) {
  static char programName[] = "kesh";
  static char* arguments[] = {programName, nullptr};
  int argumentCount = 1;
  initGlut(&argumentCount, arguments);
  glutInitWindowSize(width, height);
  glutInitWindowPosition(0, 0);
  glutCreateWindow(title);
  glutDisplayFunc(drawNothing);
  return pumpUntilShown();
}

bool waitUntilWindowShown() {
  glutDisplayFunc(drawNothing);
  const bool shown = pumpUntilShown();
  glutDisplayFunc(displayFrame);
  reshapeWindow(windowWidth, windowHeight);
  return shown;
}
