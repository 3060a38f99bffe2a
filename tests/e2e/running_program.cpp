#include "tests/e2e/running_program.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

using Clock = std::chrono::steady_clock;

// Windows of the program may vanish between an event and our request about
// them (it is ending); such errors are expected and must not end the test.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

int millisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

PrivateDisplay::PrivateDisplay(int width, int height) {
  int ready[2];
  if (pipe(ready) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(ready[0]);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
    const std::string fd = std::to_string(ready[1]);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
           "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  // The server writes its display number once it accepts clients.
  std::string number;
  char c;
  while (pid_ > 0 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
  close(ready[0]);
  if (!number.empty()) name_ = ":" + number;
}

PrivateDisplay::~PrivateDisplay() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

RunningProgram::RunningProgram() { connect(nullptr); }

RunningProgram::RunningProgram(Unwatched) {}

void RunningProgram::connect(const char* displayName) {
  display_ = XOpenDisplay(displayName);
  XSetErrorHandler(ignoreXErrors);
  if (display_) XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
}

bool RunningProgram::watch(const std::string& displayName) {
  connect(displayName.c_str());
  if (!display_) return false;
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count && window_ == 0; ++i) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display_, children[i], &attributes) &&
          !attributes.override_redirect) {
        window_ = children[i];
        XSelectInput(display_, window_, PropertyChangeMask | StructureNotifyMask);
        noteTitle();
      }
    }
    if (children) XFree(children);
  }
  return window_ != 0;
}

RunningProgram::~RunningProgram() {
  if (pid_ > 0 && !exited_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (outFd_ >= 0) close(outFd_);
  if (errFd_ >= 0) close(errFd_);
  if (display_) XCloseDisplay(display_);
}

bool RunningProgram::start(const std::string& program, const std::string& workdir,
                           const std::vector<std::string>& environment,
                           const std::vector<std::string>& arguments) {
  if (display_) XSync(display_, False);
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) return false;
  pid_ = fork();
  if (pid_ < 0) return false;
  if (pid_ == 0) {
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    close(out[0]);
    close(err[0]);
    for (const std::string& entry : environment) {
      const size_t eq = entry.find('=');
      const std::string name = entry.substr(0, eq);
      const std::string value = entry.substr(eq + 1);
      if (value.empty()) {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    if (chdir(workdir.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  outFd_ = out[0];
  errFd_ = err[0];
  fcntl(outFd_, F_SETFL, O_NONBLOCK);
  fcntl(errFd_, F_SETFL, O_NONBLOCK);
  return true;
}

void RunningProgram::drainPipes() {
  char buffer[4096];
  for (auto [fd, text] : {std::pair<int, std::string*>{outFd_, &stdout_}, {errFd_, &stderr_}}) {
    if (fd < 0) continue;
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text->append(buffer, n);
  }
}

void RunningProgram::noteTitle() {
  char* name = nullptr;
  if (XFetchName(display_, window_, &name) && name) {
    if (titles_.empty() || titles_.back() != name) titles_.push_back(name);
    XFree(name);
  }
}

void RunningProgram::handle(const XEvent& event) {
  switch (event.type) {
    case CreateNotify:
      if (!event.xcreatewindow.override_redirect && window_ == 0) {
        window_ = event.xcreatewindow.window;
        XSelectInput(display_, window_, PropertyChangeMask | StructureNotifyMask);
        noteTitle();
      }
      break;
    case MapNotify:
      if (event.xmap.window == window_) {
        noteTitle();
      } else if (event.xmap.override_redirect) {
        popup_ = event.xmap.window;
        mappedPopups_.insert(popup_);
      }
      break;
    case UnmapNotify:
      mappedPopups_.erase(event.xunmap.window);
      break;
    case DestroyNotify:
      mappedPopups_.erase(event.xdestroywindow.window);
      break;
    case PropertyNotify:
      if (event.xproperty.window == window_ && event.xproperty.atom == XA_WM_NAME) {
        ++titleSettings_;
        noteTitle();
        // A title is set while a frame is drawn, so it stands for one at least.
        const int rate = titles_.empty() ? -1 : titleRate(titles_.back());
        if (rate >= 0) framesReported_ += std::max(1, rate);
      }
      break;
    default:
      break;
  }
}

void RunningProgram::pump(int timeoutMs) {
  if (!exited_ && pid_ > 0) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      exited_ = true;
      exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  pollfd fds[3] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}, {-1, POLLIN, 0}};
  if (!display_) {
    poll(fds, 2, timeoutMs);
    drainPipes();
    return;
  }
  fds[2].fd = ConnectionNumber(display_);
  if (XPending(display_) == 0) poll(fds, 3, timeoutMs);
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    handle(event);
  }
  drainPipes();
}

bool RunningProgram::waitForOutput(const std::string& text, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (stdout_.find(text) == std::string::npos && millisecondsLeft(deadline) > 0 && !exited_) {
    pump(20);
  }
  pump(0);
  return stdout_.find(text) != std::string::npos;
}

Window RunningProgram::waitForWindow(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (titles_.empty() && millisecondsLeft(deadline) > 0 && !exited_) pump(20);
  return titles_.empty() ? 0 : window_;
}

bool RunningProgram::waitForTitle(const std::function<bool(const std::string&)>& accept,
                                  int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    for (const std::string& title : titles_) {
      if (accept(title)) return true;
    }
    if (millisecondsLeft(deadline) == 0 || exited_) return false;
    pump(20);
  }
}

bool RunningProgram::waitForTitleSettings(int count, int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  const int target = titleSettings_ + count;
  while (titleSettings_ < target && millisecondsLeft(deadline) > 0 && !exited_) pump(20);
  return titleSettings_ >= target;
}

bool RunningProgram::waitForFrames(int frames) {
  const long target = framesReported_ + frames;
  while (framesReported_ < target) {
    if (!waitForTitleSettings(1)) return false;
  }
  return true;
}

int RunningProgram::titleRate(const std::string& title) {
  static const std::regex form(R"(Kesh Valdrune by Halvorsk       \[ FPS: (\d+) \])");
  std::smatch match;
  return std::regex_match(title, match, form) ? std::stoi(match[1]) : -1;
}

bool RunningProgram::waitForPopupsClosed(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  pump(0);
  while (!mappedPopups_.empty() && millisecondsLeft(deadline) > 0) pump(20);
  return mappedPopups_.empty();
}

Window RunningProgram::waitForPopup(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  popup_ = 0;
  while (popup_ == 0 && millisecondsLeft(deadline) > 0 && !exited_) pump(20);
  return popup_;
}

int RunningProgram::waitForExit(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!exited_ && millisecondsLeft(deadline) > 0) pump(20);
  if (!exited_) return -1;
  for (int i = 0; i < 5; ++i) pump(0);  // the last output
  return exitStatus_;
}

