#include "tools/bench/process_info.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "tools/bench/units.h"

namespace {

// The start time is field 22 of the stat line; the first field after the
// command name is field 3.
constexpr int startTimeField = 22;
constexpr int firstFieldAfterName = 3;
constexpr double kibPerMib = 1024.0;
// The fields of /proc/stat's cpu line, in order; the busy ones are summed.
enum CpuField { user, nice, system, idle, iowait, irq, softirq, steal, cpuFieldCount };
constexpr bool busyField[cpuFieldCount] = {true, true, true, false, false, true, true, true};

// A whole (small) file as text; empty when it cannot be read.
std::string readWholeFile(const char* path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

// Counts the fields after the command name up to the start time.
long long startTicksFromStat(const std::string& statLine) {
  const size_t nameEnd = statLine.rfind(')');
  if (nameEnd == std::string::npos) return -1;
  std::istringstream fields(statLine.substr(nameEnd + 1));
  std::string field;
  for (int number = firstFieldAfterName; fields >> field; ++number) {
    if (number == startTimeField) {
      char* end = nullptr;
      const long long ticks = std::strtoll(field.c_str(), &end, 10);
      return *end == '\0' ? ticks : -1;
    }
  }
  return -1;
}

// Both clocks count from boot: the kernel's start stamp in ticks and the
// boot-time clock now.
double millisecondsSinceProcessStart() {
  const long long ticks = startTicksFromStat(readWholeFile("/proc/self/stat"));
  const long ticksPerSecond = sysconf(_SC_CLK_TCK);
  timespec now{};
  if (ticks < 0 || ticksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1.0;
  const double nowMs = static_cast<double>(now.tv_sec) * millisecondsPerSecond +
                       static_cast<double>(now.tv_nsec) / nanosecondsPerMillisecond;
  const double startMs =
      static_cast<double>(ticks) * millisecondsPerSecond / static_cast<double>(ticksPerSecond);
  return nowMs - startMs;
}

// The kernel's high-water mark of the process's resident memory.
double peakResidentMebibytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / kibPerMib;  // ru_maxrss is in KiB
}

double residentMebibytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / kibPerMib;
  }
  return -1.0;
}

// The value after the colon of the first "model name" line.
std::string modelNameFromCpuinfo(const std::string& cpuinfo) {
  std::istringstream lines(cpuinfo);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("model name", 0) != 0) continue;
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const size_t start = line.find_first_not_of(" \t", colon + 1);
    return start == std::string::npos ? std::string() : line.substr(start);
  }
  return std::string();
}

// Reads /proc/cpuinfo.
std::string cpuModelName() {
  const std::string name = modelNameFromCpuinfo(readWholeFile("/proc/cpuinfo"));
  return name.empty() ? "unknown" : name;
}

int onlineCores() { return static_cast<int>(sysconf(_SC_NPROCESSORS_ONLN)); }

// The first of the three load averages.
double loadAverage() {
  double load[1] = {0.0};
  return getloadavg(load, 1) == 1 ? load[0] : -1.0;
}

// Sums the busy fields of the machine's "cpu " line.
long long busyTicksFromProcStat(const std::string& stat) {
  std::istringstream lines(stat);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("cpu ", 0) != 0) continue;
    std::istringstream fields(line.substr(4));
    long long busy = 0;
    for (int field = 0; field < cpuFieldCount; ++field) {
      long long ticks = 0;
      if (!(fields >> ticks)) return -1;
      if (busyField[field]) busy += ticks;
    }
    return busy;
  }
  return -1;
}

// The machine's busy time from /proc/stat, the process's from getrusage.
CpuUse cpuUseNow() {
  CpuUse use;
  const long long busy = busyTicksFromProcStat(readWholeFile("/proc/stat"));
  const long ticksPerSecond = sysconf(_SC_CLK_TCK);
  if (busy >= 0 && ticksPerSecond > 0) {
    use.machineBusy = static_cast<double>(busy) / static_cast<double>(ticksPerSecond);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / microsecondsPerSecond;
  };
  use.process = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  return use;
}

// The machine's busy time less the process's own, over all cores' time.
double othersShare(const CpuUse& before, const CpuUse& after, double wallSeconds, int cores) {
  if (wallSeconds <= 0.0 || cores <= 0) return 0.0;
  const double others =
      (after.machineBusy - before.machineBusy) - (after.process - before.process);
  const double share = others / (wallSeconds * cores);
  return share < 0.0 ? 0.0 : (share > 1.0 ? 1.0 : share);
}
