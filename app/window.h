// The few window-system calls the callbacks make, gathered in one place so the
// frame tool and the tests can run the very same callbacks without a GLUT loop.
#pragma once

// Special-key codes as GLUT delivers them.
constexpr int specialKeyLeft = 100;
constexpr int specialKeyUp = 101;
constexpr int specialKeyRight = 102;
constexpr int specialKeyDown = 103;

// Mouse-button and menu states as GLUT delivers them.
constexpr int mouseButtonDown = 0;
constexpr int menuInUse = 1;

// The input callbacks while the tour runs: any key or mouse button, or the
// menu, hands the program back to the user; a key then does what it always does.
void keyEndingTour(unsigned char key, int x, int y);
void specialKeyEndingTour(int key, int x, int y);
void buttonEndingTour(int button, int state, int x, int y);
void menuEndingTour(int status, int x, int y);

// The window's title; the frame-rate title adds the rate to it.
constexpr const char* windowTitle = "Kesh Valdrune by Halvorsk";

// Window width and height the program asks for and sets up GL with.
constexpr int windowWidth = 1024;
constexpr int windowHeight = 768;

// Calls into the window system made from inside the callbacks. They default to
// GLUT; the frame tool and tests replace entries to capture or count them.
struct WindowCalls {
  void (*postRedisplay)();
  void (*setTitle)(const char* title);
  void (*swapBuffers)();
};
extern WindowCalls windowCalls;

// GLUT with the program's error handling and pixel format, before any window
// opens; the tools' windows start with it too. Without a display it says how
// to run the program under a virtual one and ends with status 1.
void initGlut(int* argc, char** argv);

// initGlut, then the window, the callbacks, the menus, the banner.
void openWindow(int* argc, char** argv);
