// Runs the real program on an Xvfb display of its own (so runs never see each
// other's windows) and watches it from outside: window, title and menus
// through X events, output through pipes, exit status; input via xdotool.
#pragma once
#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/files.h"

// How long one step (a start, a frame, a menu, the end) may take before a
// test calls it hung: long, as only a hang should reach it.
constexpr int hangTimeoutMs = 60000;

struct WindowBox {
  int x = 0, y = 0, width = 0, height = 0;
};

// Width 0: no display (DISPLAY unset). Unwatched: the program starts as the
// display's only client, the way xvfb-run starts it, and watch() comes later.
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

  bool start(const std::string& program, const std::string& workdir, const std::vector<std::string>& arguments = {});
  bool watch();  // connects and takes the display's one top-level window

  // Handles events and output until done() holds, the program ends or the
  // time runs out; done()'s last answer.
  bool waitFor(const std::function<bool()>& done, int timeoutMs = hangTimeoutMs);
  Window waitForWindow() { return waitFor([this] { return !titles_.empty(); }) ? window_ : 0; }
  bool waitForRate() { return waitFor([this] { return !titles_.empty() && titleRate(titles_.back()) >= 0; }); }
  bool waitForFrames(int frames);  // false if the rate titles stop first
  Window waitForPopup(int timeoutMs = hangTimeoutMs) {  // a menu mapped from now on, or 0
    popup_ = 0;
    return waitFor([this] { return popup_ != 0; }, timeoutMs) ? popup_ : 0;
  }
  bool waitForPopupsClosed(int timeoutMs = hangTimeoutMs) {
    return waitFor([this] { return mappedPopups_.empty(); }, timeoutMs);
  }
  int waitForExit(int timeoutMs = hangTimeoutMs) {  // the exit status; -1 on a hang or a signal
    return waitFor([this] { return exited_; }, timeoutMs) ? exitStatus_ : -1;
  }
  int quitWithEscape();
  bool alive() { return pid_ > 0 && !waitFor([this] { return exited_; }, 0); }

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
  bool xdotool(const std::string& arguments) const;  // on the run's display

 private:
  void pump(int timeoutMs);
  void take(Window window);
  void noteTitle();

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

// A shell command's output and errors together, and its exit status (-1 when
// it did not exit normally).
struct CommandResult {
  int status = -1;
  std::string output;
};
CommandResult runCommand(const std::string& command);
std::string shellQuoted(const std::string& text);

std::string banner();  // what the program prints as it starts
std::vector<std::string> programMenuLabels();  // read from the source that builds the menus

// Starts launcher in workdir, waits for a rate title, runs more, ends it with
// Escape and expects status 0, the banner and no errors.
void expectRunEndsOnEscape(const std::string& launcher, const std::string& workdir,
                           const std::vector<std::string>& arguments = {},
                           const std::function<void(RunningProgram&)>& more = {});
