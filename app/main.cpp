// Kesh Valdrune: the program's entry. Seeds rand(), opens the window, sets up
// GL and hands control to the GLUT loop, which never returns.
#include <GL/freeglut.h>

#include <cstdlib>
#include <ctime>

#include "app/startup.h"
#include "app/window.h"

int main(int argc, char** argv) {
  std::srand(static_cast<unsigned int>(std::time(nullptr)));
  startUp(&argc, argv);
  glutMainLoop();
  return 1;
}
