// The few window-system calls the callbacks make, gathered in one place so the
// frame tool and the tests can run the very same callbacks without a GLUT loop.
#pragma once

// Special-key codes as GLUT delivers them.
constexpr int specialKeyLeft = 100;
constexpr int specialKeyUp = 101;
constexpr int specialKeyRight = 102;
constexpr int specialKeyDown = 103;

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

// GLUT, the window, the callbacks, the menus, the banner. Without a display
// it says how to run the program under a virtual one and ends with status 1.
void openWindow(int* argc, char** argv);

// Opens a plain GL window with the program's pixel format, for tools and tests
// that draw on their own, and waits until it is on screen. False if the
// window never showed; without a display it ends as openWindow does.
bool openToolWindow(const char* title, int width, int height);

// For tools that drive the callbacks themselves: processes window events until
// the window is on screen, without drawing a frame, then sets the drawing
// projection as GLUT's first reshape does. False if it never showed.
bool waitUntilWindowShown();
