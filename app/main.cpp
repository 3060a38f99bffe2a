// Kesh Valdrune: the program's entry. Reads the command line, seeds rand(),
// opens the window, sets up GL and hands control to the GLUT loop, which
// never returns.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/command_line.h"
#include "app/startup.h"
#include "app/tour.h"

int main(int argc, char** argv) {
  switch (readCommandLine(argc, argv, programOptions, stdout, stderr)) {
    case CommandLine::finished:
      return 0;
    case CommandLine::misused:
      return 2;
    case CommandLine::run:
      break;
  }
  const ProgramOptions& options = programOptions;
  std::srand(options.seedGiven ? options.seed : static_cast<unsigned int>(std::time(nullptr)));
  if (options.tour) startTour();
  startUp(&argc, argv);
  glutMainLoop();
  return 1;
}
