// GoogleTest comes before Xlib, whose macros (None, Bool) it would trip on.
#include <gtest/gtest.h>

#include "tests/e2e/running_program.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <regex>

namespace {

// Windows may vanish between an event and a request while the program ends.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

void killAndWait(pid_t pid, int signal) {
  if (pid <= 0) return;
  kill(pid, signal);
  waitpid(pid, nullptr, 0);
}

}  // namespace

RunningProgram::RunningProgram(RunScreen screen) {
  int ready[2];
  if (screen.width <= 0 || pipe(ready) != 0) return;
  xvfb_ = fork();
  if (xvfb_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);  // gone with the test, however it ends
    close(ready[0]);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDOUT_FILENO);
    dup2(devNull, STDERR_FILENO);
    const std::string size = std::to_string(screen.width) + "x" + std::to_string(screen.height) + "x24";
    execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(ready[1]).c_str(), "-screen", "0",
           size.c_str(), "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  char c;  // the server writes its number once it takes clients
  while (xvfb_ > 0 && read(ready[0], &c, 1) == 1 && c != '\n') displayName_ += c;
  close(ready[0]);
  if (!displayName_.empty()) displayName_.insert(0, ":");
  if (screen.watched) watch();
}

RunningProgram::~RunningProgram() {
  if (!exited_) killAndWait(pid_, SIGKILL);
  for (const int fd : {outFd_, errFd_}) {
    if (fd >= 0) close(fd);
  }
  if (display_) XCloseDisplay(display_);
  killAndWait(xvfb_, SIGTERM);
}

bool RunningProgram::watch() {
  if (!display_ && !displayName_.empty()) display_ = XOpenDisplay(displayName_.c_str());
  if (!display_) return false;
  XSetErrorHandler(ignoreXErrors);
  XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
  Window root, parent, *children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
    for (unsigned int i = 0; i < count; ++i) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(display_, children[i], &attributes) && !attributes.override_redirect) {
        take(children[i]);
      }
    }
    if (children) XFree(children);
  }
  return window_ != 0;
}

bool RunningProgram::start(const std::string& program, const std::string& workdir,
                           const std::vector<std::string>& arguments) {
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0 || (pid_ = fork()) < 0) return false;
  if (pid_ == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    close(out[0]);
    close(err[0]);
    displayName_.empty() ? unsetenv("DISPLAY") : setenv("DISPLAY", displayName_.c_str(), 1);
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

void RunningProgram::take(Window window) {
  if (window_ != 0) return;
  window_ = window;
  XSelectInput(display_, window_, PropertyChangeMask | StructureNotifyMask);
  noteTitle();
}

void RunningProgram::noteTitle() {
  char* name = nullptr;
  if (XFetchName(display_, window_, &name) && name) {
    if (titles_.empty() || titles_.back() != name) titles_.push_back(name);
    XFree(name);
  }
}

void RunningProgram::pump(int timeoutMs) {
  int status = 0;
  if (!exited_ && pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
    exited_ = true;
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  pollfd fds[3] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0},
                   {display_ ? ConnectionNumber(display_) : -1, POLLIN, 0}};
  if (!display_ || XPending(display_) == 0) poll(fds, 3, exited_ ? 0 : timeoutMs);
  while (display_ && XPending(display_) > 0) {
    XEvent e;
    XNextEvent(display_, &e);
    if (e.type == CreateNotify && !e.xcreatewindow.override_redirect) take(e.xcreatewindow.window);
    if (e.type == MapNotify && e.xmap.override_redirect) mappedPopups_.insert(popup_ = e.xmap.window);
    if (e.type == UnmapNotify) mappedPopups_.erase(e.xunmap.window);
    if (e.type == DestroyNotify) mappedPopups_.erase(e.xdestroywindow.window);
    if (e.type == MapNotify && e.xmap.window == window_) noteTitle();
    if (e.type != PropertyNotify || e.xproperty.window != window_ || e.xproperty.atom != XA_WM_NAME) continue;
    noteTitle();
    ++titleSettings_;
    // A title is set while a frame is drawn, so it stands for one frame at least.
    if (titleRate(titles_.back()) >= 0) framesReported_ += std::max(1, titleRate(titles_.back()));
  }
  char buffer[4096];
  for (auto [fd, text] : {std::pair<int, std::string*>{outFd_, &stdout_}, {errFd_, &stderr_}}) {
    for (ssize_t n; fd >= 0 && (n = read(fd, buffer, sizeof buffer)) > 0;) text->append(buffer, n);
  }
}