int RunningProgram::quitWithEscape() {
  // The program ends on the key press, so xdotool's release may find no
  // window left and report failure: only the exit status counts.
  xdotool("key --window " + std::to_string(window_) + " Escape");
  return waitForExit();
}

bool RunningProgram::alive() {
  pump(0);
  return pid_ > 0 && !exited_;
}

long RunningProgram::residentKilobytes() const {
  if (pid_ <= 0 || exited_) return -1;
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

WindowBox RunningProgram::box(Window window) const {
  WindowBox result;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display_, window, &attributes)) return result;
  Window child;
  XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &result.x, &result.y,
                        &child);
  result.width = attributes.width;
  result.height = attributes.height;
  return result;
}

bool RunningProgram::xdotool(const std::string& arguments) {
  const std::string command = "xdotool " + arguments + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

WindowBox RunningProgram::screenBox() const {
  if (!display_) return {};
  return {0, 0, DisplayWidth(display_, DefaultScreen(display_)),
          DisplayHeight(display_, DefaultScreen(display_))};
}

bool RunningProgram::grab(int x, int y, int width, int height,
                          std::vector<unsigned char>& rgb) const {
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), x, y,
                            static_cast<unsigned>(width), static_cast<unsigned>(height), AllPlanes,
                            ZPixmap);
  if (!image) return false;
  // The shift that brings a colour mask's top byte to the low end.
  const auto shiftOf = [](unsigned long mask) {
    int shift = 0;
    while (mask > 0xff) {
      mask >>= 1;
      ++shift;
    }
    return shift;
  };
  const int rs = shiftOf(image->red_mask), gs = shiftOf(image->green_mask),
            bs = shiftOf(image->blue_mask);
  rgb.resize(static_cast<size_t>(width) * height * 3);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const unsigned long pixel = XGetPixel(image, column, row);
      unsigned char* out = &rgb[(static_cast<size_t>(row) * width + column) * 3];
      out[0] = static_cast<unsigned char>((pixel & image->red_mask) >> rs);
      out[1] = static_cast<unsigned char>((pixel & image->green_mask) >> gs);
      out[2] = static_cast<unsigned char>((pixel & image->blue_mask) >> bs);
    }
  }
  XDestroyImage(image);
  return true;
}
