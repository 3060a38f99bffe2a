// GL windows for the tools and the GL tests, opened as the program opens its
// own (GLUT, the program's pixel format, its message without a display), and
// waited for until they are on screen.
#pragma once

// Whether a window status GLUT reports means the window is on screen.
bool windowStatusShows(int state);

// Opens a plain GL window, for tools and tests that draw on their own, and
// waits until it is on screen. False if the window never showed.
bool openToolWindow(const char* title, int width, int height);

// For tools that open the program's own window and drive its callbacks
// themselves: processes window events until the window is on screen, without
// drawing a frame, then sets the drawing projection as GLUT's first reshape
// does. False if it never showed.
bool waitUntilWindowShown();