bool RunningProgram::waitFor(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  pump(0);
  while (!done() && !exited_ && std::chrono::steady_clock::now() < deadline) pump(20);
  for (int i = 0; i < 5 && exited_; ++i) pump(0);  // what it wrote last
  return done();
}

bool RunningProgram::waitForFrames(int frames) {
  const long target = framesReported_ + frames;
  while (framesReported_ < target) {
    const int settings = titleSettings_;
    if (!waitFor([&] { return titleSettings_ > settings; })) return false;
  }
  return true;
}

int RunningProgram::quitWithEscape() {
  // It ends on the press, so xdotool may fail on the release: only the status counts.
  xdotool("key --window " + std::to_string(window_) + " Escape");
  return waitForExit();
}

int RunningProgram::titleRate(const std::string& title) {
  static const std::regex form(R"(Kesh Valdrune by Halvorsk       \[ FPS: (\d+) \])");
  std::smatch match;
  return std::regex_match(title, match, form) ? std::stoi(match[1]) : -1;
}

WindowBox RunningProgram::box(Window window) const {
  WindowBox result;
  XWindowAttributes attributes;
  if (!display_ || !XGetWindowAttributes(display_, window, &attributes)) return result;
  Window child;
  XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &result.x, &result.y, &child);
  result.width = attributes.width;
  result.height = attributes.height;
  return result;
}

bool RunningProgram::grab(const WindowBox& box, std::vector<unsigned char>& rgb) const {
  XImage* image = display_ ? XGetImage(display_, DefaultRootWindow(display_), box.x, box.y, box.width,
                                       box.height, AllPlanes, ZPixmap)
                           : nullptr;
  if (!image) return false;
  rgb.clear();
  for (int row = 0; row < box.height; ++row) {
    for (int column = 0; column < box.width; ++column) {
      const unsigned long pixel = XGetPixel(image, column, row);  // 24-bit: 0xRRGGBB
      for (const int shift : {16, 8, 0}) rgb.push_back(static_cast<unsigned char>(pixel >> shift));
    }
  }
  XDestroyImage(image);
  return true;
}

bool RunningProgram::xdotool(const std::string& arguments) const {
  return std::system(("DISPLAY=" + displayName_ + " xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

CommandResult runCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, n);
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string shellQuoted(const std::string& text) {
  return "'" + std::regex_replace(text, std::regex("'"), "'\\''") + "'";
}

std::string banner() { return readFile(KESH_SOURCE_DIR "/tests/e2e/banner.txt"); }

std::vector<std::string> programMenuLabels() {
  static const std::regex label(R"re(glutAdd(?:MenuEntry|SubMenu)\("([^"]+)")re");
  const std::string source = readFile(KESH_SOURCE_DIR "/app/menus.cpp");
  std::vector<std::string> labels;
  for (std::sregex_iterator it(source.begin(), source.end(), label), end; it != end; ++it) {
    labels.push_back((*it)[1]);
  }
  return labels;
}

void expectRunEndsOnEscape(const std::string& launcher, const std::string& workdir,
                           const std::vector<std::string>& arguments,
                           const std::function<void(RunningProgram&)>& more) {
  RunningProgram run;
  ASSERT_TRUE(run.start(launcher, workdir, arguments));
  ASSERT_NE(run.waitForWindow(), 0u) << run.output() << run.errors();
  EXPECT_EQ(run.titles()[0], "Kesh Valdrune by Halvorsk");
  EXPECT_TRUE(run.waitForRate()) << "no rate title: the textures did not load or no frame came";
  if (more) more(run);
  EXPECT_EQ(run.quitWithEscape(), 0);
  EXPECT_EQ(run.output(), banner());
  EXPECT_EQ(run.errors(), "");
}
