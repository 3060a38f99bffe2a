// Runs the real program under the test display and watches it from outside:
// its windows, their titles and geometry through X events, its console
// output through pipes, and its exit status. Input goes through xdotool.
#pragma once
#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

struct WindowBox {
  int x = 0, y = 0, width = 0, height = 0;
};

class RunningProgram {
 public:
  RunningProgram();
  ~RunningProgram();  // kills the program if it is still running

  // Starts program with its arguments in workdir, with extra environment
  // entries ("NAME=value"; "NAME=" removes NAME). False if it could not start.
  bool start(const std::string& program, const std::string& workdir,
             const std::vector<std::string>& environment = {},
             const std::vector<std::string>& arguments = {});

  // Waits until the program's main window is mapped; 0 on timeout.
  Window waitForWindow(int timeoutMs);
  // Waits for a title that satisfies accept; false on timeout.
  bool waitForTitle(const std::function<bool(const std::string&)>& accept, int timeoutMs);
  // Waits until a pop-up (override-redirect) window is mapped; 0 on timeout.
  Window waitForPopup(int timeoutMs);
  // Waits for the program to end; its exit status, or -1 on timeout or signal.
  int waitForExit(int timeoutMs);

  // Every title the main window has had, in order, the first as it was mapped.
  const std::vector<std::string>& titles() const { return titles_; }
  const std::string& output() const { return stdout_; }
  const std::string& errors() const { return stderr_; }
  WindowBox box(Window window) const;
  Window window() const { return window_; }
  bool running() const { return pid_ > 0; }
  // True while the program has not ended (looks at the latest events first).
  bool alive();
  // How often the main window's title has been set, changed or not.
  int titleSettings() const { return titleSettings_; }
  // The program's resident memory in kilobytes (VmRSS); -1 when unknown.
  long residentKilobytes() const;

  // Reads a box of the display (root window coordinates) as RGB bytes, rows
  // top to bottom; false if it cannot be read.
  bool grab(int x, int y, int width, int height, std::vector<unsigned char>& rgb) const;

  // Runs an xdotool command line (arguments after "xdotool"); false if it failed.
  static bool xdotool(const std::string& arguments);

 private:
  void pump(int timeoutMs);
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
  std::vector<std::string> titles_;
  int titleSettings_ = 0;
};
