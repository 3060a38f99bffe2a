// The program's command line: its own options, read with getopt_long, and
// GLUT's X options (-display NAME, -geometry WxH+X+Y, -sync, ...), which are
// left in place for glutInit.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

// What the options ask for; everything off is the program as it always ran.
struct ProgramOptions {
  int fullscreen = 0;       // cover the whole screen
  int framesPerSecond = 0;  // the most frames a second; 0 draws as fast as it can
  int tour = 0;             // show the scenes in turn until a key or button is pressed
  int seedGiven = 0;        // seed the random stream with seed instead of the time
  unsigned int seed = 0;
  int geometryGiven = 0;    // GLUT's -geometry sets the window's size and place
};
extern ProgramOptions programOptions;

// The range --fps takes.
constexpr int leastFramesPerSecond = 1;
constexpr int mostFramesPerSecond = 1000;

enum class CommandLine {
  run,       // go on and start the program
  finished,  // --help or --version was answered: end with status 0
  misused,   // a bad option or value was reported: end with status 2
};

// The program's own long options, without their dashes, in the order --help
// lists them.
std::vector<std::string> longOptionNames();

// Reads the command line into options. The program's own options are taken
// out of argv (argc shrinks); the program's name and GLUT's options stay, in
// order, for glutInit. --help and --version are answered on out, mistakes
// reported on errors.
CommandLine readCommandLine(int& argc, char** argv, ProgramOptions& options, std::FILE* out,
                            std::FILE* errors);
