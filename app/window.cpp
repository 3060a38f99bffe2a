#include "app/window.h"

#include <GL/freeglut.h>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/banner.h"
#include "app/command_line.h"
#include "app/controller.h"
#include "app/frame.h"
#include "app/input.h"
#include "app/menus.h"
#include "app/pacing.h"
#include "app/projection.h"
#include "app/tour.h"

static_assert(specialKeyLeft == GLUT_KEY_LEFT && specialKeyUp == GLUT_KEY_UP &&
                  specialKeyRight == GLUT_KEY_RIGHT && specialKeyDown == GLUT_KEY_DOWN,
              "special-key codes must match GLUT's");

namespace {

void glutPostRedisplayCall() { glutPostRedisplay(); }
void glutSetWindowTitleCall(const char* title) { glutSetWindowTitle(title); }
void glutSwapBuffersCall() { glutSwapBuffers(); }

// The installed command's name, which the no-display message suggests.
const char* const installedCommand = "kesh-valdrune";

// Double-buffered RGBA with alpha and depth.
constexpr unsigned int displayMode = GLUT_RGB | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH;

// How GLUT words its error when the X display cannot be opened; the one
// argument is the display's name.
const char* const displayFailure = "failed to open display '%s'";

// The program's name as started, for GLUT's errors.
const char* programName = installedCommand;

// Says that the display cannot be opened and how to start the program under
// a virtual display, both as installed and from the build folder.
void explainMissingDisplay(const char* display) {
  std::fprintf(stderr,
               "%s: cannot open the X display \"%s\".\n"
               "It needs a graphical desktop with OpenGL. Start it from a desktop\n"
               "session, or inside a virtual display, for example:\n",
               programName, display);
  if (std::strcmp(programName, installedCommand) == 0)
    std::fprintf(stderr, "    xvfb-run -s '-screen 0 1280x1024x24' %s       (installed)\n",
                 installedCommand);
  std::fprintf(stderr, "    cd build && xvfb-run -s '-screen 0 1280x1024x24' ./%s\n",
               programName);
}

// GLUT's fatal errors, which end the program with status 1: a display that
// cannot be opened gets the message above, anything else is shown as GLUT
// itself shows it.
void endOnGlutError(const char* format, va_list arguments) {
  if (std::strcmp(format, displayFailure) == 0) {
    explainMissingDisplay(va_arg(arguments, const char*));
  } else {
    std::fprintf(stderr, "freeglut (%s): ", programName);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
  }
  std::exit(1);
}

// The idle step at the pace --fps asks for.
void pacedIdleUpdate() {
  waitForFrameSlot();
  idleUpdate();
}

// What GLUT calls when idle: the idle step, paced when --fps was given.
void (*idleCallback())() { return programOptions.framesPerSecond > 0 ? pacedIdleUpdate : idleUpdate; }

// A window nobody can see (minimised, on another workspace, or covered
// whole) does no idle work: its animations wait and the process sleeps. It
// carries on from the same state when it is shown again.
void pauseWhileHidden(int state) {
  const bool visible = state != GLUT_HIDDEN && state != GLUT_FULLY_COVERED;
  glutIdleFunc(visible ? idleCallback() : nullptr);
  if (visible) restartPacing();
}

}  // namespace

static_assert(mouseButtonDown == GLUT_DOWN && menuInUse == GLUT_MENU_IN_USE,
              "button and menu states must match GLUT's");

void keyEndingTour(unsigned char key, int x, int y) {
  endTour();
  keyPressed(key, x, y);
}
void specialKeyEndingTour(int key, int x, int y) {
  endTour();
  specialKeyPressed(key, x, y);
}
void buttonEndingTour(int, int state, int, int) {
  if (state == mouseButtonDown) endTour();
}
void menuEndingTour(int status, int, int) {
  if (status == menuInUse) endTour();
}

WindowCalls windowCalls = {glutPostRedisplayCall, glutSetWindowTitleCall, glutSwapBuffersCall};

// GLUT's initialisation opens the display (the process's one connection to
// it) and takes GLUT's own options such as "-display NAME".
void initGlut(int* argc, char** argv) {
  if (*argc > 0 && argv[0]) {
    const char* slash = std::strrchr(argv[0], '/');
    programName = slash ? slash + 1 : argv[0];
  }
  glutInitErrorFunc(endOnGlutError);
  glutInit(argc, argv);
  glutInitDisplayMode(displayMode);
}

void openWindow(int* argc, char** argv) {
  const ProgramOptions& options = programOptions;
  initGlut(argc, argv);
  if (options.fullscreen) {
    glutInitWindowSize(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    glutInitWindowPosition(0, 0);
  } else if (!options.geometryGiven) {
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(0, 0);
  }
  glutCreateWindow(windowTitle);
  if (options.fullscreen) glutFullScreen();
  glutDisplayFunc(displayFrame);
  glutIdleFunc(idleCallback());
  glutReshapeFunc(reshapeWindow);
  glutKeyboardFunc(options.tour ? keyEndingTour : keyPressed);
  glutSpecialFunc(options.tour ? specialKeyEndingTour : specialKeyPressed);
  if (options.tour) {
    glutMouseFunc(buttonEndingTour);
    glutMenuStatusFunc(menuEndingTour);
  }
  glutWindowStatusFunc(pauseWhileHidden);
  buildMenus();
  printBanner();
}
