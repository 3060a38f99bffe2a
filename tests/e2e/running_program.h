// Runs the real program, each run on an Xvfb display of its own (so runs
// never see each other's windows and tests run side by side), and watches it
// from outside: its window, title and menus through X events, its output
// through pipes, its exit status. Input goes through xdotool on that display.
#pragma once
#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/files.h"

// How long one step of the program (starting, drawing a frame, opening a
// menu, ending) may take before a test calls it hung: long, as a loaded
// machine is many times slower than a quiet one and only a hang should reach it.
constexpr int hangTimeoutMs = 60000;

struct WindowBox {
  int x = 0, y = 0, width = 0, height = 0;
};

// The display a run gets. Width 0: none (DISPLAY unset); -1: the test's own
// DISPLAY, shared. Unwatched: the program starts as the display's first and
// only client, the way xvfb-run starts it, and watch() connects later.
struct RunScreen {
  int width = 1280, height = 1024;
  bool watched = true;
};

class RunningProgram {
 public:
  explicit RunningProgram(RunScreen screen = {});
  ~RunningProgram();  // kills the program if it still runs, then the display
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Starts program in workdir with extra environment entries ("NAME=value";
  // "NAME=" removes NAME); false if it could not start.
  bool start(const std::string& program, const std::string& workdir,
             const std::vector<std::string>& environment = {},
             const std::vector<std::string>& arguments = {});
  bool watch();  // connects and takes the display's one top-level window

  // Handles events and output until done() holds, the program ends or the
  // time runs out; done()'s last answer.
  bool waitFor(const std::function<bool()>& done, int timeoutMs = hangTimeoutMs);
  Window waitForWindow();  // once it has a title; 0 if none came
  // The titles report frames more frames; false if they stop changing first.
  bool waitForFrames(int frames);
  Window waitForPopup(int timeoutMs = hangTimeoutMs);  // a menu mapped from now on, or 0
  bool waitForPopupsClosed(int timeoutMs = hangTimeoutMs);
  int waitForExit(int timeoutMs = hangTimeoutMs);  // the exit status; -1 on a hang or a signal
  int quitWithEscape();
  bool alive();

  const std::vector<std::string>& titles() const { return titles_; }  // in order, repeats merged
  int titleSettings() const { return titleSettings_; }
  long framesReported() const { return framesReported_; }  // summed from the rate titles
  static int titleRate(const std::string& title);           // -1: not a rate title
  const std::string& output() const { return stdout_; }
  const std::string& errors() const { return stderr_; }
  Window window() const { return window_; }
  pid_t pid() const { return pid_; }
  WindowBox box(Window window) const;
  // A box of the screen as RGB bytes, rows top to bottom; false if unreadable.
  bool grab(const WindowBox& box, std::vector<unsigned char>& rgb) const;
  bool xdotool(const std::string& arguments) const;  // on the run's display; false if it failed

 private:
  void pump(int timeoutMs);
  void take(Window window);
  void noteTitle();
  void handle(const XEvent& event);

  pid_t xvfb_ = -1, pid_ = -1;
  std::string displayName_;
  Display* display_ = nullptr;
  int exitStatus_ = -1;
  bool exited_ = false;
  int outFd_ = -1, errFd_ = -1;
  std::string stdout_, stderr_;
  Window window_ = 0, popup_ = 0;
  std::set<Window> mappedPopups_;
  std::vector<std::string> titles_;
  int titleSettings_ = 0;
  long framesReported_ = 0;
};

// A shell command's output and errors together, and its exit status (-1
// when it did not exit normally): for the tools around the program.
struct CommandResult {
  int status = -1;
  std::string output;
};
CommandResult runCommand(const std::string& command);
std::string shellQuoted(const std::string& text);

std::string banner();  // what the program prints as it starts
// Every menu label the program builds, read from the source that builds them.
std::vector<std::string> programMenuLabels();

// Starts the launcher in workdir, waits for a frame-rate title, ends it with
// Escape, and expects status 0, the banner and no errors.
void expectRunEndsOnEscape(const std::string& launcher, const std::string& workdir);
