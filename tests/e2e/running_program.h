// Runs the real program under the test display and watches it from outside:
// its windows, their titles and geometry through X events, its console
// output through pipes, and its exit status. Input goes through xdotool.
#pragma once
#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/files.h"

// How long any one step of the program (starting, drawing its first frames,
// opening a menu, ending) may take before a test calls it hung. The machines
// are shared and a loaded one is many times slower than a quiet one, so this
// is long: a test waits for what it needs and only a real hang runs into it.
constexpr int hangTimeoutMs = 60000;

struct WindowBox {
  int x = 0, y = 0, width = 0, height = 0;
};

// A display of the test's own: an Xvfb started the way xvfb-run starts one,
// so it resets when its last client leaves. Stopped when the object goes.
class PrivateDisplay {
 public:
  // A screen of width x height pixels, 24 bits deep.
  explicit PrivateDisplay(int width = 1280, int height = 1024);
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  // The display's name, ":N"; empty if the server did not start.
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

class RunningProgram {
 public:
  // Watches the test display (DISPLAY) from before the program starts.
  RunningProgram();
  // Watches nothing until watch() is called, so the program starts as the
  // display's only client.
  struct Unwatched {};
  explicit RunningProgram(Unwatched);
  ~RunningProgram();  // kills the program if it is still running
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Connects to displayName and takes the program's window there (the only
  // top-level window of a display of the test's own); false if it cannot.
  bool watch(const std::string& displayName);

  // Starts program with its arguments in workdir, with extra environment
  // entries ("NAME=value"; "NAME=" removes NAME). False if it could not start.
  bool start(const std::string& program, const std::string& workdir,
             const std::vector<std::string>& environment = {},
             const std::vector<std::string>& arguments = {});

  // Waits until the program's standard output holds text; false on timeout.
  bool waitForOutput(const std::string& text, int timeoutMs = hangTimeoutMs);
  // Waits until the program's main window exists; 0 on timeout.
  Window waitForWindow(int timeoutMs = hangTimeoutMs);
  // Waits for a title that satisfies accept; false on timeout.
  bool waitForTitle(const std::function<bool(const std::string&)>& accept,
                    int timeoutMs = hangTimeoutMs);
  // Waits until the title has been set count more times; false on timeout.
  bool waitForTitleSettings(int count, int timeoutMs = hangTimeoutMs);
  // Waits until the titles report frames more frames drawn; false if the
  // title stops changing first (the program hangs or ends).
  bool waitForFrames(int frames);
  // Waits until a pop-up (override-redirect) window is mapped; 0 on timeout.
  Window waitForPopup(int timeoutMs = hangTimeoutMs);
  // Waits until no pop-up window of the display is mapped; false on timeout.
  bool waitForPopupsClosed(int timeoutMs = hangTimeoutMs);
  // Waits for the program to end; its exit status, or -1 on timeout or signal.
  int waitForExit(int timeoutMs = hangTimeoutMs);
  // Sends Escape to the main window and waits for the program to end; its
  // exit status as waitForExit gives it.
  int quitWithEscape();

  // Every title the main window has had, in order, the first as it was mapped.
  const std::vector<std::string>& titles() const { return titles_; }
  const std::string& output() const { return stdout_; }
  const std::string& errors() const { return stderr_; }
  WindowBox box(Window window) const;
  // The whole screen of the display watched.
  WindowBox screenBox() const;
  Window window() const { return window_; }
  bool running() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // True while the program has not ended (looks at the latest events first).
  bool alive();
  // How often the main window's title has been set, changed or not.
  int titleSettings() const { return titleSettings_; }
  // The frames drawn so far as the rate titles tell them (a title is set
  // once a second while frames are drawn, with the last second's count).
  long framesReported() const { return framesReported_; }
  // The rate a frame-rate title shows; -1 for any other title.
  static int titleRate(const std::string& title);
  // The program's resident memory in kilobytes (VmRSS); -1 when unknown.
  long residentKilobytes() const;

  // Reads a box of the display (root window coordinates) as RGB bytes, rows
  // top to bottom; false if it cannot be read.
  bool grab(int x, int y, int width, int height, std::vector<unsigned char>& rgb) const;

  // Runs an xdotool command line (arguments after "xdotool"); false if it failed.
  static bool xdotool(const std::string& arguments);

 private:
  void pump(int timeoutMs);
  void connect(const char* displayName);
  void handle(const XEvent& event);
  void noteTitle();
  void drainPipes();

  Display* display_ = nullptr;
  pid_t pid_ = -1;
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
