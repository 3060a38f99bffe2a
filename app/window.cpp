#include "app/window.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/banner.h"
#include "app/controller.h"
#include "app/frame.h"
#include "app/input.h"
#include "app/menus.h"
#include "app/startup.h"
#include "platform/clock.h"

static_assert(specialKeyLeft == GLUT_KEY_LEFT && specialKeyUp == GLUT_KEY_UP &&
                  specialKeyRight == GLUT_KEY_RIGHT && specialKeyDown == GLUT_KEY_DOWN,
              "special-key codes must match GLUT's");

namespace {

void glutPostRedisplayCall() { glutPostRedisplay(); }
void glutSetWindowTitleCall(const char* title) { glutSetWindowTitle(title); }
void glutSwapBuffersCall() { glutSwapBuffers(); }

int windowShown = 0;
void drawNothing() {}
// A window that another one covers is on screen all the same: only a
// hidden (unmapped) window is not.
void noteWindowStatus(int state) { windowShown = state != GLUT_HIDDEN; }

constexpr int settleAttempts = 400;
constexpr uint32_t settlePause = 5;  // milliseconds between event checks

const char* const windowTitle = "Kesh Valdrune by Halvorsk";

// The installed command's name, which the no-display message suggests.
const char* const installedCommand = "kesh-valdrune";

// Double-buffered RGBA with alpha and depth.
constexpr unsigned int displayMode = GLUT_RGB | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH;

}  // namespace

WindowCalls windowCalls = {glutPostRedisplayCall, glutSetWindowTitleCall, glutSwapBuffersCall};

bool displayAvailable(int argc, char** argv) {
  const char* name = nullptr;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-display") == 0) name = argv[i + 1];
  }
  Display* display = XOpenDisplay(name);
  if (display) {
    XCloseDisplay(display);
    return true;
  }
  const char* shown = name ? name : std::getenv("DISPLAY");
  // Name the program that failed (the demo, or a tool sharing this check) and
  // show how to start it both as installed and from the build folder.
  const char* slash = argc > 0 && argv[0] ? std::strrchr(argv[0], '/') : nullptr;
  const char* program = slash ? slash + 1 : (argc > 0 && argv[0] ? argv[0] : installedCommand);
  std::fprintf(stderr,
               "%s: cannot open the X display \"%s\".\n"
               "It needs a graphical desktop with OpenGL. Start it from a desktop\n"
               "session, or inside a virtual display, for example:\n",
               program, shown ? shown : "");
  if (std::strcmp(program, installedCommand) == 0)
    std::fprintf(stderr, "    xvfb-run -s '-screen 0 1280x1024x24' %s       (installed)\n",
                 installedCommand);
  std::fprintf(stderr, "    cd build && xvfb-run -s '-screen 0 1280x1024x24' ./%s\n", program);
  return false;
}

void openWindow(int* argc, char** argv) {
  glutInit(argc, argv);
  glutInitDisplayMode(displayMode);
  glutInitWindowSize(windowWidth, windowHeight);
  glutInitWindowPosition(0, 0);
  glutCreateWindow(windowTitle);
  glutDisplayFunc(displayFrame);
  glutIdleFunc(idleUpdate);
  glutReshapeFunc(reshapeWindow);
  glutKeyboardFunc(keyPressed);
  glutSpecialFunc(specialKeyPressed);
  buildMenus();
  printBanner();
}

// Pumps window events until the window status callback reports it mapped.
bool pumpUntilShown() {
  glutWindowStatusFunc(noteWindowStatus);
  for (int attempt = 0; attempt < settleAttempts && !windowShown; ++attempt) {
    glutMainLoopEvent();
    if (!windowShown) sleepMilliseconds(settlePause);
  }
  glutMainLoopEvent();
  glutWindowStatusFunc(nullptr);
  return windowShown != 0;
}

bool openToolWindow(const char* title, int width, int height) {
  static char programName[] = "kesh";
  static char* arguments[] = {programName, nullptr};
  int argumentCount = 1;
  if (!displayAvailable(argumentCount, arguments)) return false;
  glutInit(&argumentCount, arguments);
  glutInitDisplayMode(displayMode);
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
